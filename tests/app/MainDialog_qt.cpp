#include <QDialogButtonBox>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPaintEvent>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "app/AboutBox.h"
#include "app/DialogUnits.h"
#include "app/FrameSources.h"
#include "app/HelpWindow.h"
#include "app/MainDialog.h"
#include "capture/SteppedSource.h"
#include "dialogs/EnvironmentDialog.h"
#include "dialogs/PlayersDialog.h"
#include "platform/DrawLock.h"
#include "render/qt/WinScreen.h"
#include "support/ModalDriver.h"

namespace {

// The main window with its settings flows and winner's screen recorded instead of opened,
// and its paints counted.
class RecordingDialog final : public MainDialog {
 public:
  using MainDialog::MainDialog;

  std::vector<FieldArea> opened;
  std::vector<std::string> winners;
  std::vector<QRect> painted;
  bool videoFlowResult = true;

 protected:
  bool openFlow(FieldArea area) override {
    opened.push_back(area);
    return area != FieldArea::Video || videoFlowResult;
  }
  void showWinner(const std::string& winnerText) override { winners.push_back(winnerText); }
  void paintEvent(QPaintEvent* event) override {
    MainDialog::paintEvent(event);
    painted.push_back(event->rect());
  }
};

// A main window on the demo camera and a manual clock, with a settings file of its own.
template <typename Dialog>
struct WindowScene {
  WindowScene() {
    dialog = std::make_unique<Dialog>(catalog, folder.filePath("Swishcam.prm").toStdString(), &clock);
    Options options;
    options.width = 320;
    options.height = 240;
    demo = makeDemoProvider(options, dialog->engine(), Delivery::Stepped);
    catalog.add(*demo);
  }
  GameEngine& engine() { return dialog->engine(); }

  // Court rectangles of a 640 × 480 field, as a layout would set them.
  void setCourt() {
    engine().frameRect = {160, 240, 480, 480};
    engine().scoreBoxRect = {250, 0, 390, 60};
    engine().leftRingRect = {10, 150, 140, 200};
    engine().rightRingRect = {500, 150, 630, 200};
  }

  // The frame step's report of a period's end, with these scores, handled by the window.
  void handleFrameEvent(std::intptr_t lParam, int leftScore, int rightScore) {
    engine().leftScore = leftScore;
    engine().rightScore = rightScore;
    engine().gameOver = 1;
    dialog->postFrameEvent(lParam);
    QCoreApplication::sendPostedEvents(dialog.get());
  }

  // One demo frame at the clock's time, delivered on a thread of its own as a capture thread
  // delivers it; false while the capture is stopped.
  bool deliverFrame() {
    bool delivered = false;
    std::thread([&] { delivered = demo->stepped != nullptr && demo->stepped->deliver(); }).join();
    return delivered;
  }

  QTemporaryDir folder;
  ManualTickClock clock{100000};
  SourceCatalog catalog;
  std::unique_ptr<PainterProvider> demo;  // outlives the window, whose engine holds its source
  std::unique_ptr<Dialog> dialog;
};

std::vector<FieldArea> clickAt(RecordingDialog& dialog, QPoint at, Qt::MouseButton button) {
  dialog.opened.clear();
  QTest::mouseClick(&dialog, button, {}, at);
  return dialog.opened;
}

using Areas = std::vector<FieldArea>;

// The widget that has the focus when the window opens; the window itself if it has none.
QWidget* firstTabStop(QWidget& window) {
  for (QWidget* widget = window.nextInFocusChain(); widget != &window;
       widget = widget->nextInFocusChain())
    if (widget->focusPolicy() & Qt::TabFocus) return widget;
  return &window;
}

using DialogMaker = std::function<std::unique_ptr<QDialog>(QWidget* owner)>;

// A mouse event straight to the widget, without the move Qt puts before a press elsewhere.
void sendMouse(QWidget& widget, QEvent::Type type, QPoint at, Qt::MouseButton button) {
  QMouseEvent event(type, at, widget.mapToGlobal(at), button, button, Qt::NoModifier);
  QApplication::sendEvent(&widget, &event);
}

void moveMouse(QWidget& widget, QPoint at) {
  sendMouse(widget, QEvent::MouseMove, at, Qt::NoButton);
}

// A window manager that keeps the window within `largest` and answers each placement later,
// as an X11 window manager does.
class RefusingDialog final : public MainDialog {
 public:
  using MainDialog::MainDialog;

