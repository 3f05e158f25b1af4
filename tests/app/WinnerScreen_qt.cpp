#include <QTest>
#include <QWheelEvent>

#include "app/WinnerScreen.h"

class WinnerScreenTest : public QObject {
  Q_OBJECT

 private slots:
  void medalShowsGroundDiscRimShadeAndTheWinnerOnlyInTheMiddleLine() {
    const QImage medal = WinnerScreen::drawMedal(QString());
    // Ground in the corners and 113 px out; the disc at radius 82 and 60; the rim at the
    // bottom; radius 98 at 225° (30, 30), shade −32: trunc(cos(183°) × −32 + 200) = 231.
    const QColor ground(0, 128, 64), disc(200, 200, 0);
    for (const auto& [x, y, colour] : QList<std::tuple<int, int, QColor>>{
             {0, 0, ground}, {199, 199, ground}, {20, 20, ground}, {182, 100, disc}, {18, 100, disc},
             {100, 40, disc}, {100, 160, disc}, {100, 199, QColor(168, 168, 0)}, {30, 30, QColor(231, 231, 0)}})
      QCOMPARE(medal.pixelColor(x, y), colour);
    const QImage named = WinnerScreen::drawMedal(QStringLiteral("Friendship"));  // a 22 px cell on 99 … 101
    QVERIFY(named != medal && named.copy(0, 0, 200, 88) == medal.copy(0, 0, 200, 88) &&
            named.copy(0, 113, 200, 87) == medal.copy(0, 113, 200, 87));
  }

  void gameOverIsCentredOnItsOwnerAndClosesOnKeysAndTheLeftOrRightButtonOnly() {
    QWidget owner;
    owner.setGeometry(100, 100, 640, 480);
    owner.show();
    const auto closes = [&owner](const std::function<void(QWidget&)>& act) {
      WinnerScreen screen(&owner, QStringLiteral("Player2"));
      screen.show();
      act(screen);
      return !screen.isVisible();
    };
    WinnerScreen screen(&owner, QStringLiteral("Player2"));
    screen.show();
    QCOMPARE(screen.windowTitle(), QStringLiteral("Game Over!"));
    QVERIFY((screen.geometry().center() - owner.geometry().center()).manhattanLength() <= 2);
    QCOMPARE(screen.grab().toImage().convertToFormat(QImage::Format_RGB32), WinnerScreen::drawMedal("Player2"));
    for (Qt::Key key : {Qt::Key_Space, Qt::Key_Return, Qt::Key_Escape, Qt::Key_A})
      QVERIFY(closes([key](QWidget& w) { QTest::keyPress(&w, key); }));
    for (Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton})
      QVERIFY(closes([button](QWidget& w) { QTest::mousePress(&w, button, {}, QPoint(100, 100)); }));
    QVERIFY(!closes([](QWidget& w) {
      QTest::mouseMove(&w, QPoint(50, 50));
      QTest::mouseClick(&w, Qt::MiddleButton, {}, QPoint(100, 100));
      QWheelEvent wheel({100, 100}, {100, 100}, {}, {0, 120}, Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
      QApplication::sendEvent(&w, &wheel);
    }));
  }
};

QTEST_MAIN(WinnerScreenTest)
#include "WinnerScreen_qt.moc"
