#include <QDialogButtonBox>
#include <QDir>
#include <QMessageBox>
#include <QPaintEvent>
#include <QTemporaryDir>
#include <QTest>

#include "app/DialogUnits.h"
#include "app/HelpWindow.h"
#include "app/WinnerScreen.h"
#include "dialogs/DialogFlows.h"
#include "dialogs/EnvironmentDialog.h"
#include "platform/DrawLock.h"
#include "support/DemoWindow.h"
#include "support/ModalDriver.h"

namespace {

// A settings file of its own, made before the window.
struct OwnFolder { QTemporaryDir folder; };

// The demo window, 320 × 240 unless said, on its own folder, in a window manager that keeps
// the window within `refuseBeyond` and answers each placement later, as an X11 one does.
class SceneDialog final : public OwnFolder, public DemoWindow {
 public:
  explicit SceneDialog(QSize camera = QSize(320, 240)) : DemoWindow(folder, camera) {}
  void setCourt(Rect frame = {160, 240, 480, 480}) {  // as a 640 × 480 layout sets it
    engine().court.fieldRect = {0, 0, 640, 480};
    engine().court.frameRect = frame;
    engine().court.scoreBoxRect = {250, 0, 390, 60};
    engine().court.leftRingRect = {10, 150, 140, 200};
    engine().court.rightRingRect = {500, 150, 630, 200};
  }
  Size fitField(Size needed) override {
    ++placements;
    const Size field = GameWindow::fitField(needed);
    if (refuseBeyond.isValid())
      QMetaObject::invokeMethod(this, [this] { resize(size().boundedTo(refuseBeyond)); },
                                Qt::QueuedConnection);
    return field;
  }
  void showMessage(const std::string& text) override { told.push_back(text); }
  Match& match = engine().match;
  QSize refuseBeyond;
  int placements = 0;
  std::vector<std::string> told;  // messages, instead of boxes
  std::vector<QRect> painted;
 protected:
  void paintEvent(QPaintEvent* event) override {
    GameWindow::paintEvent(event);
    painted.push_back(event->rect());
  }
};

}  // namespace

class GameWindowTest : public QObject {
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
    // A window not yet laid out anew after it grew: what lies beyond the field is no strip.
    QTest::newRow("beyond the field's right edge") << QPoint(640, 100) << "";
    QTest::newRow("beyond the field's bottom edge") << QPoint(20, 480) << "";
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

  // Laid out at the next mouse movement or click, not at the resize; scores and clock run on.
  void aResizeIsLaidOutAtTheNextMouseMovementOrClick() {
    SceneDialog dialog;
    const Court& court = dialog.engine().court;
    dialog.resize(300, 200);
    dialog.show();
    moveMouse(dialog, {5, 5});  // before the first layout: the flag alone is cleared
    QVERIFY(!dialog.sizeChanged() && !court.laidOut());
    QVERIFY(dialog.start());
    QVERIFY(!dialog.sizeChanged());  // the layout's own resize does not count
    const QSize laidOut(court.fieldWidth, court.fieldHeight);
    dialog.match.leftScore = 6;
    const std::uint32_t started = dialog.match.gameStartTick;
    dialog.resize(laidOut + QSize(40, 20));
    QVERIFY(dialog.sizeChanged() && court.fieldWidth == laidOut.width());
    moveMouse(dialog, {5, 5});
    QCOMPARE(QSize(court.fieldWidth, court.fieldHeight), laidOut + QSize(40, 20));
    QVERIFY(dialog.match.leftScore == 6 && dialog.match.gameStartTick == started);
    QVERIFY(dialog.deliverFrame());  // the capture runs again
    const Rect picture = court.frameRect;
    dialog.resize(dialog.width(), dialog.height() + 100);  // the picture moves down
    sendMouse(dialog, QEvent::MouseButtonPress, {picture.left + 10, picture.bottom + 40}, Qt::RightButton);
    QCOMPARE(dialog.opened, QString("V"));
  }

  // The period ends on the capture thread; the winner's screen shows on the window thread
  // and a key closes it; frames while it is open hold the clock, then play a new game.
  void aWholeGameWithTheDemoCamera() {
    SceneDialog dialog;
    Match& match = dialog.match;
    QVERIFY(dialog.start() && dialog.play(30));
    match.leftScore += 12;  // between frames: the frame step is not running
    match.ring.inRing = false;
    dialog.clock.advance(300000);
    QVERIFY(dialog.deliverFrame() && match.gameOver);
    QString shown;
    int left = -1, right = -1;
    bool frameWhileOpenPlayed = true;
    whenModalOf<WinnerScreen>([&](WinnerScreen& screen) {
      shown = screen.winnerText();
      left = match.leftScore;
      right = match.rightScore;
      dialog.clock.advance(5000);
      const std::uint32_t before = match.frameDoneTick;
      QVERIFY(dialog.deliverFrame());
      frameWhileOpenPlayed = match.frameDoneTick != before;
      QTest::keyClick(&screen, Qt::Key_Space);
    });
    QCoreApplication::sendPostedEvents(&dialog);
    QVERIFY(left >= 12 && !frameWhileOpenPlayed);
    QCOMPARE(shown, QString(left > right ? "Player1" : right > left ? "Player2" : "Friendship"));
    QVERIFY(match.leftScore + match.rightScore == 0 && !match.gameOver);
    QCOMPARE(match.gameStartTick, dialog.clock.now());  // restarted by the held frame
  }

