#include <QCheckBox>
#include <QLineEdit>
#include <QtTest>

#include "capture/CameraSettings.h"
#include "dialogs/FormatDialog.h"
#include "dialogs/VideoDialog.h"
#include "dialogs/DialogFlows.h"
#include "dialogs/TopTenDialog.h"
#include "support/EngineScene.h"
#include "support/ModalDriver.h"

namespace {
// What the dialogs edit: gravity ball basket ring skin | names persons period speed skill.
QString settingsOf(const GameEngine& e) {
  const Match& m = e.match;
  const TimingSettings& t = e.settings().timing;
  return QString("%1 %2 %3 %4 %5 | %6 %7 %8%9 %10 %11 %12")
      .arg(e.ball.gravity).arg(e.ball.radius).arg(e.court.basketSize).arg(e.court.ringHeight)
      .arg(e.court.skinIndex).arg(m.leftName.c_str(), m.rightName.c_str()).arg(m.leftIsPerson)
      .arg(m.rightIsPerson).arg(t.periodMinutes).arg(t.movesPerFrame).arg(t.computerSkill);
}

const QString defaults = "600 30 112 200 3 | Player1 Player2 11 5 2 0";
const QString stop = "stop " + defaults;

// A camera of two sizes whose starts, stops and format reads go to a log, with the settings
// at each stop and at each format read (the layout's).
struct LoggingCamera final : FrameSource, CameraSettings {
  LoggingCamera(const GameEngine& engine, QStringList& log) : engine(engine), log(log) {}
  FrameFormat format() const override { return log << settingsOf(engine), FrameFormat{current.width, current.height}; }
  CaptureError start(FrameSink&) override { return log << "start", CaptureError::None; }
  void stop() override { log << "stop " + settingsOf(engine); }
  CameraSettings* settings() override { return this; }
  bool streamLost() const override { return unplugged; }
  std::vector<CameraMode> modes() override { return {offered[0], offered[1]}; }
  CameraMode mode() const override { return current; }
  CaptureError setMode(const CameraMode& m) override { return current = m, CaptureError::None; }
  std::vector<CameraControl> controls() override { return {}; }
  bool setControl(std::uint32_t, int) override { return false; }
  static constexpr std::uint32_t yuyv = fourcc('Y', 'U', 'Y', 'V');
  const GameEngine& engine;
  QStringList& log;
  CameraMode offered[2] = {{yuyv, "YUYV", 320, 240, 1, 30}, {yuyv, "YUYV", 640, 480, 1, 30}};
  CameraMode current = offered[0];
  bool unplugged = false;
};

// A game at 7 : 9 on "Cam", of the cameras "Cam 2" and "Cam"; the log starts after its build.
struct FlowScene : SourceProvider, EngineScene {
  explicit FlowScene(bool laidOut = true) {
    catalog = SourceCatalog();  // these cameras instead of the scripted one
    catalog.add(*this);
    engine->applyVideo({1, "Cam"});  // no window yet: only the name is kept
    if (laidOut) QVERIFY(build());
    log.clear();
    match.leftScore = 7;
    match.rightScore = 9;
    clock.advance(12345);
  }
  ~FlowScene() override { engine->closeCamera(); }  // while the log still exists
  // As a settings file read again would: the game's own record is read-only from here.
  void replaceTopTen(const TopTenTable& table) {
    GameSettings settings = engine->settings();
    settings.topTen = table;
    QVERIFY(writeSettingsFile(folder.file("Swishcam.prm"), settings).ok());
    engine->stopCapture();
    QVERIFY(engine->loadSettings().ok());
    engine->startCapture();
  }
  std::vector<std::string> deviceNames() override { return {"Cam 2", "Cam"}; }
  std::unique_ptr<FrameSource> open(std::size_t, CaptureError& error) override {
    if ((error = openError) != CaptureError::None) return nullptr;
    auto source = std::make_unique<LoggingCamera>(*engine, log);
    camera = source.get();
    return source;
  }
  QStringList log;
  LoggingCamera* camera = nullptr;  // the last opened
  CaptureError openError = CaptureError::None;
  Match& match = engine->match;
};

// A dialog closed with `button` ("confirm" or "cancel") after `change`, or not; `after`: the
// settings then, empty when nothing is applied.
struct OkRow { bool players, change; QString button; bool laidOut; QString after; };

// Mirror flipped or not, a camera chosen, the one in use unplugged, a build that fails.
struct VideoRow { bool ok, flip; QString choose; bool unplugged, buildFails; };
using Flow = void (*)(QWidget*, GameEngine&);
using Picks = std::vector<std::pair<QString, int>>;  // list and entry
const Picks environmentChange{{"gravitation", 7}, {"ballSize", 9}, {"basketSize", 1},
                              {"ringHeight", 7}, {"skin", 0}};
const Picks playersChange{{"period", 5}, {"speed", 8}, {"skill", 5}};

// Runs `flow`, lets `act` work on its dialog, then presses "confirm" or "cancel".
void runFlow(Flow flow, GameEngine& engine, std::function<void(QDialog&)> act,
             const QString& button) {
  whenModalOf<QDialog>([&](QDialog& dialog) {
    act(dialog);
    dialog.findChild<QPushButton*>(button)->click();
  });
  flow(nullptr, engine);
}

}  // namespace

