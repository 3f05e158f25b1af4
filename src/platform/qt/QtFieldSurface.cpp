#include "platform/qt/QtFieldSurface.h"

#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>
#include <bit>
#include <cstring>

#include "platform/SurfaceCopy.h"
#include "platform/qt/QtFont.h"

// Our pictures hold blue, green, red and 255 in memory: the bytes of a QRgb of Format_RGB32
// on a little-endian machine, so rows copy as they are.
static_assert(std::endian::native == std::endian::little, "pixel words assume little-endian");

void QtFieldSurface::create(int width, int height) {
  m_image = QImage(std::max(width, 0), std::max(height, 0), QImage::Format_RGB32);
  m_image.fill(Qt::black);
}

void QtFieldSurface::putImage(const std::uint8_t* image, int imageWidth, int imageHeight,
                              int srcX, int srcY, int w, int h, int dstX, int dstY) {
  forEachPutRow(image, imageWidth, imageHeight, srcX, srcY, w, h, dstX, dstY, m_image.width(),
                m_image.height(), [this](const std::uint8_t* src, int fieldY, int x, int count) {
                  std::memcpy(m_image.scanLine(fieldY) + x * pixelBytes, src,
                              static_cast<std::size_t>(count) * pixelBytes);
                });
}

// Rows of Format_RGB32 are 4 × width bytes, with no padding between them.
const std::uint8_t* QtFieldSurface::pixels() const { return m_image.constBits(); }

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
