#include "platform/qt/QtFieldSurface.h"

#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>
#include <bit>
#include <cstring>

#include "platform/qt/QtFont.h"

#if defined(__x86_64__)
#include <tmmintrin.h>
#endif

static_assert(std::endian::native == std::endian::little, "pixel words assume little-endian");

namespace {

// Blue, green, red bytes read as one little-endian word are already 0x??RRGGBB; the last
// pixel is read bytewise so that no read passes the row's end.
void copyBgrPixels(const std::uint8_t* src, QRgb* dst, int count) {
  for (int x = 0; x < count - 1; ++x, src += 3) {
    std::uint32_t bgrx;
    std::memcpy(&bgrx, src, 4);
    *dst++ = 0xFF000000u | (bgrx & 0x00FFFFFFu);
  }
  if (count > 0) *dst = qRgb(src[2], src[1], src[0]);
}

#if defined(__x86_64__)
// Four pixels per byte shuffle; each 16-byte load reaches 4 bytes past its 12, so groups
// stop while at least 6 pixels remain. Returns how many pixels were copied.
__attribute__((target("ssse3"))) int copyBgrGroups(const std::uint8_t* src, QRgb* dst,
                                                   int count) {
  const __m128i spread = _mm_setr_epi8(0, 1, 2, -1, 3, 4, 5, -1, 6, 7, 8, -1, 9, 10, 11, -1);
  const __m128i opaque = _mm_set1_epi32(static_cast<int>(0xFF000000u));
  int x = 0;
  for (; x + 6 <= count; x += 4) {
    const __m128i four = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + x * 3));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + x),
                     _mm_or_si128(_mm_shuffle_epi8(four, spread), opaque));
  }
  return x;
}
#endif

void copyBgrRow(const std::uint8_t* src, QRgb* dst, int count) {
  int done = 0;
#if defined(__x86_64__)
  static const bool ssse3 = __builtin_cpu_supports("ssse3");
  if (ssse3) done = copyBgrGroups(src, dst, count);
#endif
  copyBgrPixels(src + done * 3, dst + done, count - done);
}

}  // namespace

void QtFieldSurface::create(int width, int height) {
  m_image = QImage(std::max(width, 0), std::max(height, 0), QImage::Format_RGB32);
  m_image.fill(Qt::black);
}

void QtFieldSurface::putImage(const std::uint8_t* image, int imageWidth, int imageHeight,
                              int srcX, int srcY, int w, int h, int dstX, int dstY) {
  const int surfaceW = m_image.width();
  const int surfaceH = m_image.height();
  const int x0 = std::max({0, dstX, dstX - srcX});
  const int x1 = std::min({surfaceW, dstX + w, dstX - srcX + imageWidth});
  if (x0 >= x1) return;
  for (int row = 0; row < h; ++row) {
    const int fieldY = dstY + row;
    const int imageRow = srcY + h - 1 - row;  // source rows are counted from the bottom
    if (fieldY < 0 || fieldY >= surfaceH || imageRow < 0 || imageRow >= imageHeight) continue;
    const std::uint8_t* src =
        image + (static_cast<std::size_t>(imageRow) * imageWidth + (srcX + x0 - dstX)) * 3;
    copyBgrRow(src, reinterpret_cast<QRgb*>(m_image.scanLine(fieldY)) + x0, x1 - x0);
  }
}

void QtFieldSurface::getImage(std::uint8_t* image) const {
  const int h = m_image.height();
  for (int y = 0; y < h; ++y) {
    const auto* src = reinterpret_cast<const QRgb*>(m_image.constScanLine(h - 1 - y));
    for (int x = 0; x < m_image.width(); ++x, image += 3) {
      image[0] = static_cast<std::uint8_t>(qBlue(src[x]));
      image[1] = static_cast<std::uint8_t>(qGreen(src[x]));
      image[2] = static_cast<std::uint8_t>(qRed(src[x]));
    }
  }
}

void QtFieldSurface::present(const Rect& area) {
  if (m_presenter) m_presenter(area);
}

void QtFieldSurface::drawText(int x, int y, std::string_view text, const TextFont& font,
                              Rgb colour) {
  if (text.empty() || m_image.isNull()) return;
  const QFont qfont = makeFont(font);
  QPainter painter(&m_image);
  painter.setFont(qfont);
  painter.setPen(QColor(colour.red, colour.green, colour.blue));
  painter.setBackgroundMode(Qt::TransparentMode);
  const QString line = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
  painter.drawText(QPointF(x, y + QFontMetricsF(qfont).ascent()), line);
}

int QtFieldSurface::textWidth(std::string_view text, const TextFont& font) const {
  const QString line = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
  return qRound(QFontMetricsF(makeFont(font)).horizontalAdvance(line));
}

void QtFieldSurface::setPresenter(std::function<void(const Rect&)> presenter) {
  m_presenter = std::move(presenter);
}

bool QtFieldSurface::savePng(const QString& path) const { return m_image.save(path, "PNG"); }