class SettingsDialogsTest : public QObject {
  Q_OBJECT

 private slots:
  // Each list as a new game opens it; each entry that OK stores is preselected again.
  void listsOpenOnTheGamesSettings_data() {
    QTest::addColumn<QString>("entries");  // the one shown, then every entry
    QTest::newRow("gravitation") << "1.0 g (default value)|0.2 g|0.4 g|0.6 g|0.8 g|"
                                    "1.0 g (default value)|1.5 g|2.0 g|2.5 g|3.0 g";
    QTest::newRow("ballSize") << "30 (default value)|24|26|28|30 (default value)|32|34|36|38|40|42";
    QTest::newRow("basketSize") << "112 (default value)|90|97|105|112 (default value)|120|127|135|142|150|157";
    QTest::newRow("ringHeight") << "200 (default value)|160|180|200 (default value)|220|240|260|280|300";
    QTest::newRow("skin") << "Buttons (default value)|Jalousie|Magic chess|Green field|"
                             "Buttons (default value)|Bubbles";
    QTest::newRow("leftPlayer") << "Player1|Player1|Computer";
    QTest::newRow("rightPlayer") << "Player2|Player2|Computer";
    QTest::newRow("skill") << "bad school team|bad school team|school team|low division|"
                              "mid division|high division|All STARS";
    QString speeds = "2 move per frame (default value)|2 move per frame (default value)";
    for (int moves = 3; moves <= 10; ++moves) speeds += QString("|%1 move per frame").arg(moves);
    QTest::newRow("speed") << speeds;
    QTest::newRow("period") << "5 minutes|5 minutes|8 minutes|10 minutes|12 minutes|15 minutes|20 minutes";
  }

  void listsOpenOnTheGamesSettings() {
    QFETCH(QString, entries);
    const QString list = QTest::currentDataTag();
    const bool players = QString("leftPlayer rightPlayer skill speed period").contains(list);
    const Flow flow = players ? playersDialogFlow : environmentDialogFlow;
    FlowScene scene;
    GameEngine& engine = *scene.engine;
    QStringList texts;
    runFlow(flow, engine, [&](QDialog& dialog) {
      texts << dialog.windowTitle() << dialog.findChild<QPushButton*>("confirm")->text()
            << listOf(dialog, list).currentText() << entriesOf(listOf(dialog, list));
    }, "cancel");
    QCOMPARE(texts, (QStringList{players ? "Score and player properties" : "Environment Properties",
                                 players ? "OK/New Game" : "OK"} + entries.split('|')));
    for (int i = 0; i < entries.count('|') && !list.endsWith("Player"); ++i) {
      int back = -1;
      runFlow(flow, engine, [&](QDialog& d) { listOf(d, list).setCurrentIndex(i); }, "confirm");
      runFlow(flow, engine, [&](QDialog& d) { back = listOf(d, list).currentIndex(); }, "cancel");
      QCOMPARE(back, i);
    }
  }

  // OK applies what the lists show (the engine keeps or renews the game); Cancel, or OK
  // before the first layout, changes nothing.
  void okAppliesCancelKeeps_data() {
    QTest::addColumn<OkRow>("row");
    const QString environment = "1500 42 97 300 0 | Player1 Player2 11 5 2 0";
    const QString players = "600 30 112 200 3 | Computer Player2ÄÄ 01 20 10 5";
    QTest::newRow("environment OK") << OkRow{false, true, "confirm", true, environment};
    QTest::newRow("environment OK unchanged") << OkRow{false, false, "confirm", true, defaults};
    QTest::newRow("environment Cancel") << OkRow{false, true, "cancel", true, ""};
    QTest::newRow("players OK") << OkRow{true, true, "confirm", true, players};
    QTest::newRow("players OK unchanged") << OkRow{true, false, "confirm", true, defaults};
    QTest::newRow("players Cancel") << OkRow{true, true, "cancel", true, ""};
    QTest::newRow("players OK before the first layout") << OkRow{true, true, "confirm", false, ""};
  }

  void okAppliesCancelKeeps() {
    QFETCH(OkRow, row);
    const auto [players, change, button, laidOut, after] = row;
    FlowScene scene(laidOut);
    runFlow(players ? playersDialogFlow : environmentDialogFlow, *scene.engine, [&](QDialog& d) {
      if (!change) return;
      for (const auto& [list, index] : players ? playersChange : environmentChange)
        listOf(d, list).setCurrentIndex(index);
      if (!players) return;
      listOf(d, "leftPlayer").setCurrentText("Computer");
      // A name keeps to the 11 bytes of its top-ten row: "Player2ÄÄx" would take 12.
      QTest::keyClicks(listOf(d, "rightPlayer").lineEdit(), "ÄÄx");
    }, button);
    QCOMPARE(settingsOf(*scene.engine), after.isEmpty() ? defaults : after);
    QCOMPARE(scene.log, (after.isEmpty() ? QStringList{} : QStringList{stop, after, "start"}));
  }

