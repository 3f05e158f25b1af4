#include <QtTest>

#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <sys/stat.h>
#include <unistd.h>

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

  QByteArray m_clip;  // the recorded clip's bytes, which no row may change

  QString file(const QString& name) const { return m_folder.filePath(name); }

  static QByteArray readBytes(const QString& path) {
    QFile in(path);
    return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
  }

  Run run(QStringList arguments, QStringList mode = {"--headless"}) {
    QProcess process;
    process.start(QCoreApplication::applicationDirPath() + "/../swishcam", mode + arguments);
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

  void helpAndVersionAreOnStandardOutput() {
    for (const char* option : {"--help", "-h", "--version"}) {
      const Run r = run({option}, {});
      QCOMPARE(r.status, 0);
      QVERIFY(r.out.startsWith(option[2] == 'v' ? "swishcam 1." : "usage: swishcam"));
      QVERIFY(r.err.isEmpty());
    }
  }

  // The files of a user's desktop, made once for the rows below.
  void initTestCase() {
    QCOMPARE(runDemo({"--size", "64x48", "--frames", "3", "--record", file("clip.y4m")}).status, 0);
    QVERIFY(QFile::link(file("clip.y4m"), file("link.y4m")));
    QVERIFY(QDir(m_folder.path()).mkpath("sub") && QDir(m_folder.path()).mkpath("folder.prm"));
    QCOMPARE(::link(file("clip.y4m").toUtf8(), file("hard.y4m").toUtf8()), 0);
    QCOMPARE(::mkfifo(file("pipe").toUtf8(), 0600), 0);
    QFile longer(file("long.prm"));
    QVERIFY(longer.open(QIODevice::WriteOnly) && longer.write(QByteArray(361, 1)) == 361);
    m_clip = readBytes(file("clip.y4m"));
  }

  void filesAreKeptAndEveryFailureIsTold_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("told");
    const QString clip = file("clip.y4m");
    const QStringList settings{"--settings", file("Swishcam.prm")};
    const QStringList demo{"--demo", "--size", "64x48", "--frames", "5"};
    const auto row = [](const char* name, const QStringList& arguments, int status,
                        const QString& told) {
      QTest::newRow(name) << arguments << status << told;
    };
    row("replay recorded over itself", settings + QStringList{"--replay", clip, "--record", clip},
        2, "name the same file");
    row("by another path",
        settings + QStringList{"--replay", clip, "--record", file("sub/../clip.y4m")}, 2,
        "name the same file");
    row("through a link", settings + QStringList{"--replay", clip, "--record", file("link.y4m")},
        2, "name the same file");
    row("settings on the replay", {"--settings", file("hard.y4m"), "--replay", clip}, 2,
        "name the same file");
    row("replay from a named pipe", settings + QStringList{"--replay", file("pipe")}, 1,
        "(Not a regular file)");
    row("recording on a full disk", settings + demo + QStringList{"--record", "/dev/full"}, 1,
        "recording stopped");
    row("settings folder", QStringList{"--settings", file("folder.prm")} + demo, 1,
        "could not be saved to " + file("folder.prm") + " (Is a directory)");
    row("settings in a missing folder", QStringList{"--settings", file("none/x.prm")} + demo, 1,
        "could not be saved to " + file("none/x.prm") + " (No such file or directory)");
    row("settings on a named pipe", QStringList{"--settings", file("pipe")} + demo, 1,
        "could not be saved to " + file("pipe") + " (Not a regular file)");
    row("settings a byte too long", QStringList{"--settings", file("long.prm")} + demo, 0,
        "kept as " + file("long.prm.unreadable"));
  }

  void filesAreKeptAndEveryFailureIsTold() {
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QString, told);
    const Run r = run(arguments);
    QCOMPARE(r.status, status);
    QVERIFY2(r.err.contains(told.toUtf8()), r.err.constData());
    QCOMPARE(readBytes(file("clip.y4m")), m_clip);
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
