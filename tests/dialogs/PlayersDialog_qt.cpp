#include <QLineEdit>
#include <QtTest>
#include <algorithm>

#include "dialogs/DialogTestSupport.h"
#include "dialogs/PlayersDialog.h"
#include "dialogs/TopTenDialog.h"

namespace {

void typeName(PlayersDialog& dialog, const char* list, const char* keys) {
  QLineEdit* edit = listOf(dialog, list).lineEdit();
  edit->clear();
  QTest::keyClicks(edit, QString::fromLatin1(keys));
}

}  // namespace

class PlayersDialogTest : public QObject {
  Q_OBJECT

 private slots:
  void cleanup() { closeTopLevels(); }

  void listsHoldTheFixedEntries() {
    TopTenTable table{};
    PlayersDialog dialog({}, table);
    QCOMPARE(dialog.windowTitle(), QString("Score and player properties"));
    QCOMPARE(entriesOf(listOf(dialog, "skill")),
             QStringList({"bad school team", "school team", "low division", "mid division",
                          "high division", "All STARS"}));
    QCOMPARE(
        entriesOf(listOf(dialog, "speed")),
        QStringList({"2 move per frame (default value)", "3 move per frame", "4 move per frame",
                     "5 move per frame", "6 move per frame", "7 move per frame", "8 move per frame",
                     "9 move per frame", "10 move per frame"}));
    QCOMPARE(entriesOf(listOf(dialog, "period")),
             QStringList({"5 minutes", "8 minutes", "10 minutes", "12 minutes", "15 minutes",
                          "20 minutes"}));
    QCOMPARE(entriesOf(listOf(dialog, "leftPlayer")), QStringList({"Player1", "Computer"}));
    QCOMPARE(entriesOf(listOf(dialog, "rightPlayer")), QStringList({"Player2", "Computer"}));
    for (const char* name : {"skill", "speed", "period"})
      QVERIFY(!listOf(dialog, name).isEditable());
  }

  void defaultsOpenOnTheFirstEntries() {
    LaidOutScene laidOut;
    QStringList shown;
    runFlow<PlayersDialog>(
        playersDialogFlow, laidOut.engine(),
        [&shown](PlayersDialog& dialog) {
          shown = currentTexts(dialog, {"leftPlayer", "rightPlayer", "skill", "speed", "period"});
        },
        "cancel");
    QCOMPARE(shown, QStringList({"Player1", "Player2", "bad school team",
                                 "2 move per frame (default value)", "5 minutes"}));
  }

  void customNameReopensAsThirdSelectedEntry() {
    LaidOutScene laidOut;
    runFlow<PlayersDialog>(
        playersDialogFlow, laidOut.engine(),
        [](PlayersDialog& dialog) { typeName(dialog, "leftPlayer", "Ann"); }, "confirm");
    QCOMPARE(laidOut.engine().leftName, std::string("Ann"));
    QStringList entries;
    int selected = -1;
    runFlow<PlayersDialog>(
        playersDialogFlow, laidOut.engine(),
        [&](PlayersDialog& dialog) {
          entries = entriesOf(listOf(dialog, "leftPlayer"));
          selected = listOf(dialog, "leftPlayer").currentIndex();
        },
        "cancel");
    QCOMPARE(entries, QStringList({"Player1", "Computer", "Ann"}));
    QCOMPARE(selected, 2);
  }

  void eleventhCharacterCannotBeTyped() {
    LaidOutScene laidOut;
    QString typed;
    runFlow<PlayersDialog>(
        playersDialogFlow, laidOut.engine(),
        [&typed](PlayersDialog& dialog) {
          typeName(dialog, "rightPlayer", "ABCDEFGHIJK");
          typed = listOf(dialog, "rightPlayer").currentText();
        },
        "confirm");
    QCOMPARE(typed, QString("ABCDEFGHIJ"));
    QCOMPARE(laidOut.engine().rightName, std::string("ABCDEFGHIJ"));
  }

  void nameFitsItsTopTenRow() {
    TopTenTable table{};
    PlayersDialog dialog({}, table);
    QLineEdit* edit = listOf(dialog, "leftPlayer").lineEdit();
    edit->clear();
    QTest::keyClicks(edit, QString::fromUtf8("\u00c4\u00c4\u00c4\u00c4\u00c4\u00c4"));
    QCOMPARE(edit->text(), QString::fromUtf8("\u00c4\u00c4\u00c4\u00c4\u00c4"));  // 10 bytes
    QTest::keyClicks(edit, "x");
    QCOMPARE(edit->text().toUtf8().size(), 11);
  }

