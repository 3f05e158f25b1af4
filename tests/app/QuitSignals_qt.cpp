#include <QSignalSpy>
#include <QtTest>
#include <csignal>

#include "app/QuitSignals.h"

class QuitSignalsTest : public QObject {
  Q_OBJECT
 private slots:
  void eachQuitSignalArrivesOnTheWindowThread() {
    QuitSignals quit;
    QSignalSpy spy(&quit, &QuitSignals::quitRequested);
    for (int signal : {SIGTERM, SIGINT, SIGHUP}) {
      std::raise(signal);
      QVERIFY(spy.wait(5000));
    }
    QCOMPARE(spy.count(), 3);
  }
};

QTEST_MAIN(QuitSignalsTest)
#include "QuitSignals_qt.moc"
