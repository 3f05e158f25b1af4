#include <QFontDatabase>
#include <QTemporaryDir>
#include <QtTest>
#include <random>
#include <vector>

#include "platform/MemorySurface.h"
#include "platform/qt/QtFieldSurface.h"

namespace {

std::vector<std::uint8_t> randomImage(int w, int h, unsigned seed) {
  std::mt19937 gen(seed);
  std::vector<std::uint8_t> image(static_cast<std::size_t>(w) * h * 3);
  for (auto& b : image) b = static_cast<std::uint8_t>(gen());
  return image;
}

std::vector<std::uint8_t> readBack(const FieldSurface& surface) {
  std::vector<std::uint8_t> image(static_cast<std::size_t>(surface.width()) * surface.height() * 3);
  surface.getImage(image.data());
  return image;
}

const TextFont nameFont{34, 17, 400, "Arial"};

}  // namespace

class QtFieldSurfaceTest : public QObject {
  Q_OBJECT

 private slots:
  void wholeImageRoundTripsExactly() {
    QtFieldSurface surface;
    surface.create(7, 5);
    const auto image = randomImage(7, 5, 1);
    surface.putImage(image.data(), 7, 5, 0, 0, 7, 5, 0, 0);
    QCOMPARE(readBack(surface), image);
    // Bottom-up rows: the image's last row is the surface's top row.
    const QRgb topLeft = surface.image().pixel(0, 0);
    const std::uint8_t* last = &image[4 * 7 * 3];
    QCOMPARE(qBlue(topLeft), int(last[0]));
    QCOMPARE(qGreen(topLeft), int(last[1]));
    QCOMPARE(qRed(topLeft), int(last[2]));
    QCOMPARE(surface.image().format(), QImage::Format_RGB32);
  }

  // Every placement, clipped or not, lands where the memory surface puts it; narrow
  // images take the pixel-by-pixel path, wide ones the four-pixel groups.
  void rectanglesAndClippingMatchTheMemorySurface() {
    comparePlacements(5, 4, 9, 6);
    comparePlacements(37, 4, 45, 6);
  }

  void createClearsAndResizes() {
    QtFieldSurface surface;
    surface.create(4, 3);
    const auto image = randomImage(4, 3, 4);
    surface.putImage(image.data(), 4, 3, 0, 0, 4, 3, 0, 0);
    surface.create(6, 2);
    QCOMPARE(surface.width(), 6);
    QCOMPARE(surface.height(), 2);
    QCOMPARE(readBack(surface), std::vector<std::uint8_t>(6 * 2 * 3, 0));
  }

  void presentGoesToThePresenterOnly() {
    QtFieldSurface surface;
    surface.create(10, 10);
    surface.present({1, 2, 3, 4});  // no presenter yet: nothing happens
    std::vector<Rect> shown;
    surface.setPresenter([&](const Rect& r) { shown.push_back(r); });
    surface.present({1, 2, 3, 4});
    QCOMPARE(shown.size(), std::size_t(1));
    QVERIFY(shown[0] == (Rect{1, 2, 3, 4}));
  }

  void liberationSansStandsInForArial() {
    QVERIFY(QFontDatabase::families().contains("Liberation Sans"));
  }

  // The names' font: cell 34 px high, 17 px average width, drawn in its colour only, on
  // no background, within its cell.
  void textKeepsToItsCellAndColour() {
    QtFieldSurface surface;
    surface.create(400, 100);
    surface.drawText(30, 20, "Player1", nameFont, {160, 160, 0});
    const int width = surface.textWidth("Player1", nameFont);
    int inked = 0, full = 0;
    for (int y = 0; y < 100; ++y) {
      for (int x = 0; x < 400; ++x) {
        const QRgb p = surface.image().pixel(x, y);
        if (p == qRgb(0, 0, 0)) continue;
        ++inked;
        full += p == qRgb(160, 160, 0);
        QVERIFY2(y >= 20 && y < 20 + 34 && x >= 28 && x <= 30 + width + 2,
                 qPrintable(QString("ink at %1,%2").arg(x).arg(y)));
        QVERIFY(qBlue(p) == 0);
      }
    }
    QVERIFY(inked > 200);
    QVERIFY(full > 50);
  }

  void averageWidthFollowsTheRequest() {
    QtFieldSurface surface;
    surface.create(10, 10);
    const QString sample = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
    const double perChar =
        surface.textWidth(sample.toStdString(), nameFont) / double(sample.size());
    QVERIFY2(perChar > 17 * 0.85 && perChar < 17 * 1.25, qPrintable(QString::number(perChar)));
    const TextFont narrow{34, 8, 400, "Arial"};
    QVERIFY(surface.textWidth("Player1", narrow) < surface.textWidth("Player1", nameFont) * 0.6);
    QCOMPARE(surface.textWidth("", nameFont), 0);
  }

  void emptyTextDrawsNothing() {
    QtFieldSurface surface;
    surface.create(50, 50);
    surface.drawText(5, 5, "", nameFont, {255, 255, 255});
    QCOMPARE(readBack(surface), std::vector<std::uint8_t>(50 * 50 * 3, 0));
  }

  void savesAPngThatReadsBackTheSame() {
    QTemporaryDir dir;
    QtFieldSurface surface;
    surface.create(13, 7);
    const auto image = randomImage(13, 7, 5);
    surface.putImage(image.data(), 13, 7, 0, 0, 13, 7, 0, 0);
    const QString path = dir.filePath("field.png");
    QVERIFY(surface.savePng(path));
    const QImage loaded = QImage(path).convertToFormat(QImage::Format_RGB32);
    QCOMPARE(loaded, surface.image());
  }

 private:
  static void comparePlacements(int imageW, int imageH, int surfaceW, int surfaceH) {
    QtFieldSurface qt;
    MemorySurface memory;
    qt.create(surfaceW, surfaceH);
    memory.create(surfaceW, surfaceH);
    const auto image = randomImage(imageW, imageH, 2);
    std::mt19937 gen(3);
    for (int i = 0; i < 200; ++i) {
      const int sx = int(gen() % imageW), sy = int(gen() % imageH);
      const int w = int(gen() % (imageW + 1 - sx)), h = int(gen() % (imageH + 1 - sy));
      const int dx = int(gen() % (surfaceW + 5)) - 4, dy = int(gen() % (surfaceH + 6)) - 4;
      qt.putImage(image.data(), imageW, imageH, sx, sy, w, h, dx, dy);
      memory.putImage(image.data(), imageW, imageH, sx, sy, w, h, dx, dy);
      QCOMPARE(readBack(qt), memory.pixels());
    }
  }
};

QTEST_MAIN(QtFieldSurfaceTest)
#include "QtFieldSurface_qt.moc"
