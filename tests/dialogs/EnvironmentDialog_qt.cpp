#include <QtTest>

#include "dialogs/DialogTestSupport.h"
#include "dialogs/EnvironmentDialog.h"

class EnvironmentDialogTest : public QObject {
  Q_OBJECT

 private slots:
  void cleanup() { closeTopLevels(); }

  void listsHoldTheFixedEntries() {
    EnvironmentDialog dialog({});
    QCOMPARE(entriesOf(listOf(dialog, "gravitation")),
             QStringList({"0.2 g", "0.4 g", "0.6 g", "0.8 g", "1.0 g (default value)", "1.5 g",
                          "2.0 g", "2.5 g", "3.0 g"}));
    QCOMPARE(
        entriesOf(listOf(dialog, "ballSize")),
        QStringList({"24", "26", "28", "30 (default value)", "32", "34", "36", "38", "40", "42"}));
    QCOMPARE(entriesOf(listOf(dialog, "basketSize")),
             QStringList({"90", "97", "105", "112 (default value)", "120", "127", "135", "142",
                          "150", "157"}));
    QCOMPARE(entriesOf(listOf(dialog, "ringHeight")),
             QStringList({"160", "180", "200 (default value)", "220", "240", "260", "280", "300"}));
    QCOMPARE(entriesOf(listOf(dialog, "skin")),
             QStringList(
                 {"Jalousie", "Magic chess", "Green field", "Buttons (default value)", "Bubbles"}));
    QCOMPARE(dialog.windowTitle(), QString("Environment Properties"));
    for (const char* name : {"ballSize", "basketSize", "ringHeight", "skin", "gravitation"})
      QVERIFY(!listOf(dialog, name).isEditable());
  }

  void defaultsOpenOnTheMarkedEntries() {
    LaidOutScene laidOut;
    QStringList shown;
    runFlow<EnvironmentDialog>(
        environmentDialogFlow, laidOut.engine(),
        [&shown](EnvironmentDialog& dialog) {
          shown =
              currentTexts(dialog, {"gravitation", "ballSize", "basketSize", "ringHeight", "skin"});
        },
        "cancel");
    QCOMPARE(shown,
             QStringList({"1.0 g (default value)", "30 (default value)", "112 (default value)",
                          "200 (default value)", "Buttons (default value)"}));
  }

  void gravitationIsStoredInUnitsAndPreselectedAgain() {
    LaidOutScene laidOut;
    runFlow<EnvironmentDialog>(
        environmentDialogFlow, laidOut.engine(),
        [](EnvironmentDialog& dialog) { listOf(dialog, "gravitation").setCurrentIndex(7); },
        "confirm");
    QCOMPARE(laidOut.engine().gravity, 1500.0);
    QString reopened;
    runFlow<EnvironmentDialog>(
        environmentDialogFlow, laidOut.engine(),
        [&reopened](EnvironmentDialog& dialog) {
          reopened = listOf(dialog, "gravitation").currentText();
        },
        "cancel");
    QCOMPARE(reopened, QString("2.5 g"));
  }

  void everyEntryIsPreselectedAfterItWasStored() {
    for (const char* name : {"gravitation", "ballSize", "basketSize", "ringHeight", "skin"}) {
      EnvironmentDialog first({});
      for (int i = 0; i < listOf(first, name).count(); ++i) {
        listOf(first, name).setCurrentIndex(i);
        first.accept();
        EnvironmentDialog again(first.values);
        QCOMPARE(listOf(again, name).currentIndex(), i);
      }
    }
  }

  void confirmedGeometryReachesTheEngine() {
    LaidOutScene laidOut;
    runFlow<EnvironmentDialog>(
        environmentDialogFlow, laidOut.engine(),
        [](EnvironmentDialog& dialog) {
          listOf(dialog, "ballSize").setCurrentIndex(9);
          listOf(dialog, "basketSize").setCurrentIndex(1);
          listOf(dialog, "ringHeight").setCurrentIndex(7);
          listOf(dialog, "skin").setCurrentIndex(0);
        },
        "confirm");
    const GameEngine& engine = laidOut.engine();
    QCOMPARE(engine.ballRadius, 42);
    QCOMPARE(engine.basketSize, 97);
    QCOMPARE(engine.ringHeight, 300);
    QCOMPARE(int(engine.skinIndex), 0);
    QCOMPARE(engine.gravity, 600.0);
    // The new ball size has its buffers before the capture runs again.
    QCOMPARE(engine.ballMask.size(), std::size_t(84 * 84));
  }

