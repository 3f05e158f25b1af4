#include <QMessageBox>
#include <QPaintEvent>
#include <QTemporaryDir>
#include <QTest>
#include <thread>

#include "app/FrameSources.h"
#include "app/MainDialog.h"
#include "capture/SteppedSource.h"
#include "platform/DrawLock.h"
#include "render/qt/WinScreen.h"
#include "support/ModalDriver.h"

namespace {

// A settings file of its own, a manual clock and the devices, made before the window.
struct SceneParts {
  QTemporaryDir folder;
  ManualTickClock clock{100000};
  SourceCatalog catalog;
};

// The main window on a stepped 320 × 240 demo camera; its settings flows are noted instead
// of opened.
class SceneDialog final : public SceneParts, public MainDialog {
 public:
  SceneDialog() : MainDialog(catalog, folder.filePath("Swishcam.prm").toStdString(), &clock) {
    Options options;
    options.width = 320;
    options.height = 240;
    demo = makeDemoProvider(options, engine(), Delivery::Stepped);
    catalog.add(*demo);
  }
  ~SceneDialog() override { engine().releaseCaptureGraph(); }  // before the demo goes

  // One demo frame at the clock's time, delivered on a thread of its own as a capture thread
  // delivers it; false while the capture is stopped.
  bool deliverFrame() {
    bool delivered = false;
    std::thread([&] { delivered = demo->stepped != nullptr && demo->stepped->deliver(); }).join();
    return delivered;
  }
  void setCourt(Rect frame = {160, 240, 480, 480}) {  // as a 640 × 480 layout sets it
    engine().court.frameRect = frame;
    engine().court.scoreBoxRect = {250, 0, 390, 60};
    engine().court.leftRingRect = {10, 150, 140, 200};
    engine().court.rightRingRect = {500, 150, 630, 200};
  }

  std::unique_ptr<PainterProvider> demo;
  Match& match = engine().match;
  QString opened;  // V video, P players, E environment, in the order tried
  bool videoFlowResult = true;
  std::vector<QRect> painted;

 protected:
  bool openFlow(FieldArea area) override {
    opened += area == FieldArea::Video ? 'V' : area == FieldArea::Players ? 'P' : 'E';
    return area != FieldArea::Video || videoFlowResult;
  }
  void paintEvent(QPaintEvent* event) override {
    MainDialog::paintEvent(event);
    painted.push_back(event->rect());
  }
};

void moveMouse(QWidget& widget, QPoint at) {
  QMouseEvent move(QEvent::MouseMove, at, widget.mapToGlobal(at), Qt::NoButton, Qt::NoButton, {});
  QApplication::sendEvent(&widget, &move);
}

}  // namespace

class MainDialogTest : public QObject {
  Q_OBJECT

 private slots:
  // Left and right buttons open the flows of the areas the point lies in; the own cursor
  // shows over them.
  void clicksOpenTheirAreas_data() {
    QTest::addColumn<QPoint>("at");
    QTest::addColumn<QString>("opens");
    QTest::newRow("left strip on the score box's bottom row") << QPoint(20, 60) << "";
    QTest::newRow("right strip on the score box's bottom row") << QPoint(600, 60) << "";
    QTest::newRow("strip one row above it") << QPoint(20, 59) << "P";
    QTest::newRow("strip one row below it") << QPoint(20, 61) << "E";
    QTest::newRow("left strip's last column") << QPoint(139, 100) << "E";
    QTest::newRow("left ring's right edge") << QPoint(140, 100) << "";
    QTest::newRow("right ring's left edge") << QPoint(500, 100) << "";
    QTest::newRow("right strip's first column") << QPoint(501, 400) << "E";
    QTest::newRow("between the strips") << QPoint(200, 100) << "";
    QTest::newRow("picture's right edge") << QPoint(480, 300) << "";
    QTest::newRow("score box's bottom edge") << QPoint(300, 60) << "";
    QTest::newRow("picture's top-left pixel") << QPoint(160, 240) << "V";
    QTest::newRow("score box's last pixel") << QPoint(389, 59) << "P";
  }

