#include <QCoreApplication>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>
#include <cstdio>

#include "app/SingleInstance.h"

namespace {

// A key of this test run only, so that a running game is never disturbed.
QString testKey(const char* name) {
  return QStringLiteral("swishcam-test-%1-%2").arg(name).arg(QCoreApplication::applicationPid());
}

// Child mode: claim the key, say so, then wait to be killed.
int holdClaim(const QString& key) {
  SingleInstance instance(key);
  if (!instance.claim()) return 1;
  std::printf("claimed\n");
  std::fflush(stdout);
  std::getchar();
  return 0;
}

}  // namespace

class SingleInstanceTest : public QObject {
  Q_OBJECT

 private slots:
  void aSecondCopyAsksTheFirstToRaiseItself() {
    const QString key = testKey("raise");
    SingleInstance first(key);
    QVERIFY(first.claim());
    QSignalSpy raised(&first, &SingleInstance::raiseRequested);

    SingleInstance second(key);
    QVERIFY(!second.claim());
    QVERIFY(second.askRunningCopyToRaise());
    QVERIFY(raised.wait());
    QCOMPARE(raised.count(), 1);
  }

  void theKeyIsFreeAgainWhenTheFirstCopyEnds() {
    const QString key = testKey("release");
    {
      SingleInstance first(key);
      QVERIFY(first.claim());
    }
    SingleInstance next(key);
    QVERIFY(next.claim());
  }

  void nobodyToAskWhenNoCopyRuns() {
    SingleInstance lonely(testKey("lonely"));
    QVERIFY(!lonely.askRunningCopyToRaise());
  }

  void aLockLeftByACrashedCopyDoesNotBlock() {
    const QString key = testKey("crash");
    QProcess holder;
    holder.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--hold"), key});
    QVERIFY(holder.waitForStarted());
    QVERIFY(holder.waitForReadyRead());
    QCOMPARE(holder.readLine().trimmed(), QByteArray("claimed"));

    SingleInstance whileItRuns(key);
    QVERIFY(!whileItRuns.claim());

    holder.kill();  // SIGKILL: the lock file stays behind
    QVERIFY(holder.waitForFinished());
    QVERIFY(QFile::exists(SingleInstance::lockPath(key)));
    SingleInstance afterCrash(key);
    QVERIFY(afterCrash.claim());
  }
};

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  if (argc == 3 && qstrcmp(argv[1], "--hold") == 0) return holdClaim(QString::fromLocal8Bit(argv[2]));
  SingleInstanceTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "SingleInstance_qt.moc"