  void placeWindow(int x, int y, int outerWidth, int outerHeight) override {
    ++placements;
    MainDialog::placeWindow(x, y, outerWidth, outerHeight);
    QMetaObject::invokeMethod(
        this, [this] { resize(size().boundedTo(largest)); }, Qt::QueuedConnection);
  }

  QSize largest{700, 400};  // smaller than any court
  int placements = 0;
};

}  // namespace

class MainDialogTest : public QObject {
  Q_OBJECT

 private slots:
  void cleanup() {
    for (QWidget* window : QApplication::topLevelWidgets()) window->close();
  }

  void titleIsSwishCam() {
    WindowScene<RecordingDialog> scene;
    QCOMPARE(scene.dialog->windowTitle(), QStringLiteral("Swish Cam"));
    QVERIFY(scene.dialog->isWindow());
  }

  // Expected flows as letters: V video, P players, E environment.
  void clicksOpenTheirArea_data() {
    QTest::addColumn<QPoint>("at");
    QTest::addColumn<QString>("opens");
    QTest::newRow("left strip on the score box's bottom row") << QPoint(20, 60) << "";
    QTest::newRow("right strip on the score box's bottom row") << QPoint(600, 60) << "";
    QTest::newRow("strip one row above it") << QPoint(20, 59) << "P";
    QTest::newRow("strip one row below it") << QPoint(20, 61) << "E";
    QTest::newRow("right strip low") << QPoint(600, 400) << "E";
    QTest::newRow("left strip's last column") << QPoint(139, 100) << "E";
    QTest::newRow("left ring's right edge") << QPoint(140, 100) << "";
    QTest::newRow("right ring's left edge") << QPoint(500, 100) << "";
    QTest::newRow("right strip's first column") << QPoint(501, 100) << "E";
    QTest::newRow("between the strips") << QPoint(200, 100) << "";
    QTest::newRow("picture's right edge") << QPoint(480, 300) << "";
    QTest::newRow("score box's bottom edge between the strips") << QPoint(300, 60) << "";
    QTest::newRow("picture's top-left pixel") << QPoint(160, 240) << "V";
    QTest::newRow("score box's last pixel") << QPoint(389, 59) << "P";
  }

  void clicksOpenTheirArea() {
    QFETCH(QPoint, at);
    QFETCH(QString, opens);
    WindowScene<RecordingDialog> scene;
    scene.setCourt();
    RecordingDialog& dialog = *scene.dialog;
    const auto letters = [](const Areas& areas) {
      QString text;
      for (FieldArea area : areas)
        text += area == FieldArea::Video ? 'V' : area == FieldArea::Players ? 'P' : 'E';
      return text;
    };
    QCOMPARE(letters(clickAt(dialog, at, Qt::LeftButton)), opens);
    QCOMPARE(letters(clickAt(dialog, at, Qt::RightButton)), opens);
    QCOMPARE(letters(clickAt(dialog, at, Qt::MiddleButton)), QString());
  }

  void theThreeAreasAreTriedInTurnWithTheSamePoint() {
    WindowScene<RecordingDialog> scene;
    scene.setCourt();
    scene.engine().frameRect = {0, 0, 640, 480};  // a picture under the whole field
    RecordingDialog& dialog = *scene.dialog;
    QCOMPARE(clickAt(dialog, {20, 30}, Qt::LeftButton), (Areas{FieldArea::Video, FieldArea::Players}));
    QCOMPARE(clickAt(dialog, {20, 300}, Qt::LeftButton),
             (Areas{FieldArea::Video, FieldArea::Environment}));
  }

