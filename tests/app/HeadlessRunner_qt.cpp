#include <QtTest>

#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include "engine/SettingsFile.h"

// The headless runner end to end: the swishcam executable beside the tests' folder, run
// as a user would run it.
class HeadlessRunnerTest : public QObject {
  Q_OBJECT

  struct Run {
    int status = -1;
    QByteArray out;
    QByteArray err;
    QJsonObject summary;
  };

  QTemporaryDir m_folder;

  QString file(const QString& name) const { return m_folder.filePath(name); }

  Run run(QStringList arguments) {
    QProcess process;
    process.start(QCoreApplication::applicationDirPath() + "/../swishcam",
                  QStringList{"--headless"} + arguments);
    Run result;
    if (!process.waitForFinished(-1)) return result;
    result.status = process.exitCode();
    result.out = process.readAllStandardOutput();
    result.err = process.readAllStandardError();
    result.summary = QJsonDocument::fromJson(result.out).object();
    return result;
  }

  Run runDemo(QStringList arguments) {
    return run(QStringList{"--settings", file("Swishcam.prm")} + arguments);
  }

 private slots:
  void printsOneLineOfJson() {
    const Run r = runDemo({"--size", "320x240", "--frames", "30"});
    QCOMPARE(r.status, 0);
    QCOMPARE(r.out.count('\n'), 1);
    QCOMPARE(r.summary["frames"].toInt(), 30);
    QCOMPARE(r.summary["field"].toArray(), (QJsonArray{748, 460}));
    QCOMPARE(r.summary["frame"].toArray(), (QJsonArray{320, 240}));
    for (const char* key : {"leftScore", "rightScore", "baskets", "strikes", "games"})
      QVERIFY2(r.summary.contains(key), key);
    const QJsonObject ball = r.summary["ball"].toObject();
    for (const char* key : {"x", "y", "vx", "vy", "angle", "spin"})
      QVERIFY2(ball[key].isDouble(), key);
  }

  void theSameCommandGivesTheSameLine() {
    const QStringList arguments{"--seconds", "40", "--seed", "9"};
    const Run first = runDemo(arguments);
    const Run second = runDemo(arguments);
    QCOMPARE(first.status, 0);
    QCOMPARE(first.out, second.out);
    QVERIFY(first.summary["strikes"].toInt() > 0);
  }

  void aWholePeriodEndsAndTheSettingsFileKeepsTheTopTen() {
    const QString settings = file("period.prm");
    const Run r = run({"--settings", settings, "--period", "1", "--seconds", "70", "--left", "Ann",
                       "--right", "Computer", "--snapshot", file("field.png")});
    QCOMPARE(r.status, 0);
    QCOMPARE(r.summary["games"].toInt(), 1);
    QVERIFY(r.summary["baskets"].toInt() > 0);
    const std::optional<GameSettings> saved = readSettingsFile(settings.toStdString());
    QVERIFY(saved);
    QCOMPARE(std::string(saved->topTen[0].nameView()), std::string("Ann"));
    QCOMPARE(saved->topTen[0].gameTime, 1);
    QVERIFY(saved->topTen[0].points > 0);
    QCOMPARE(saved->periodMinutes, std::uint8_t{1});
    QCOMPARE(saved->videoDeviceName, std::string());  // no camera was used, none is forgotten
    const QImage snapshot(file("field.png"));
    QCOMPARE(snapshot.size(), QSize(1068, 600));
  }

  void aRecordingReplaysTheSameWayEveryTime() {
    const QString clip = file("demo.y4m");
    const Run recorded = runDemo({"--size", "320x240", "--seconds", "30", "--record", clip});
    QCOMPARE(recorded.status, 0);
    const Run replayed = runDemo({"--replay", clip, "--seconds", "30"});
    const Run again = runDemo({"--replay", clip, "--seconds", "30"});
    QCOMPARE(replayed.status, 0);
    QCOMPARE(replayed.out, again.out);
    QCOMPARE(replayed.summary["frame"].toArray(), (QJsonArray{320, 240}));
    qInfo("recorded: %d strikes, %d baskets; replayed: %d strikes, %d baskets",
          recorded.summary["strikes"].toInt(), recorded.summary["baskets"].toInt(),
          replayed.summary["strikes"].toInt(), replayed.summary["baskets"].toInt());
    QVERIFY(replayed.summary["strikes"].toInt() > 0);
  }

  void badInputIsAClearErrorNeverACrash_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("named");
    QTest::newRow("bad option") << QStringList{"--speed", "11"} << 2 << "for --speed";
    QTest::newRow("missing replay") << QStringList{"--replay", "/nonexistent/clip.y4m"} << 1
                                    << "cannot open the file";
  }

  void badInputIsAClearErrorNeverACrash() {
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QString, named);
    const Run r = runDemo(arguments);
    QCOMPARE(r.status, status);
    QVERIFY2(r.err.contains(named.toUtf8()), r.err.constData());
    QVERIFY(r.out.isEmpty());
  }
};

QTEST_GUILESS_MAIN(HeadlessRunnerTest)
#include "HeadlessRunner_qt.moc"
