#include <QCoreApplication>
#include <QTest>
#include <thread>
#include <vector>

#include "platform/DrawLock.h"
#include "platform/qt/PresentQueue.h"

class PresentQueueTest : public QObject {
  Q_OBJECT

 private slots:
  void areasPostedBeforeAWakeUpAreShownOnceAsTheirUnion() {
    std::vector<QRect> shown;
    PresentQueue queue([&](const QRect& area) { shown.push_back(area); });
    std::thread([&] {
      DrawLockGuard guard;
      queue.post({10, 10, 20, 20});
      queue.post({});  // nothing to show
      queue.post({100, 50, 110, 70});
    }).join();
    while (shown.empty()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    QCoreApplication::processEvents();
    QCOMPARE(shown.size(), std::size_t{1});
    QCOMPARE(shown.front(), QRect(QPoint(10, 10), QPoint(109, 69)));
  }

  void anAreaAfterADeliveryWakesTheWindowThreadAgain() {
    std::vector<QRect> shown;
    PresentQueue queue([&](const QRect& area) { shown.push_back(area); });
    for (int round = 1; round <= 3; ++round) {
      std::thread([&] {
        DrawLockGuard guard;
        queue.post({round, round, round + 5, round + 5});
      }).join();
      while (shown.size() < static_cast<std::size_t>(round))
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
      QCOMPARE(shown.back(), QRect(round, round, 5, 5));
    }
  }
};

QTEST_MAIN(PresentQueueTest)
#include "PresentQueue_qt.moc"
