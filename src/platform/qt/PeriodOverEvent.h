#pragma once
#include <QEvent>

// The frame step's word that the period is over: posted from the capture thread, handled on
// the window thread.
class PeriodOverEvent final : public QEvent {
 public:
  static QEvent::Type type() {
    static const auto registered = static_cast<QEvent::Type>(QEvent::registerEventType());
    return registered;
  }
  PeriodOverEvent() : QEvent(type()) {}
};
