#include <QMouseEvent>
#include <QTest>
#include <QWheelEvent>

#include "render/qt/WinScreen.h"
#include "support/ModalDriver.h"

namespace {

QColor at(const QImage& image, int x, int y) { return image.pixelColor(x, y); }

const QColor ground(0, 128, 64);
const QColor disc(200, 200, 0);

// Rows in which two pictures differ.
std::pair<int, int> differingRows(const QImage& a, const QImage& b) {
  int first = -1;
  int last = -1;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x)
      if (a.pixel(x, y) != b.pixel(x, y)) {
        if (first < 0) first = y;
        last = y;
      }
  return {first, last};
}

}  // namespace

class WinScreenTest : public QObject {
  Q_OBJECT

 private slots:
  void cleanup() {
    for (QWidget* window : QApplication::topLevelWidgets()) window->close();
  }

  void groundFillsTheCornersOutsideTheDisc() {
    const QImage medal = WinScreen::drawMedal(QStringLiteral("Player1"));
    QCOMPARE(medal.size(), QSize(200, 200));
    QCOMPARE(at(medal, 0, 0), ground);
    QCOMPARE(at(medal, 199, 0), ground);
    QCOMPARE(at(medal, 0, 199), ground);
    QCOMPARE(at(medal, 199, 199), ground);
    QCOMPARE(at(medal, 20, 20), ground);  // 113 px from the centre
  }

  void discShowsBetweenTheRingsAndAboveTheTexts() {
    const QImage medal = WinScreen::drawMedal(QStringLiteral("Player1"));
    QCOMPARE(at(medal, 182, 100), disc);  // radius 82: between the 76 and 88 circles
    QCOMPARE(at(medal, 18, 100), disc);
    QCOMPARE(at(medal, 100, 40), disc);   // radius 60, above "Gold Medal"
    QCOMPARE(at(medal, 100, 160), disc);  // below "~ W I N ~"
  }

  void rimAndShadedCirclesUseTheirGolds() {
    const QImage medal = WinScreen::drawMedal(QString());
    QCOMPARE(at(medal, 100, 199), QColor(168, 168, 0));  // rim at the bottom
    // Shade −32 on radius 98 is brightest towards the upper left: the chord from 222° to 228°
    // has level trunc(cos(183°) × −32 + 200) = 231.
    const int x = static_cast<int>(100 - 98 * 0.7071);
    QCOMPARE(at(medal, x, x), QColor(231, 231, 0));
  }

  void textsAreEmbossedInThreeGolds() {
    const QImage medal = WinScreen::drawMedal(QString());
    bool dark = false, middle = false, bright = false;
    for (int y = 55; y < 85; ++y)
      for (int x = 40; x < 160; ++x) {
        const QColor c = at(medal, x, y);
        dark |= c == QColor(150, 150, 0);
        middle |= c == QColor(190, 190, 0);
        bright |= c == QColor(230, 230, 0);
      }
    QVERIFY(dark && middle && bright);
  }

  void winnerTextChangesOnlyTheMiddleLine() {
    const QImage empty = WinScreen::drawMedal(QString());
    const auto [first, last] = differingRows(empty, WinScreen::drawMedal(QStringLiteral("Friendship")));
    QVERIFY(first >= 0);
    // Cell of height 22 centred on y = 99 … 101.
    QVERIFY2(first >= 88 && last <= 112, qPrintable(QStringLiteral("%1..%2").arg(first).arg(last)));
  }

  void longNamesAreCentredAndNotShortened() {
    const QImage medal = WinScreen::drawMedal(QStringLiteral("WWWWWWWWWWWWWWWWWWWW"));
    // The text runs past the disc into the ground on both sides.
    QVERIFY(at(medal, 1, 100) != ground);
    QVERIFY(at(medal, 198, 100) != ground);
  }

  void windowIsGameOverWithA200By200ClientCentredOnItsOwner() {
    QWidget owner;
    owner.setGeometry(100, 100, 640, 480);
    owner.show();
    WinScreen screen(&owner, QStringLiteral("Player2"));
    screen.show();
    QCOMPARE(screen.windowTitle(), QStringLiteral("Game Over!"));
    QCOMPARE(screen.size(), QSize(200, 200));
    const QPoint offset = screen.geometry().center() - owner.geometry().center();
    QVERIFY(offset.manhattanLength() <= 2);
    QCOMPARE(screen.medal(), WinScreen::drawMedal(QStringLiteral("Player2")));
    QCOMPARE(screen.grab().toImage().convertToFormat(QImage::Format_RGB32), screen.medal());
  }

  void closesOnAnyKey() {
    for (Qt::Key key : {Qt::Key_Space, Qt::Key_Return, Qt::Key_Escape, Qt::Key_A}) {
      WinScreen screen(nullptr, QString());
      screen.show();
      QTest::keyPress(&screen, key);
      QVERIFY(!screen.isVisible());
    }
  }

  void closesOnLeftAndRightButtons() {
    for (Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton}) {
      WinScreen screen(nullptr, QString());
      screen.show();
      QTest::mousePress(&screen, button, {}, QPoint(100, 100));
      QVERIFY(!screen.isVisible());
    }
  }

  void staysOpenOnMoveMiddleButtonAndWheel() {
    WinScreen screen(nullptr, QString());
    screen.show();
    QTest::mouseMove(&screen, QPoint(50, 50));
    QMouseEvent move(QEvent::MouseMove, QPointF(60, 60), QPointF(60, 60), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&screen, &move);
    QTest::mouseClick(&screen, Qt::MiddleButton, {}, QPoint(100, 100));
    QWheelEvent wheel(QPointF(100, 100), QPointF(100, 100), QPoint(), QPoint(0, 120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&screen, &wheel);
    QVERIFY(screen.isVisible());
  }

  void modalRunEndsOnAKey() {
    WinScreen screen(nullptr, QStringLiteral("Friendship"));
    QWidget* seen = nullptr;
    whenModal([&](QWidget* modal) {
      seen = modal;
      if (modal != nullptr) QTest::keyClick(modal, Qt::Key_X);
    });
    screen.exec();
    QCOMPARE(seen, static_cast<QWidget*>(&screen));
  }
};

QTEST_MAIN(WinScreenTest)
#include "WinScreen_qt.moc"