  void enterInANameFieldConfirms() {
    LaidOutScene laidOut;
    whenModal<PlayersDialog>([](PlayersDialog& dialog) {
      typeName(dialog, "leftPlayer", "Bo");
      QTest::keyClick(listOf(dialog, "leftPlayer").lineEdit(), Qt::Key_Return);
      if (dialog.isVisible()) dialog.reject();
    });
    playersDialogFlow(nullptr, laidOut.engine());
    QCOMPARE(laidOut.engine().leftName, std::string("Bo"));
  }

  void computerOnBothSidesScoresForBoth() {
    LaidOutScene laidOut;
    GameEngine& engine = laidOut.engine();
    QVERIFY(std::any_of(engine.overlayAlpha.begin(), engine.overlayAlpha.end(),
                        [](std::uint8_t alpha) { return alpha != 0; }));  // two baskets
    runFlow<PlayersDialog>(
        playersDialogFlow, engine,
        [](PlayersDialog& dialog) {
          listOf(dialog, "leftPlayer").setCurrentIndex(1);  // picked
          typeName(dialog, "rightPlayer", "Computer");      // typed
        },
        "confirm");
    QCOMPARE(engine.leftIsPerson, 0u);
    QCOMPARE(engine.rightIsPerson, 0u);
    // Only the baskets draw in front of the ball: with neither drawn, nothing is in front.
    QVERIFY(!engine.overlayAlpha.empty());
    QVERIFY(std::all_of(engine.overlayAlpha.begin(), engine.overlayAlpha.end(),
                        [](std::uint8_t alpha) { return alpha == 0; }));
    // Skill 0: 2 points each once more than 50000 ms have passed since the last ones.
    laidOut.scene.deliverUniform(0);
    laidOut.scene.clock.advance(50000);
    laidOut.scene.deliverUniform(0);
    QCOMPARE(engine.leftScore, 0);
    QCOMPARE(engine.rightScore, 0);
    laidOut.scene.clock.advance(1);
    laidOut.scene.deliverUniform(0);
    QCOMPARE(engine.leftScore, 2);
    QCOMPARE(engine.rightScore, 2);
    laidOut.scene.clock.advance(50001);
    laidOut.scene.deliverUniform(0);
    QCOMPARE(engine.leftScore, 4);
    QCOMPARE(engine.rightScore, 4);
  }

  void personNamesMakePersonsAgain() {
    LaidOutScene laidOut;
    GameEngine& engine = laidOut.engine();
    engine.leftName = engine.rightName = "Computer";
    engine.leftIsPerson = engine.rightIsPerson = 0;
    runFlow<PlayersDialog>(
        playersDialogFlow, engine,
        [](PlayersDialog& dialog) {
          listOf(dialog, "leftPlayer").setCurrentIndex(0);
          typeName(dialog, "rightPlayer", "computer");  // the comparison is case-sensitive
        },
        "confirm");
    QCOMPARE(engine.leftName, std::string("Player1"));
    QCOMPARE(engine.rightName, std::string("computer"));
    QCOMPARE(engine.leftIsPerson, 1u);
    QCOMPARE(engine.rightIsPerson, 1u);
  }

  void confirmStoresTheTimings() {
    LaidOutScene laidOut;
    runFlow<PlayersDialog>(
        playersDialogFlow, laidOut.engine(),
        [](PlayersDialog& dialog) {
          listOf(dialog, "skill").setCurrentIndex(5);
          listOf(dialog, "speed").setCurrentIndex(8);
          listOf(dialog, "period").setCurrentIndex(3);
        },
        "confirm");
    QCOMPARE(int(laidOut.engine().computerSkill), 5);
    QCOMPARE(int(laidOut.engine().movesPerFrame), 10);
    QCOMPARE(int(laidOut.engine().periodMinutes), 12);
  }

