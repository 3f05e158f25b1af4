#include "platform/qt/PresentQueue.h"

#include <sys/eventfd.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <cstdint>

#include "platform/DrawLock.h"

PresentQueue::PresentQueue(std::function<void(const QRect&)> show, QObject* parent)
    : QObject(parent), m_wakeFd(eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)), m_show(std::move(show)) {
  if (m_wakeFd < 0) return;
  m_notifier = new QSocketNotifier(m_wakeFd, QSocketNotifier::Read, this);
  connect(m_notifier, &QSocketNotifier::activated, this, &PresentQueue::deliver);
}

PresentQueue::~PresentQueue() {
  delete m_notifier;
  if (m_wakeFd >= 0) close(m_wakeFd);
}

void PresentQueue::post(const Rect& area) {
  if (area.isEmpty()) return;
  // An empty union means the window thread has taken everything, so it needs a new wake-up;
  // otherwise one is already on its way and will carry this area too.
  const bool wake = m_pending.isEmpty();
  m_pending = unionRect(m_pending, area);
  if (!wake || m_wakeFd < 0) return;
  const std::uint64_t one = 1;
  [[maybe_unused]] const ssize_t written = write(m_wakeFd, &one, sizeof one);
}

void PresentQueue::deliver() {
  std::uint64_t count = 0;
  [[maybe_unused]] const ssize_t read = ::read(m_wakeFd, &count, sizeof count);
  Rect area;
  {
    DrawLockGuard guard;
    area = m_pending;
    m_pending = {};
  }
  if (!area.isEmpty()) m_show(QRect(area.left, area.top, area.width(), area.height()));
}
