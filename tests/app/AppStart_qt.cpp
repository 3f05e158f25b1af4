#include <QDir>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>
#include <unistd.h>

#include <csignal>
#include <cstdio>

#include "app/Options.h"
#include "app/QuitSignals.h"
#include "app/SingleInstance.h"

namespace {

// Child mode: claim the key, say so, then wait to be killed.
int holdClaim(const QString& key) {
  SingleInstance instance(key);
  if (!instance.claim()) return 1;
  std::printf("claimed\n");
  std::fflush(stdout);
  std::getchar();
  return 0;
}

std::optional<Options> parse(const QStringList& arguments, std::string& error) {
  std::vector<std::string> list;
  for (const QString& argument : arguments) list.push_back(argument.toStdString());
  return parseOptions(list, error);
}

struct Run { int status; QByteArray out, err; };

// The program as a user runs it: the swishcam program beside the tests' folder.
Run run(const QStringList& arguments) {
  QProcess process;
  process.start(QCoreApplication::applicationDirPath() + "/../swishcam", arguments);
  process.waitForFinished(-1);
  return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
}

QByteArray runHeadless(const QStringList& arguments) {
  const Run r = run(QStringList{"--headless"} + arguments);
  return r.status == 0 ? r.out : r.err;
}

QByteArray readBytes(const QString& path) {
  QFile in(path);
  return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
}

}  // namespace

class AppStartTest : public QObject {
  Q_OBJECT

  QTemporaryDir folder;

 private slots:
  // As GNU tools read them: a value joined by "=", "--" ending the options, the last of a
  // repeated option winning; a value may start with a dash.
  void optionsAreRead() {
    std::string error;
    auto o = parse({}, error);  // the window on the cameras
    QVERIFY(o && !o->headless && !o->demo && !o->noMirror && o->seed == 1 && o->fps == 30.0);
    QCOMPARE(QSize(o->width, o->height), QSize(640, 480));
    o = parse(QString("--headless --demo --size=320x240 --fps 25 --frames 90 --seed 4294967295 "
                      "--snapshot a.png --settings s.prm --left=-Ann- --right -x --skill 2 --skill=5 "
                      "--period 1 --speed 10 --no-mirror --record r.y4m --clips c --").split(' '), error);
    QVERIFY2(o && o->headless && o->demo && o->noMirror && o->fps == 25.0, error.c_str());
    QCOMPARE(QList<long>({o->width, o->height, *o->frames, o->seed, *o->skill, *o->periodMinutes,
                          *o->speed}), QList<long>({320, 240, 90, 4294967295, 5, 1, 10}));
    QCOMPARE(o->snapshotFile + o->settingsFile + o->recordFile + o->clipsDir + *o->leftName +
                 *o->rightName, std::string("a.pngs.prmr.y4mc-Ann--x"));
    QVERIFY(parse({"--left", "Zoë Miller"}, error));  // ten characters in eleven bytes
    o = parse({"--seed", "--"}, error);  // a value, not the end of the options
    QVERIFY(!o && error.find("bad value '--' for --seed") != std::string::npos);
    o = parse({"--version", "--fast"}, error);
    QVERIFY(o && o->version);
  }

  // Help and version on standard output with status 0; a bad line's problem and the usage on
  // standard error with status 2.
  void helpAndVersionAreOnStandardOutput() {
    for (const char* option : {"--help", "-h", "--version"}) {
      const Run r = run({option});
      QVERIFY(r.status == 0 && r.err.isEmpty());
      QVERIFY(r.out.startsWith(option[2] == 'v' ? "swishcam 1." : "usage: swishcam"));
    }
    QVERIFY(run({"--help"}).out.contains("--size <WxH>"));
    const Run bad = run({"--speed=11"});
    QVERIFY(bad.status == 2 && bad.out.isEmpty());
    QVERIFY(bad.err.startsWith("swishcam: bad value '11' for --speed: expected 2 to 10\nusage: swishcam"));
  }

  // The recorded clip is never changed; a run's failures are told (the files' own refusals
  // are the settings file's and the recording's tests).
  void filesAreKeptAndEveryFailureIsTold() {
    auto file = [this](const char* name) { return folder.filePath(name); };
    const QString clip = file("clip.y4m");
    QVERIFY(run({"--headless", "--demo", "--size", "64x48", "--frames", "3", "--record", clip,
                 "--settings", file("rec.prm")}).status == 0);
    QVERIFY(QFile::link(clip, file("link.y4m")) && QDir(folder.path()).mkpath("sub"));
    QFile longer(file("long.prm"));
    QVERIFY(longer.open(QIODevice::WriteOnly) && longer.write(QByteArray(361, 1)) == 361);
    longer.close();
    const QByteArray clipBytes = readBytes(clip);
    const QStringList settings{"--settings", file("Swishcam.prm")};
    const QStringList demo{"--demo", "--size", "64x48", "--frames", "5"};
    const struct { QStringList arguments; int status; QString told; } rows[] = {
        {settings + QStringList{"--replay", clip, "--record", clip}, 2, "name the same file"},
        {settings + QStringList{"--replay", clip, "--record", file("sub/../clip.y4m")}, 2, "name the same file"},
        {settings + QStringList{"--replay", clip, "--record", file("link.y4m")}, 2, "name the same file"},
        {settings + demo + QStringList{"--record", "/dev/full"}, 1, "recording stopped"},
        {QStringList{"--settings", file("long.prm")} + demo, 0, "kept as " + file("long.prm.unreadable")},
    };
    for (const auto& row : rows) {
      const Run r = run(QStringList{"--headless"} + row.arguments);
      QCOMPARE(r.status, row.status);
      QVERIFY2(r.err.contains(row.told.toUtf8()), r.err.constData());
      QCOMPARE(readBytes(clip), clipBytes);
    }
  }