  void confirmAlwaysStartsANewGame() {
    LaidOutScene laidOut;
    GameEngine& engine = laidOut.engine();
    engine.leftScore = 5;
    engine.rightScore = 3;
    laidOut.scene.clock.advance(60000);
    const int relayouts = laidOut.window.relayouts;
    const int stops = laidOut.camera().stops;
    const int starts = laidOut.camera().starts;
    runFlow<PlayersDialog>(
        playersDialogFlow, engine, [](PlayersDialog&) {}, "confirm");
    QCOMPARE(engine.leftScore, 0);
    QCOMPARE(engine.rightScore, 0);
    QCOMPARE(engine.gameStartTick, laidOut.scene.clock.now());
    QCOMPARE(engine.computerTick, laidOut.scene.clock.now());
    QCOMPARE(laidOut.window.relayouts, relayouts + 1);
    QCOMPARE(laidOut.camera().stops, stops + 1);
    QCOMPARE(laidOut.camera().starts, starts + 1);
  }

  void cancelNeverChangesTheGame() {
    LaidOutScene laidOut;
    GameEngine& engine = laidOut.engine();
    engine.leftScore = 5;
    const std::uint32_t started = engine.gameStartTick;
    laidOut.scene.clock.advance(60000);
    const int relayouts = laidOut.window.relayouts;
    const int stops = laidOut.camera().stops;
    runFlow<PlayersDialog>(
        playersDialogFlow, engine,
        [](PlayersDialog& dialog) {
          typeName(dialog, "leftPlayer", "Computer");
          listOf(dialog, "period").setCurrentIndex(5);
        },
        "cancel");
    QCOMPARE(engine.leftName, std::string("Player1"));
    QCOMPARE(engine.leftIsPerson, 1u);
    QCOMPARE(int(engine.periodMinutes), 5);
    QCOMPARE(engine.leftScore, 5);
    QCOMPARE(engine.gameStartTick, started);
    QCOMPARE(laidOut.window.relayouts, relayouts);
    QCOMPARE(laidOut.camera().stops, stops);
  }

  void confirmBeforeTheFirstLayoutChangesNothing() {
    EngineScene scene;  // no capture build, so no court yet
    runFlow<PlayersDialog>(
        playersDialogFlow, *scene.engine,
        [](PlayersDialog& dialog) {
          typeName(dialog, "leftPlayer", "Computer");
          listOf(dialog, "period").setCurrentIndex(5);
        },
        "confirm");
    QCOMPARE(scene.engine->leftName, std::string("Player1"));
    QCOMPARE(scene.engine->leftIsPerson, 1u);
    QCOMPARE(int(scene.engine->periodMinutes), 5);
  }

  void valuesOffTheListsShowTheNearestEntryAndStoreIt() {
    TopTenTable table{};
    for (auto [minutes, shown, stored] :
         {std::tuple{7, "8 minutes", 8}, std::tuple{0, "5 minutes", 5},
          std::tuple{255, "20 minutes", 20}, std::tuple{11, "10 minutes", 10}}) {
      PlayersValues fromFile;
      fromFile.periodMinutes = static_cast<std::uint8_t>(minutes);
      fromFile.movesPerFrame = minutes == 0 ? 0 : 200;
      fromFile.computerSkill = 9;
      PlayersDialog dialog(fromFile, table);
      QCOMPARE(listOf(dialog, "period").currentText(), QString(shown));
      QCOMPARE(listOf(dialog, "skill").currentText(), QString("All STARS"));
      dialog.accept();
      QCOMPARE(int(dialog.values.periodMinutes), stored);
      QCOMPARE(int(dialog.values.movesPerFrame), minutes == 0 ? 2 : 10);
      QCOMPARE(int(dialog.values.computerSkill), 5);
    }
  }

  void topTenShowsTheTableAsItIsAtTheClick() {
    TopTenTable table{};
    PlayersDialog dialog({}, table);
    recordResult(table, "Ann", 12, 5);  // a game ends while the dialog is open
    QStringList firstRow;
    whenModal<TopTenDialog>([&firstRow](TopTenDialog& topTen) {
      for (int c = 0; c < 4; ++c) firstRow << topTen.grid().cells[4 + c].text;
      QTest::mouseClick(topTen.okButton(), Qt::LeftButton);
    });
    clickButton(dialog, "topTen");
    QCOMPARE(firstRow, QStringList({"1. Ann", "5", "12", "29"}));
  }

  void tabOrderFollowsTheForm() {
    TopTenTable table{};
    PlayersDialog dialog({}, table);
    QCOMPARE(tabStops(listOf(dialog, "leftPlayer"), 8),
             QStringList({"leftPlayer", "rightPlayer", "skill", "speed", "period", "topTen",
                          "confirm", "cancel"}));
  }
};

QTEST_MAIN(PlayersDialogTest)
#include "PlayersDialog_qt.moc"