  void aFailedVideoFlowEndsTheProgram() {
    WindowScene<RecordingDialog> scene;
    RecordingDialog& dialog = *scene.dialog;
    QVERIFY(dialog.start());
    scene.setCourt();
    scene.engine().frameRect = {0, 0, 640, 480};
    dialog.videoFlowResult = false;
    QCOMPARE(clickAt(dialog, {20, 30}, Qt::LeftButton), Areas{FieldArea::Video});
    QCOMPARE(dialog.result(), 0);
    QVERIFY(!dialog.isWindow());
    QVERIFY(dialog.engine().source == nullptr);
  }

  void ownCursorOverTheClickableAreasOnly() {
    WindowScene<RecordingDialog> scene;
    scene.setCourt();
    RecordingDialog& dialog = *scene.dialog;
    const auto cursorAt = [&](QPoint at) {
      moveMouse(dialog, at);
      return dialog.cursor().shape() == Qt::BitmapCursor;
    };
    QVERIFY(cursorAt({300, 300}));   // picture
    QVERIFY(!cursorAt({200, 100}));  // between the strips
    QVERIFY(cursorAt({300, 30}));    // score box
    QVERIFY(cursorAt({20, 300}));    // strip below
    QVERIFY(!cursorAt({20, 60}));    // strip, exactly on the score box's bottom edge
    QVERIFY(cursorAt({20, 59}));
    QCOMPARE(dialog.cursor().hotSpot(), QPoint(10, 9));
  }

  void aResizeIsLaidOutAtTheNextMouseMovementKeepingScoresAndClock() {
    WindowScene<RecordingDialog> scene;
    RecordingDialog& dialog = *scene.dialog;
    GameEngine& engine = scene.engine();
    QVERIFY(dialog.start());
    QVERIFY(!engine.backdrop.empty());
    QVERIFY(!dialog.sizeChanged());  // the layout's own resize does not count
    const int laidOutWidth = engine.fieldWidth;
    const int laidOutHeight = engine.fieldHeight;
    QCOMPARE(dialog.size(), QSize(laidOutWidth, laidOutHeight));
    engine.leftScore = 6;
    engine.rightScore = 4;
    const std::uint32_t started = engine.gameStartTick;
    scene.clock.advance(1234);

    dialog.resize(laidOutWidth + 40, laidOutHeight + 20);
    QVERIFY(dialog.sizeChanged());
    QCOMPARE(engine.fieldWidth, laidOutWidth);

    moveMouse(dialog, {5, 5});
    QVERIFY(!dialog.sizeChanged());
    QCOMPARE(engine.fieldWidth, laidOutWidth + 40);
    QCOMPARE(engine.fieldHeight, laidOutHeight + 20);
    QCOMPARE(engine.leftScore, 6);
    QCOMPARE(engine.rightScore, 4);
    QCOMPARE(engine.gameStartTick, started);
    QVERIFY(scene.deliverFrame());  // the capture runs again
  }

  // Before its first layout the window is 528 × 265 dialog units, 792 × 430 pixels in DejaVu
  // Sans 8 point; the layout only grows it, so a 320 × 240 camera gets a wider field than
  // the court needs.
  void theFirstLayoutGrowsTheDialogsOwnSize() {
    QCOMPARE(dialogUnitsToPixels({528, 265}, QFontMetrics(dialogFont())), QSize(792, 430));
    WindowScene<MainDialog> scene;
    QVERIFY(scene.dialog->start());
    QCOMPARE(QSize(scene.engine().fieldWidth, scene.engine().fieldHeight), QSize(792, 460));
    QCOMPARE(scene.dialog->size(), QSize(792, 460));
  }