  void badOptionsNameTheProblem() {
    const std::pair<const char*, const char*> rows[] = {
        {"--fast", "unknown option '--fast'"}, {"-x", "unknown option '-x'"},
        {"--headless --seconds", "--seconds needs a value"},
        {"--size 640", "bad value '640' for --size"}, {"--size 16x16", "for --size"},
        {"--fps 0", "bad value '0' for --fps"}, {"--fps nan", "for --fps"},
        {"--headless --seconds -1", "for --seconds"}, {"--headless --frames 0", "for --frames"},
        {"--seed 12x", "for --seed"}, {"--skill 6", "for --skill"}, {"--speed 1", "for --speed"},
        {"--left Elevenchars", "at most 10 characters in at most 11 bytes"},
        {"--right Zoë_Müller", "at most 10 characters in at most 11 bytes"},
        {"--replay ", "for --replay"}, {"--demo --replay x.y4m", "exclude each other"},
        {"--headless --seconds 1 --frames 2", "exclude each other"},
        {"--replay x.y4m --size 320x240", "belong to the demo"},
        {"--snapshot a.png", "--snapshot needs --headless"}, {"--clips c", "--clips needs --headless"},
        {"--size=640", "bad value '640' for --size"}, {"--settings=", "bad value '' for --settings"},
        {"--skill 9 --skill 3", "bad value '9' for --skill"}, {"--demo=yes", "--demo"},
        {"-- --demo", "unexpected argument '--demo'"}, {"demo", "unexpected argument 'demo'"}};
    for (const auto& [arguments, named] : rows) {
      std::string error;
      QVERIFY2(!parse(QString(arguments).split(' '), error), arguments);
      QVERIFY2(error.find(named) != std::string::npos && error.find("usage: swishcam") != std::string::npos,
               error.c_str());
    }
  }

  // The running copy is asked to come to the front; the key (of this test run only, so that a
  // running game is never disturbed) is free again once it ends, even when it was killed.
  void oneCopyRunsPerUser() {
    const QString key = QString("swishcam-test-%1").arg(QCoreApplication::applicationPid());
    QVERIFY(!SingleInstance(key).askRunningCopyToRaise());  // nobody to ask yet
    {
      SingleInstance first(key);
      QVERIFY(first.claim());
      QSignalSpy raised(&first, &SingleInstance::raiseRequested);
      SingleInstance second(key);
      QVERIFY(!second.claim() && second.askRunningCopyToRaise());
      QVERIFY(raised.wait());
    }
    QVERIFY(SingleInstance(key).claim());
    QProcess holder;
    holder.start(QCoreApplication::applicationFilePath(), {"--hold", key});
    QVERIFY(holder.waitForStarted() && holder.waitForReadyRead());
    QCOMPARE(holder.readLine().trimmed(), QByteArray("claimed"));
    QVERIFY(!SingleInstance(key).claim());
    holder.kill();  // SIGKILL: the lock file stays behind
    QVERIFY(holder.waitForFinished() && QFile::exists(SingleInstance::lockPath(key)));
    QVERIFY(SingleInstance(key).claim());
  }

  void eachQuitSignalArrivesOnTheWindowThread() {
    QuitSignals quit;
    QSignalSpy spy(&quit, &QuitSignals::quitRequested);
    for (int signal : {SIGTERM, SIGINT, SIGHUP}) {
      std::raise(signal);
      QVERIFY(spy.wait());
    }
    QCOMPARE(spy.count(), 3);
  }

  // A clip of every basket, counted in the summary; a folder that cannot be made is told.
  void headlessClipsSaveEveryBasket() {
    const QString clips = folder.filePath("clips");
    const QStringList demo = QString("--demo --size 320x240 --seconds 30 --settings").split(' ')
                             << folder.filePath("clips.prm");
    const auto summary = QJsonDocument::fromJson(runHeadless(demo + QStringList{"--clips", clips})).object();
    QVERIFY(summary["baskets"].toInt() > 0);
    QCOMPARE(summary["clips"].toInt(), summary["baskets"].toInt());
    QCOMPARE(QDir(clips).entryList({"swishcam-*.mp4"}, QDir::Files).size(), summary["baskets"].toInt());
    const Run r = run(QStringList{"--headless"} + demo +
                      QStringList{"--clips", folder.filePath("clips.prm") + "/under"});
    QCOMPARE(r.status, 1);
    QVERIFY2(r.err.contains(": Not a directory"), r.err.constData());
    QCOMPARE(QJsonDocument::fromJson(r.out).object()["clips"].toInt(), 0);
  }

  // One line of JSON; the same command, or the same recording replayed, gives the same line.
  void theHeadlessRunnerIsDeterministic() {
    const QString clip = folder.filePath("demo.y4m");
    const QStringList demo = QString("--size 320x240 --seconds 30 --settings").split(' ')
                             << folder.filePath("demo.prm");
    const QByteArray line = runHeadless(demo + QStringList{"--record", clip});
    QCOMPARE(runHeadless(demo), line);
    const QStringList replay = QStringList{"--replay", clip} + demo.mid(2);  // no --size
    const QByteArray replayed = runHeadless(replay);
    QCOMPARE(runHeadless(replay), replayed);
    QVERIFY(line.startsWith('{') && replayed.startsWith('{'));  // summaries, not two failures
  }
};

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  if (argc == 3 && qstrcmp(argv[1], "--hold") == 0) return holdClaim(argv[2]);
  AppStartTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "AppStart_qt.moc"
