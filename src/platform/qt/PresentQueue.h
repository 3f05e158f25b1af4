#pragma once
#include <QObject>
#include <QRect>
#include <functional>

#include "model/Geometry.h"

class QSocketNotifier;

// Carries the rectangles presented on the capture thread to the window thread without
// allocating: they are merged under drawLock, and an eventfd wakes the window thread's event
// loop, which hands their union to `show` once per wake-up.
class PresentQueue final : public QObject {
 public:
  // Create on the window thread; `show` runs there.
  explicit PresentQueue(std::function<void(const QRect&)> show, QObject* parent = nullptr);
  ~PresentQueue() override;
  PresentQueue(const PresentQueue&) = delete;
  PresentQueue& operator=(const PresentQueue&) = delete;

  // Any thread; the caller holds drawLock.
  void post(const Rect& area);

 private:
  void deliver();

  int m_wakeFd = -1;
  QSocketNotifier* m_notifier = nullptr;
  Rect m_pending;  // union of the areas not yet shown; guarded by drawLock
  std::function<void(const QRect&)> m_show;
};
