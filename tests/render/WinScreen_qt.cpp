#include <QTest>
#include <QWheelEvent>

#include "render/qt/WinScreen.h"
#include "support/ModalDriver.h"

class WinScreenTest : public QObject {
  Q_OBJECT

 private slots:
  void medalHasItsGroundDiscRimShadeAndEmbossedGolds() {
    const QImage medal = WinScreen::drawMedal(QString());
    // Ground in the corners and 113 px out; the disc at radius 82 and 60; the rim at the
    // bottom; radius 98, shade −32 at 225°: trunc(cos(183°) × −32 + 200) = 231.
    const int d = static_cast<int>(100 - 98 * 0.7071);
    const QColor ground(0, 128, 64), disc(200, 200, 0);
    const QList<std::tuple<int, int, QColor>> pixels = {
        {0, 0, ground}, {199, 199, ground}, {20, 20, ground}, {182, 100, disc}, {18, 100, disc},
        {100, 40, disc}, {100, 160, disc}, {100, 199, QColor(168, 168, 0)}, {d, d, QColor(231, 231, 0)}};
    for (const auto& [x, y, colour] : pixels) QCOMPARE(medal.pixelColor(x, y), colour);
    for (int level : {150, 190, 230}) {  // the texts' dark, middle and bright copies
      bool found = false;
      for (int y = 55; y < 85 && !found; ++y)
        for (int x = 40; x < 160 && !found; ++x) found = medal.pixel(x, y) == qRgb(level, level, 0);
      QVERIFY2(found, qPrintable(QString::number(level)));
    }
  }

  void winnerTextChangesOnlyTheMiddleLineAndIsNotShortened() {
    const QImage empty = WinScreen::drawMedal(QString());
    const QImage named = WinScreen::drawMedal(QStringLiteral("Friendship"));
    QVERIFY(named != empty);
    QCOMPARE(named.copy(0, 0, 200, 88), empty.copy(0, 0, 200, 88));  // a 22 px cell on 99 … 101
    QCOMPARE(named.copy(0, 113, 200, 87), empty.copy(0, 113, 200, 87));
    const QImage wide = WinScreen::drawMedal(QStringLiteral("WWWWWWWWWWWWWWWWWWWW"));
    QVERIFY(wide.pixelColor(1, 100) != QColor(0, 128, 64) && wide.pixelColor(198, 100) != QColor(0, 128, 64));
  }

  void gameOverIsCentredOnItsOwnerAndClosesOnKeysAndTheLeftOrRightButton() {
    QWidget owner;
    owner.setGeometry(100, 100, 640, 480);
    owner.show();
    const auto closes = [&owner](const std::function<void(QWidget&)>& act) {
      WinScreen screen(&owner, QStringLiteral("Player2"));
      screen.show();
      if (screen.windowTitle() != QStringLiteral("Game Over!") ||
          (screen.geometry().center() - owner.geometry().center()).manhattanLength() > 2 ||
          screen.grab().toImage().convertToFormat(QImage::Format_RGB32) != WinScreen::drawMedal("Player2"))
        return false;
      act(screen);
      return !screen.isVisible();
    };
    for (Qt::Key key : {Qt::Key_Space, Qt::Key_Return, Qt::Key_Escape, Qt::Key_A})
      QVERIFY(closes([key](QWidget& w) { QTest::keyPress(&w, key); }));
    for (Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton})
      QVERIFY(closes([button](QWidget& w) { QTest::mousePress(&w, button, {}, QPoint(100, 100)); }));
    QVERIFY(!closes([](QWidget& w) { QTest::mouseClick(&w, Qt::MiddleButton, {}, QPoint(100, 100)); }));
    QVERIFY(!closes([](QWidget& w) {
      QTest::mouseMove(&w, QPoint(50, 50));
      QWheelEvent wheel({100, 100}, {100, 100}, {}, {0, 120}, Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
      QApplication::sendEvent(&w, &wheel);
    }));
    WinScreen modal(&owner, QStringLiteral("Friendship"));  // the modal run ends on a key
    QWidget* shown = nullptr;
    whenModal([&shown](QWidget* up) { if ((shown = up) != nullptr) QTest::keyClick(up, Qt::Key_X); });
    modal.exec();
    QCOMPARE(shown, static_cast<QWidget*>(&modal));
  }
};

QTEST_MAIN(WinScreenTest)
#include "WinScreen_qt.moc"