  // The cameras sorted, the one in use selected; the mirror changes on OK only; another
  // camera, or the same one unplugged, is built again; a build that fails ends the program.
  void videoOkAppliesTheChoice_data() {
    QTest::addColumn<VideoRow>("row");
    QTest::newRow("Cancel keeps the mirror") << VideoRow{false, true, "Cam", false, false};
    QTest::newRow("OK turns the mirror") << VideoRow{true, true, "Cam", false, false};
    QTest::newRow("OK unchanged") << VideoRow{true, false, "Cam", false, false};
    QTest::newRow("another camera") << VideoRow{true, false, "Cam 2", false, false};
    QTest::newRow("the camera unplugged") << VideoRow{true, false, "Cam", true, false};
    QTest::newRow("a camera that cannot be built") << VideoRow{true, false, "Cam 2", false, true};
  }

  void videoOkAppliesTheChoice() {
    QFETCH(VideoRow, row);
    const auto [ok, flip, choose, unplugged, buildFails] = row;
    FlowScene scene;
    scene.camera->unplugged = unplugged;
    if (buildFails) scene.openError = CaptureError::Connection;
    QStringList shown;
    whenModalOf<VideoDialog>([&](VideoDialog& d) {
      shown << entriesOf(*d.deviceList) << d.deviceList->currentText() << d.windowTitle()
            << d.flipBox->text() << QString::number(d.flipBox->isChecked())
            << d.formatButton->text() << d.sourceButton->text() << d.okButton->text()
            << d.cancelButton->text();
      if (flip) d.flipBox->click();
      d.deviceList->setCurrentText(choose);
      (ok ? d.okButton : d.cancelButton)->click();
    });
    QCOMPARE(videoDialogFlow(nullptr, *scene.engine), !buildFails);
    QCOMPARE(shown, (QStringList{"Cam", "Cam 2", "Cam", "Video capture properties",
                                 "Flip horizontal", "1", "Video Format...", "Video Source...", "OK",
                                 "Cancel"}));
    QCOMPARE(scene.engine->camera.mirror.load(), !(ok && flip));
    const bool rebuilt = ok && (choose != "Cam" || unplugged);
    // The old camera is stopped once, as it is closed.
    QCOMPARE(scene.log, (!rebuilt ? QStringList{} : QStringList{stop} +
                         (buildFails ? QStringList{} : QStringList{defaults, "start"})));
    QCOMPARE(scene.match.leftScore, rebuilt && !buildFails ? 0 : 7);
    QCOMPARE(scene.engine->settings().video.videoDeviceName, (ok ? choose : QString("Cam")).toStdString());
    QCOMPARE(scene.window.messages.size(), std::size_t{buildFails});  // its words: the engine's
  }

  // A new frame size in the camera's format page is laid out before the video dialog is
  // back, with the game going on; Cancel there does not undo it.
  void aFormatChangeIsLaidOutAtOnce() {
    FlowScene scene;
    whenModalOf<VideoDialog>([](VideoDialog& dialog) {
      whenModalOf<FormatDialog>([](FormatDialog& f) { f.sizeList->setCurrentIndex(1), f.accept(); });
      dialog.formatButton->click();
      dialog.cancelButton->click();
    });
    QVERIFY(videoDialogFlow(nullptr, *scene.engine));
    QCOMPARE(scene.log, (QStringList{stop, defaults, "start"}));
    QVERIFY(scene.engine->camera.frameWidth == 640 && scene.match.leftScore == 7);
  }

  // The table as it is at the click (a game may end while the players dialog is open), in
  // its own order.
  void topTenShowsTheTableAtTheClick() {
    FlowScene scene;
    QStringList texts, expected{"Top Ten", "OK", "Player Name", "Total Game Time", "Total Points",
                                "Total Score", "1. Zed", "5", "2", "9", "2. Ann", "10", "30", "40"};
    for (int k = 3; k <= 10; ++k) expected << QString("%1. ").arg(k) << "0" << "0" << "0";
    runFlow(playersDialogFlow, *scene.engine, [&](QDialog& players) {
      scene.replaceTopTen({TopTenEntry{5, 2, 9, "Zed"}, {10, 30, 40, "Ann"}});  // not sorted
      whenModalOf<TopTenDialog>([&](TopTenDialog& topTen) {
        texts << topTen.windowTitle() << topTen.okButton()->text();
        for (const TopTenCell& cell : topTen.grid().cells) texts << cell.text;
        topTen.okButton()->click();
      });
      players.findChild<QPushButton*>("topTen")->click();
    }, "cancel");
    QCOMPARE(texts, expected);
  }
};

QTEST_MAIN(SettingsDialogsTest)
#include "SettingsDialogs_qt.moc"