  // The window has a hit test before every click: a resize is laid out before the click is
  // tested against the court's areas.
  void aClickRightAfterAResizeHitsTheNewCourt() {
    WindowScene<RecordingDialog> scene;
    RecordingDialog& dialog = *scene.dialog;
    QVERIFY(dialog.start());
    const Rect picture = scene.engine().frameRect;
    dialog.resize(dialog.width() + 200, dialog.height() + 100);
    // Right of and below the old picture, between the old side strips: in the new picture.
    sendMouse(dialog, QEvent::MouseButtonPress, {picture.right + 40, picture.bottom + 40},
              Qt::RightButton);
    QCOMPARE(dialog.opened, Areas{FieldArea::Video});
    QVERIFY(!dialog.sizeChanged());
  }

  void aRefusedSizeIsNotLaidOutAgainAtEveryMove() {
    WindowScene<RefusingDialog> scene;
    RefusingDialog& dialog = *scene.dialog;
    QVERIFY(dialog.start());
    const auto refuse = [&] { QCoreApplication::sendPostedEvents(&dialog, QEvent::MetaCall); };
    for (int move = 0; move < 3; ++move) {
      refuse();
      moveMouse(dialog, {5, 5});
    }
    refuse();
    QCOMPARE(dialog.size(), QSize(700, 400));
    QCOMPARE(dialog.placements, 2);  // the start, and once more from the refused size
  }

  void aResizeBeforeTheFirstLayoutOnlyClearsTheFlag() {
    WindowScene<RecordingDialog> scene;
    RecordingDialog& dialog = *scene.dialog;
    dialog.resize(300, 200);
    dialog.show();
    QVERIFY(dialog.sizeChanged());
    moveMouse(dialog, {5, 5});
    QVERIFY(!dialog.sizeChanged());
    QCOMPARE(dialog.engine().fieldWidth, 0);
  }

  void frameEventOtherThanTwoOnlyClearsGameOver() {
    WindowScene<RecordingDialog> scene;
    GameEngine& engine = scene.engine();
    QVERIFY(scene.dialog->start());
    const TopTenTable before = engine.topTen;
    scene.handleFrameEvent(1, 5, 3);
    QCOMPARE(engine.gameOver.load(), 0u);
    QCOMPARE(engine.leftScore, 5);
    QCOMPARE(engine.rightScore, 3);
    QVERIFY(engine.topTen == before);
    QVERIFY(scene.dialog->winners.empty());
  }

  void frameEventTwoEndsTheGame() {
    WindowScene<RecordingDialog> scene;
    GameEngine& engine = scene.engine();
    QVERIFY(scene.dialog->start());
    scene.handleFrameEvent(FRAME_EVENT_GAME_OVER, 4, 4);
    QCOMPARE(scene.dialog->winners, std::vector<std::string>{"Friendship"});
    QCOMPARE(engine.topTen[0].nameView(), std::string_view("Player1"));
    QCOMPARE(engine.topTen[0].points, 4);
    QCOMPARE(engine.topTen[1].nameView(), std::string_view("Player2"));
    QCOMPARE(engine.leftScore, 0);
    QCOMPARE(engine.rightScore, 0);
    QCOMPARE(engine.gameOver.load(), 0u);
  }