  // S saves the last seconds into "Swish Cam" in the videos folder and says so on the field.
  void sSavesAClipAndTellsWhere() {
    QTemporaryDir home;
    const QByteArray oldHome = qgetenv("HOME"), oldConfig = qgetenv("XDG_CONFIG_HOME");
    qputenv("HOME", home.path().toUtf8());  // no user-dirs.dirs: the videos are in ~/Videos
    qputenv("XDG_CONFIG_HOME", home.filePath("config").toUtf8());
    QString line;
    {
      SceneDialog dialog;
      QVERIFY(dialog.start() && dialog.play(45));
      QTest::keyClick(&dialog, Qt::Key_S);
      dialog.clips().finish();
      QTRY_VERIFY(!dialog.fieldLine().isEmpty());
      line = dialog.fieldLine();
    }
    qputenv("HOME", oldHome);
    qputenv("XDG_CONFIG_HOME", oldConfig);
    const QString folder = home.filePath("Videos/Swish Cam/");
    QVERIFY2(line.startsWith("Clip saved: " + folder + "swishcam-"), qPrintable(line));
    QVERIFY(QFileInfo(line.mid(12)).size() > 0 && QDir(folder).entryList(QDir::Files).size() == 1);
  }

  void aPresentFromAnotherThreadIsPainted() {
    SceneDialog dialog;
    QVERIFY(dialog.start());
    QCoreApplication::processEvents();
    dialog.painted.clear();
    std::thread([&] {
      DrawLockGuard guard;
      dialog.surface().present({10, 20, 50, 60});
    }).join();
    while (dialog.painted.empty()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    QVERIFY(dialog.painted.front().contains(QRect(10, 20, 40, 40)));
  }

  // The message's words are the engine's; the box and its line ends are the window's.
  void noCameraEndsTheStartWithItsMessage() {
    SourceCatalog none;
    QTemporaryDir folder;
    GameWindow lonely(none, folder.filePath("Swishcam.prm").toStdString());
    QString seen;
    whenModalOf<QMessageBox>([&seen](QMessageBox& box) {
      seen = QString("%1|%2|%3|%4").arg(box.windowTitle()).arg(box.icon()).arg(box.buttons().size())
                 .arg(box.text().left(54));
      box.button(QMessageBox::Ok)->click();
    });
    QVERIFY(!lonely.start());
    QCOMPARE(seen, QString("Swish Cam message|%1|1|No video capture device was detected on your"
                           " system.\n\n").arg(QMessageBox::Warning));
  }

  void aRefusedSizeIsNotLaidOutAgainAtEveryMove() {
    SceneDialog dialog;
    dialog.refuseBeyond = QSize(700, 400);  // smaller than any court
    QVERIFY(dialog.start());
    for (int move = 0; move < 3; ++move) {
      QCoreApplication::sendPostedEvents(&dialog, QEvent::MetaCall);
      moveMouse(dialog, {5, 5});
    }
    QCOMPARE(dialog.placements, 1);  // the refusal is known as such: not asked again
  }

  // Before its first layout the window has dialog 102's 528 × 265 units of its font: a
  // quarter of the average character width and an eighth of the height a unit. Dragged back
  // to that size after the layout grew it, it is laid out again: that size was never refused.
  void theFirstLayoutGrowsTheWindowAndADragBackIsLaidOutAgain() {
    const QFontMetrics font(dialogFont());
    const QSize units(528 * font.averageCharWidth() / 4, 265 * font.height() / 8);
    SceneDialog dialog;
    QCOMPARE(dialog.size(), units);
    QVERIFY(dialog.start());
    const QSize laidOut = dialog.size();
    QVERIFY(laidOut != units);
    moveMouse(dialog, {5, 5});  // the user goes for the window's edge
    dialog.resize(units);
    moveMouse(dialog, {5, 5});
    QCOMPARE(dialog.placements, 2);
    QCOMPARE(QSize(dialog.engine().court.fieldWidth, dialog.engine().court.fieldHeight), laidOut);
  }

  // A 640 × 480 camera's 1068 × 600 field is wider than the offscreen platform's 800 × 800
  // screen: clicks land where the areas are shown, and a resize only scales the picture anew.
  void aFieldLargerThanTheScreenIsShownScaledDown() {
    SceneDialog dialog(QSize(640, 480));
    QVERIFY(dialog.start());
    const Court& court = dialog.engine().court;
    QVERIFY(dialog.fieldView().scaled());
    const auto showing = [&](int x, int y) { return dialog.fieldView().toWindow({x, y, 1, 1}).center(); };
    const int rightStrip = (court.rightRingRect.left + court.fieldWidth) / 2;
    for (const auto& [x, y] : {std::pair{court.frameRect.left + 20, court.frameRect.top + 20},
                               {rightStrip, 20}, {rightStrip, 400}, {court.fieldWidth / 2, 100}})
      QTest::mouseClick(&dialog, Qt::LeftButton, {}, showing(x, y));
    QCOMPARE(dialog.opened, QString("VPE"));
    dialog.resize(dialog.size() - QSize(100, 50));
    moveMouse(dialog, {5, 5});
    QCOMPARE(dialog.placements, 1);
    QCOMPARE(QSize(court.fieldWidth, court.fieldHeight), QSize(1068, 600));
    QCOMPARE(dialog.fitField({748, 460}), (Size{748, 460}));  // fits again: shown 1:1
    QVERIFY(!dialog.fieldView().scaled() && dialog.size() == QSize(748, 460));
  }

  // A held Escape repeats: one press closes one window, never the settings and the game.
  void aHeldEscapeClosesOneWindowOnly() {
    SceneDialog dialog;
    QVERIFY(dialog.start());
    quint64 now = 1000;  // ms
    const auto escape = [&](QWidget* target, QEvent::Type type, bool repeat, quint64 wait) {
      QKeyEvent key(type, Qt::Key_Escape, Qt::NoModifier, QString(), repeat);
      key.setTimestamp(now += wait);
      QApplication::sendEvent(target, &key);
    };
    // Repeats flagged as such and, as some window systems send them, unflagged but 40 ms apart.
    const auto holdThenPress = [&](QWidget* target) {
      for (bool flagged : {true, false})
        escape(target, QEvent::KeyRelease, flagged, 40), escape(target, QEvent::KeyPress, flagged, 0);
      const bool keptOpen = target->isVisible();
      escape(target, QEvent::KeyPress, false, 300);
      return keptOpen && !target->isVisible();
    };
    bool settingsClosedOnce = false;
    whenModal([&](QWidget* settings) { settingsClosedOnce = settings && holdThenPress(settings); });
    environmentDialogFlow(&dialog, dialog.engine());
    QVERIFY(settingsClosedOnce && holdThenPress(&dialog));
  }

  // F1 over a settings dialog or the winner's screen shows a help that can be closed.
  void f1AnywhereShowsAUsableHelp() {
    SceneDialog main;
    main.show();
    for (bool winner : {false, true}) {
      std::unique_ptr<QDialog> modal;
      if (winner) modal = std::make_unique<WinnerScreen>(&main, QStringLiteral("Player1"));
      else modal = std::make_unique<EnvironmentDialog>(EnvironmentSettings{}, Ball{}.gravityUnit, &main);
      bool usable = false, stillOpen = false;
      whenModal([&](QWidget* open) {
        if (open == nullptr) return;
        QTest::keyClick(open->focusWidget() ? open->focusWidget() : open, Qt::Key_F1);
        stillOpen = open->isVisible();
        if (HelpWindow* help = main.helpWindow(); help != nullptr && help->isVisible()) {
          // Through the window system, which drops input to blocked windows.
          const QWidget* close = help->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Close);
          QTest::mouseClick(help->windowHandle(), Qt::LeftButton, {}, close->mapTo(help, close->rect().center()));
          usable = !help->isVisible();
        }
        open->close();
      });
      modal->exec();
      QVERIFY(usable);
      QCOMPARE(stillOpen, !winner);  // the winner's screen closes on any key
    }
  }

  void aSettingsFileThatCannotBeUsedOrSavedIsTold() {
    SceneDialog dialog;
    const std::string settings = dialog.folder.filePath("odd.prm").toStdString();
    QVERIFY(QDir(dialog.folder.path()).mkdir("odd.prm"));  // a folder named like the file
    dialog.engine().settingsPath = settings;
    dialog.engine().settingsLoad = dialog.engine().loadSettings();
    QVERIFY(dialog.start());
    dialog.done(0);
    QCOMPARE(dialog.told.size(), std::size_t{2});
    QVERIFY(dialog.told[0].starts_with("The settings file " + settings + " cannot be used (Is a directory)."));
    QCOMPARE(dialog.told[1], "The settings could not be saved to " + settings + " (Is a directory).");
  }
};

QTEST_MAIN(GameWindowTest)
#include "GameWindow_qt.moc"
