#include <QtTest>

#include "app/Options.h"

namespace {

std::optional<Options> parse(std::vector<std::string> arguments, std::string& error) {
  return parseOptions(arguments, error);
}

}  // namespace

class OptionsTest : public QObject {
  Q_OBJECT

 private slots:
  void noOptionsOpenTheWindowOnTheCameras() {
    std::string error;
    const auto options = parse({}, error);
    QVERIFY(options);
    QVERIFY(!options->headless);
    QVERIFY(!options->demo);
    QCOMPARE(options->width, 640);
    QCOMPARE(options->height, 480);
    QCOMPARE(options->fps, 30.0);
    QCOMPARE(options->seed, 1u);
  }

  void everyOptionIsRead() {
    std::string error;
    const auto o = parse({"--headless", "--demo", "--size", "320x240", "--fps", "25", "--frames",
                          "90", "--seed", "4294967295", "--snapshot", "a.png", "--settings",
                          "s.prm", "--left", "Computer", "--right", "Ann", "--skill", "5",
                          "--period", "1", "--speed", "10", "--no-mirror", "--record", "r.y4m"},
                         error);
    QVERIFY2(o, error.c_str());
    QVERIFY(o->headless && o->demo && o->noMirror);
    QCOMPARE(o->width, 320);
    QCOMPARE(o->height, 240);
    QCOMPARE(o->fps, 25.0);
    QCOMPARE(*o->frames, 90L);
    QCOMPARE(o->seed, 4294967295u);
    QCOMPARE(o->snapshotFile, std::string("a.png"));
    QCOMPARE(o->settingsFile, std::string("s.prm"));
    QCOMPARE(*o->leftName, std::string("Computer"));
    QCOMPARE(*o->rightName, std::string("Ann"));
    QCOMPARE(*o->skill, 5);
    QCOMPARE(*o->periodMinutes, 1);
    QCOMPARE(*o->speed, 10);
    QCOMPARE(o->recordFile, std::string("r.y4m"));
  }

  // A name must fit a top-ten row as the players dialog lets it be typed: at most ten
  // characters in at most eleven bytes of UTF-8.
  void namesAreMeasuredAsTheMessageSays_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("ten letters") << "Tenletters" << true;
    QTest::newRow("eleven letters") << "Elevenchars" << false;
    QTest::newRow("ten characters in eleven bytes") << "Zoë Miller" << true;
    QTest::newRow("ten characters in twelve bytes") << "Zoë Müller" << false;
  }

  void namesAreMeasuredAsTheMessageSays() {
    QFETCH(QString, name);
    QFETCH(bool, accepted);
    for (const char* side : {"--left", "--right"}) {
      std::string error;
      QCOMPARE(bool(parse({side, name.toStdString()}, error)), accepted);
      if (!accepted)
        QVERIFY2(error.find("at most 10 characters in at most 11 bytes of UTF-8") !=
                     std::string::npos,
                 error.c_str());
    }
  }

  void badInputNamesTheProblem_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("named");
    QTest::newRow("unknown") << QStringList{"--fast"} << "unknown option '--fast'";
    QTest::newRow("missing value") << QStringList{"--headless", "--seconds"} << "--seconds needs a value";
    QTest::newRow("size without x") << QStringList{"--size", "640"} << "bad value '640' for --size";
    QTest::newRow("size too small") << QStringList{"--size", "16x16"} << "for --size";
    QTest::newRow("size not a number") << QStringList{"--size", "axb"} << "for --size";
    QTest::newRow("zero fps") << QStringList{"--fps", "0"} << "bad value '0' for --fps";
    QTest::newRow("absurd fps") << QStringList{"--fps", "1e9"} << "for --fps";
    QTest::newRow("nan fps") << QStringList{"--fps", "nan"} << "for --fps";
    QTest::newRow("negative seconds") << QStringList{"--headless", "--seconds", "-1"} << "for --seconds";
    QTest::newRow("zero frames") << QStringList{"--headless", "--frames", "0"} << "for --frames";
    QTest::newRow("trailing junk") << QStringList{"--seed", "12x"} << "for --seed";
    QTest::newRow("negative seed") << QStringList{"--seed", "-3"} << "for --seed";
    QTest::newRow("skill 6") << QStringList{"--skill", "6"} << "for --skill";
    QTest::newRow("period 0") << QStringList{"--period", "0"} << "for --period";
    QTest::newRow("speed 1") << QStringList{"--speed", "1"} << "for --speed";
    QTest::newRow("empty replay") << QStringList{"--replay", ""} << "for --replay";
    QTest::newRow("demo and replay") << QStringList{"--demo", "--replay", "x.y4m"} << "exclude each other";
    QTest::newRow("seconds and frames") << QStringList{"--headless", "--seconds", "1", "--frames", "2"} << "exclude each other";
    QTest::newRow("replay with size") << QStringList{"--replay", "x.y4m", "--size", "320x240"} << "belong to the demo";
    QTest::newRow("snapshot in a window") << QStringList{"--snapshot", "a.png"} << "--snapshot needs --headless";
  }

  void badInputNamesTheProblem() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, named);
    std::vector<std::string> list;
    for (const QString& a : arguments) list.push_back(a.toStdString());
    std::string error;
    QVERIFY(!parseOptions(list, error));
    QVERIFY2(error.find(named.toStdString()) != std::string::npos, error.c_str());
    QVERIFY2(error.find("usage: swishcam") != std::string::npos, error.c_str());
  }
};

QTEST_APPLESS_MAIN(OptionsTest)
#include "Options_qt.moc"