  void unchangedConfirmStillLaysOutAndKeepsTheGame() {
    LaidOutScene laidOut;
    GameEngine& engine = laidOut.engine();
    engine.leftScore = 7;
    engine.rightScore = 9;
    const std::uint32_t started = engine.gameStartTick;
    laidOut.scene.clock.advance(12345);
    const int relayouts = laidOut.window.relayouts;
    const int stops = laidOut.camera().stops;
    const int starts = laidOut.camera().starts;
    runFlow<EnvironmentDialog>(
        environmentDialogFlow, engine, [](EnvironmentDialog&) {}, "confirm");
    QCOMPARE(laidOut.window.relayouts, relayouts + 1);
    QCOMPARE(laidOut.camera().stops, stops + 1);
    QCOMPARE(laidOut.camera().starts, starts + 1);
    QVERIFY(laidOut.camera().running == &engine);
    QCOMPARE(engine.leftScore, 7);
    QCOMPARE(engine.rightScore, 9);
    QCOMPARE(engine.gameStartTick, started);
    QCOMPARE(engine.gravity, 600.0);
    QCOMPARE(engine.ballRadius, 30);
    QCOMPARE(engine.basketSize, 112);
    QCOMPARE(engine.ringHeight, 200);
    QCOMPARE(int(engine.skinIndex), 3);
  }

  void cancelChangesNothing() {
    LaidOutScene laidOut;
    const int relayouts = laidOut.window.relayouts;
    const int stops = laidOut.camera().stops;
    runFlow<EnvironmentDialog>(
        environmentDialogFlow, laidOut.engine(),
        [](EnvironmentDialog& dialog) {
          listOf(dialog, "gravitation").setCurrentIndex(0);
          listOf(dialog, "ballSize").setCurrentIndex(0);
        },
        "cancel");
    QCOMPARE(laidOut.engine().gravity, 600.0);
    QCOMPARE(laidOut.engine().ballRadius, 30);
    QCOMPARE(laidOut.window.relayouts, relayouts);
    QCOMPARE(laidOut.camera().stops, stops);
  }

  void valuesOffTheListsShowTheNearestEntryAndStoreIt() {
    EnvironmentValues fromFile;
    fromFile.gravity = 700.0;  // 1.17 g
    fromFile.ballRadius = 31;  // between 30 and 32: the first
    fromFile.basketSize = 1000;
    fromFile.ringHeight = -5;
    fromFile.skinIndex = 200;  // the noise skin
    EnvironmentDialog dialog(fromFile);
    QCOMPARE(listOf(dialog, "gravitation").currentText(), QString("1.0 g (default value)"));
    QCOMPARE(listOf(dialog, "ballSize").currentText(), QString("30 (default value)"));
    QCOMPARE(listOf(dialog, "basketSize").currentText(), QString("157"));
    QCOMPARE(listOf(dialog, "ringHeight").currentText(), QString("160"));
    QCOMPARE(listOf(dialog, "skin").currentText(), QString("Bubbles"));
    dialog.accept();
    QCOMPARE(dialog.values.gravity, 600.0);
    QCOMPARE(dialog.values.ballRadius, 30);
    QCOMPARE(dialog.values.basketSize, 157);
    QCOMPARE(dialog.values.ringHeight, 160);
    QCOMPARE(dialog.values.skinIndex, 4);
  }

  void tabOrderFollowsTheForm() {
    EnvironmentDialog dialog({});
    QCOMPARE(tabStops(listOf(dialog, "ballSize"), 7),
             QStringList({"ballSize", "basketSize", "ringHeight", "skin", "gravitation", "confirm",
                          "cancel"}));
  }
};

QTEST_MAIN(EnvironmentDialogTest)
#include "EnvironmentDialog_qt.moc"
