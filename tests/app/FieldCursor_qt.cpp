#include <QTest>

#include "app/AppIcon.h"
#include "app/FieldCursor.h"

class FieldCursorTest : public QObject {
  Q_OBJECT

 private slots:
  void cursorIs32By32InGreysWithItsHotSpotOnTheBall() {
    const QImage image = drawFieldCursor();
    QCOMPARE(image.size(), QSize(32, 32));
    int opaque = 0;
    for (int y = 0; y < 32; ++y)
      for (int x = 0; x < 32; ++x) {
        const QColor c = image.pixelColor(x, y);
        if (c.alpha() == 0) continue;
        ++opaque;
        QVERIFY2(c.red() == c.green() && c.green() == c.blue(), qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
      }
    QVERIFY(opaque > 100);
    QCOMPARE(image.pixelColor(fieldCursorHotSpot).alpha(), 255);
    QCOMPARE(image.pixelColor(31, 31).alpha(), 0);
    const QCursor cursor = makeFieldCursor();
    QCOMPARE(cursor.hotSpot(), QPoint(10, 9));
  }

  void iconIsDrawnAtEverySize() {
    for (int size : {16, 48, 256}) {
      const QImage icon = drawAppIcon(size);
      QCOMPARE(icon.size(), QSize(size, size));
      QCOMPARE(icon.pixelColor(0, 0).alpha(), 0);             // transparent corner
      QVERIFY(icon.pixelColor(size / 2, size / 3).alpha() == 255);  // the ball
    }
    QVERIFY(!appIcon().availableSizes().isEmpty());
  }
};

QTEST_MAIN(FieldCursorTest)
#include "FieldCursor_qt.moc"