  // The demo camera plays; the period ends on the capture thread; the window shows the real
  // winner's screen, which a key closes; the top ten is updated and frames play a new game.
  void aWholeGameWithTheDemoCamera() {
    WindowScene<MainDialog> scene;
    GameEngine& engine = scene.engine();
    engine.periodMinutes = 5;
    QVERIFY(scene.dialog->start());
    for (int frame = 0; frame < 30; ++frame) {
      scene.clock.advance(33);
      QVERIFY(scene.deliverFrame());
    }
    QCOMPARE(engine.gameOver.load(), 0u);
    engine.leftScore += 12;  // between frames: the frame step is not running
    engine.ballInRing = 0;
    scene.clock.advance(300000);
    QVERIFY(scene.deliverFrame());
    QCOMPARE(engine.gameOver.load(), 1u);

    QString shown;
    int finalLeft = -1, finalRight = -1;
    bool frameWhileOpenPlayed = true;
    whenModal([&](QWidget* modal) {
      if (auto* screen = dynamic_cast<WinScreen*>(modal)) shown = screen->winnerText();
      finalLeft = engine.leftScore;
      finalRight = engine.rightScore;
      // Frames keep coming while the screen is open: they only hold the clock.
      scene.clock.advance(5000);
      const std::uint32_t before = engine.frameDoneTick;
      QVERIFY(scene.deliverFrame());
      frameWhileOpenPlayed = engine.frameDoneTick != before;
      if (modal != nullptr) QTest::keyClick(modal, Qt::Key_Space);
    });
    QCoreApplication::sendPostedEvents(scene.dialog.get());

    QVERIFY(finalLeft >= 12);
    QCOMPARE(shown, QString::fromStdString(finalLeft > finalRight   ? "Player1"
                                           : finalRight > finalLeft ? "Player2"
                                                                    : "Friendship"));
    QVERIFY(!frameWhileOpenPlayed);
    const auto row = std::find_if(engine.topTen.begin(), engine.topTen.end(),
                                  [](const TopTenEntry& e) { return e.nameView() == "Player1"; });
    QVERIFY(row != engine.topTen.end());
    QCOMPARE(row->points, finalLeft);
    QCOMPARE(row->gameTime, 5);
    QCOMPARE(engine.leftScore, 0);
    QCOMPARE(engine.rightScore, 0);
    QCOMPARE(engine.gameOver.load(), 0u);
    QCOMPARE(engine.gameStartTick, scene.clock.now());  // restarted by the held frame
    scene.clock.advance(33);
    QVERIFY(scene.deliverFrame());
    QCOMPARE(engine.frameDoneTick, scene.clock.now());
    QCOMPARE(engine.gameOver.load(), 0u);
  }