  void clicksOpenTheirAreas() {
    QFETCH(QPoint, at);
    QFETCH(QString, opens);
    SceneDialog dialog;
    dialog.setCourt();
    for (Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton})
      QTest::mouseClick(&dialog, button, {}, at);
    QCOMPARE(dialog.opened, opens + opens);
    moveMouse(dialog, at);
    QCOMPARE(dialog.cursor().shape() == Qt::BitmapCursor, !opens.isEmpty());
    QCOMPARE(dialog.cursor().hotSpot(), opens.isEmpty() ? QPoint(0, 0) : QPoint(10, 9));
  }

  // With the picture under the whole field a click tries the video area, then the others
  // with the same point; a failed video flow ends the program.
  void theAreasAreTriedInTurn() {
    SceneDialog dialog;
    QVERIFY(dialog.start());
    dialog.setCourt({0, 0, 640, 480});
    QTest::mouseClick(&dialog, Qt::LeftButton, {}, {20, 30});
    QTest::mouseClick(&dialog, Qt::LeftButton, {}, {20, 300});
    dialog.videoFlowResult = false;
    QTest::mouseClick(&dialog, Qt::LeftButton, {}, {20, 30});
    QCOMPARE(dialog.opened, QString("VPVEV"));
    QVERIFY(dialog.result() == 0 && !dialog.isWindow() && dialog.engine().camera.source == nullptr);
  }

  // Laid out at the next mouse movement, not at the resize; scores and clock run on.
  void aResizeIsLaidOutAtTheNextMouseMovement() {
    SceneDialog dialog;
    const Court& court = dialog.engine().court;
    dialog.resize(300, 200);
    dialog.show();
    QVERIFY(dialog.sizeChanged());
    moveMouse(dialog, {5, 5});  // before the first layout: the flag alone is cleared
    QVERIFY(!dialog.sizeChanged() && !court.laidOut());
    QVERIFY(dialog.start());
    QVERIFY(!dialog.sizeChanged());  // the layout's own resize does not count
    const QSize laidOut(court.fieldWidth, court.fieldHeight);
    QCOMPARE(dialog.size(), laidOut);
    dialog.match.leftScore = 6;
    const std::uint32_t started = dialog.match.gameStartTick;
    dialog.resize(laidOut + QSize(40, 20));
    QVERIFY(dialog.sizeChanged() && court.fieldWidth == laidOut.width());
    moveMouse(dialog, {5, 5});
    QVERIFY(!dialog.sizeChanged());
    QCOMPARE(QSize(court.fieldWidth, court.fieldHeight), laidOut + QSize(40, 20));
    QVERIFY(dialog.match.leftScore == 6 && dialog.match.gameStartTick == started);
    QVERIFY(dialog.deliverFrame());  // the capture runs again
  }

  // The demo camera plays; the period ends on the capture thread; the window shows the
  // winner's screen, which a key closes; the top ten is updated and frames play a new game.
  void aWholeGameWithTheDemoCamera() {
    SceneDialog dialog;
    Match& match = dialog.match;
    QVERIFY(dialog.start());
    for (int frame = 0; frame < 30; ++frame) {
      dialog.clock.advance(33);
      QVERIFY(dialog.deliverFrame());
    }
    match.leftScore += 12;  // between frames: the frame step is not running
    match.ring.inRing = false;
    dialog.clock.advance(300000);
    QVERIFY(dialog.deliverFrame());
    QVERIFY(match.gameOver);
    QString shown;
    int left = -1, right = -1;
    bool frameWhileOpenPlayed = true;
    whenModalOf<WinScreen>([&](WinScreen& screen) {
      shown = screen.winnerText();
      left = match.leftScore;
      right = match.rightScore;
      dialog.clock.advance(5000);  // frames keep coming while it is open: they hold the clock
      const std::uint32_t before = match.frameDoneTick;
      QVERIFY(dialog.deliverFrame());
      frameWhileOpenPlayed = match.frameDoneTick != before;
      QTest::keyClick(&screen, Qt::Key_Space);
    });
    QCoreApplication::sendPostedEvents(&dialog);
    QVERIFY(left >= 12 && !frameWhileOpenPlayed);
    QCOMPARE(shown, QString(left > right ? "Player1" : right > left ? "Player2" : "Friendship"));
    QCOMPARE(match.topTen[0].nameView(), std::string_view(left >= right ? "Player1" : "Player2"));
    QCOMPARE(QList<int>({match.topTen[0].points, match.topTen[0].gameTime}),
             QList<int>({std::max(left, right), 5}));
    QVERIFY(match.leftScore + match.rightScore == 0 && !match.gameOver);
    QCOMPARE(match.gameStartTick, dialog.clock.now());  // restarted by the held frame
    dialog.clock.advance(33);
    QVERIFY(dialog.deliverFrame());
    QCOMPARE(match.frameDoneTick, dialog.clock.now());
  }

  void aPresentFromAnotherThreadIsPainted() {
    SceneDialog dialog;
    QVERIFY(dialog.start());  // shows the laid-out window
    QCoreApplication::processEvents();
    dialog.painted.clear();
    std::thread([&] {
      DrawLockGuard guard;
      dialog.surface().present({10, 20, 50, 60});
    }).join();
    while (dialog.painted.empty()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    QVERIFY(dialog.painted.front().contains(QRect(10, 20, 40, 40)));
  }

  void noCameraEndsTheStartWithItsMessage() {
    SourceCatalog none;
    QTemporaryDir folder;
    MainDialog lonely(none, folder.filePath("Swishcam.prm").toStdString());
    QString seen;
    whenModalOf<QMessageBox>([&seen](QMessageBox& box) {
      seen = QString("%1|%2|%3|%4").arg(box.windowTitle()).arg(box.icon())
                 .arg(box.buttons().size()).arg(box.text());
      box.button(QMessageBox::Ok)->click();
    });
    QVERIFY(!lonely.start());
    QCOMPARE(seen, QString("Swish Cam message|%1|1|No video capture device was detected on your"
                           " system.\n\nThis application requires a functional video capture"
                           " device, such\nas a USB web camera.").arg(QMessageBox::Warning));
  }
};

QTEST_MAIN(MainDialogTest)
#include "MainDialog_qt.moc"