  void presentFromAnotherThreadIsPaintedOnTheWindowThread() {
    WindowScene<RecordingDialog> scene;
    RecordingDialog& dialog = *scene.dialog;
    dialog.surface().create(320, 240);
    dialog.resize(320, 240);
    dialog.show();
    QCoreApplication::processEvents();
    dialog.painted.clear();
    std::thread([&] {
      DrawLockGuard guard;
      dialog.surface().present({10, 20, 50, 60});
    }).join();
    while (dialog.painted.empty()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    QVERIFY(dialog.painted.front().contains(QRect(10, 20, 40, 40)));
  }

  void escapeClosesAndStopsTheCaptureEnterDoesNothing() {
    WindowScene<MainDialog> scene;
    MainDialog& dialog = *scene.dialog;
    QVERIFY(dialog.start());
    dialog.show();
    QTest::keyClick(&dialog, Qt::Key_Return);
    QVERIFY(dialog.isVisible());
    QVERIFY(dialog.engine().source != nullptr);
    QTest::keyClick(&dialog, Qt::Key_Escape);
    QVERIFY(!dialog.isVisible());
    QVERIFY(dialog.engine().source == nullptr);
    QVERIFY(!dialog.isWindow());
  }

  // Escape held in a settings dialog closes it; its repeats, flagged or as the X server sends
  // them unflagged (a release and a press of one timestamp), close neither the dialog nor the
  // game behind it. A fresh press still closes each.
  void aHeldEscapeClosesOneWindowOnly() {
    WindowScene<MainDialog> scene;
    MainDialog& dialog = *scene.dialog;
    QVERIFY(dialog.start());
    scene.setCourt();
    quint64 now = 1000;  // ms
    const auto escape = [&](QWidget* target, QEvent::Type type, bool flagged, quint64 wait) {
      QKeyEvent key(type, Qt::Key_Escape, Qt::NoModifier, QString(), flagged);
      key.setTimestamp(now += wait);
      QApplication::sendEvent(target, &key);
    };
    const auto repeats = [&](QWidget* target) {
      for (bool flagged : {true, false}) {
        escape(target, QEvent::KeyRelease, flagged, 40);
        escape(target, QEvent::KeyPress, flagged, 0);
      }
    };
    bool repeatsKeptTheSettings = false;
    whenModal([&](QWidget* settings) {
      if (settings == nullptr) return;
      repeats(settings);
      repeatsKeptTheSettings = settings->isVisible();
      escape(settings, QEvent::KeyPress, false, 300);
    });
    QTest::mouseClick(&dialog, Qt::LeftButton, {}, QPoint(20, 300));  // environment strip
    QVERIFY(repeatsKeptTheSettings);
    repeats(&dialog);
    QVERIFY(dialog.isWindow());
    escape(&dialog, QEvent::KeyPress, false, 300);
    QVERIFY(!dialog.isWindow());
  }

  void destroyingTheWindowSavesTheSettings() {
    WindowScene<MainDialog> scene;
    const QString settings = scene.folder.filePath("Swishcam.prm");
    QVERIFY(scene.dialog->start());
    scene.engine().periodMinutes = 12;
    scene.dialog.reset();
    QCOMPARE(QFileInfo(settings).size(), 360);
    WindowScene<MainDialog> again;
    again.dialog = std::make_unique<MainDialog>(again.catalog, settings.toStdString(), &again.clock);
    QCOMPARE(again.engine().periodMinutes, 12);
  }

  void captureFailureShowsTheMessageBox() {
    QTemporaryDir folder;
    SourceCatalog none;
    MainDialog dialog(none, folder.filePath("Swishcam.prm").toStdString());
    QString caption, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    int buttons = 0;
    whenModal([&](QWidget* modal) {
      auto* box = qobject_cast<QMessageBox*>(modal);
      if (box == nullptr) return;
      caption = box->windowTitle();
      text = box->text();
      icon = box->icon();
      buttons = static_cast<int>(box->buttons().size());
      box->button(QMessageBox::Ok)->click();
    });
    QVERIFY(!dialog.start());
    QCOMPARE(caption, QStringLiteral("Swish Cam message"));
    QCOMPARE(icon, QMessageBox::Warning);
    QCOMPARE(buttons, 1);
    QVERIFY(text.startsWith(QStringLiteral("No video capture device was detected on your system.\n\n")));
    QVERIFY(!text.contains(QLatin1Char('\r')));
  }

  void aSettingsFileThatCannotBeUsedOrSavedIsTold() {
    // The messages as showMessage gets them; captureFailureShowsTheMessageBox shows the box.
    struct TellingDialog final : MainDialog {
      using MainDialog::MainDialog;
      void showMessage(const std::string& text) override { told.push_back(text); }
      std::vector<std::string> told;
    };
    QTemporaryDir folder;
    const std::string settings = folder.filePath("Swishcam.prm").toStdString();
    QVERIFY(QDir(folder.path()).mkdir("Swishcam.prm"));  // a folder named like the file
    SourceCatalog none;
    TellingDialog dialog(none, settings);
    QVERIFY(!dialog.start());  // the load's message, then the capture's
    dialog.done(0);            // the save's
    QCOMPARE(dialog.told.size(), std::size_t{3});
    QVERIFY(dialog.told[0].starts_with("The settings file " + settings +
                                       " cannot be used (Is a directory)."));
    QCOMPARE(dialog.told[2],
             "The settings could not be saved to " + settings + " (Is a directory).");
  }

  void aLostCameraIsReportedOnTheWindowThread() {
    WindowScene<MainDialog> scene;
    QString text;
    QThread* shownOn = nullptr;
    whenModal([&](QWidget* modal) {
      auto* box = qobject_cast<QMessageBox*>(modal);
      if (box == nullptr) return;
      text = box->text();
      shownOn = QThread::currentThread();
      box->button(QMessageBox::Ok)->click();
    });
    std::thread([&] { scene.dialog->reportStreamLost(); }).join();
    QCoreApplication::sendPostedEvents(scene.dialog.get(), QEvent::MetaCall);
    QVERIFY(text.startsWith(QStringLiteral("The video capture device has stopped delivering pictures.\n\n")));
    QCOMPARE(shownOn, QCoreApplication::instance()->thread());
  }

  void bringingToFrontRestoresAMinimizedWindow() {
    WindowScene<MainDialog> scene;
    MainDialog& dialog = *scene.dialog;
    QVERIFY(dialog.start());
    dialog.showMinimized();
    dialog.bringToFront();
    QVERIFY(dialog.isVisible());
    QVERIFY(!(dialog.windowState() & Qt::WindowMinimized));
  }

  // F1 in a modal window over the main window shows the help, which can be used (closed)
  // while that window stays open; the winner's screen closes on it as on any key.
  void f1AnywhereShowsAUsableHelp_data() {
    QTest::addColumn<DialogMaker>("make");
    QTest::addColumn<bool>("closes");
    static const TopTenTable none{};
    QTest::newRow("environment") << DialogMaker([](QWidget* owner) {
      return std::make_unique<EnvironmentDialog>(EnvironmentValues{}, owner);
    }) << false;
    QTest::newRow("players") << DialogMaker([](QWidget* owner) {
      return std::make_unique<PlayersDialog>(PlayersValues{}, none, owner);
    }) << false;
    QTest::newRow("winner's screen") << DialogMaker([](QWidget* owner) {
      return std::make_unique<WinScreen>(owner, QStringLiteral("Player1"));
    }) << true;
  }

  void f1AnywhereShowsAUsableHelp() {
    QFETCH(DialogMaker, make);
    QFETCH(bool, closes);
    WindowScene<MainDialog> scene;
    MainDialog& main = *scene.dialog;
    main.show();
    const std::unique_ptr<QDialog> dialog = make(&main);
    bool shown = false, usable = false, stillOpen = false;
    whenModal([&](QWidget* modal) {
      if (modal == nullptr) return;
      QTest::keyClick(firstTabStop(*modal), Qt::Key_F1);
      stillOpen = modal->isVisible();
      HelpWindow* help = main.helpWindow();
      shown = help != nullptr && help->isVisible();
      if (shown) {  // through the window system, which drops input to blocked windows
        const QWidget* close =
            help->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Close);
        QTest::mouseClick(help->windowHandle(), Qt::LeftButton, {},
                          close->mapTo(help, close->rect().center()));
        usable = !help->isVisible();
      }
      modal->close();
    });
    dialog->exec();
    QVERIFY(shown);
    QVERIFY(usable);
    QCOMPARE(stillOpen, !closes);
  }

  void f1OpensHelpWhichReachesTheAboutBox() {
    WindowScene<MainDialog> scene;
    MainDialog& dialog = *scene.dialog;
    dialog.show();
    QTest::keyClick(&dialog, Qt::Key_F1);
    HelpWindow* help = dialog.helpWindow();
    QVERIFY(help != nullptr);
    QVERIFY(help->isVisible());
    QCOMPARE(help->windowTitle(), QStringLiteral("Swish Cam Help"));
    QVERIFY(HelpWindow::helpText().contains(QStringLiteral("Where to click")));

    QString title, text;
    whenModal([&](QWidget* modal) {
      auto* box = qobject_cast<QMessageBox*>(modal);
      if (box == nullptr) return;
      title = box->windowTitle();
      text = box->text();
      box->button(QMessageBox::Ok)->click();
    });
    help->aboutButton()->click();
    QCOMPARE(title, QStringLiteral("About Swish Cam"));
    QVERIFY(text.contains(QStringLiteral("Swish Cam")));
    QVERIFY(text.contains(QStringLiteral(SWISH_VERSION)));
  }
};

QTEST_MAIN(MainDialogTest)
#include "MainDialog_qt.moc"
