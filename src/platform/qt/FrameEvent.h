#pragma once
#include <QEvent>
#include <cstdint>

#include "platform/WindowLink.h"

// WM_FRAME_EVENT as a Qt event: posted from the capture thread, handled on the window thread.
class FrameEvent final : public QEvent {
 public:
  static constexpr QEvent::Type frameEventType = static_cast<QEvent::Type>(QEvent::User + WM_FRAME_EVENT);

  explicit FrameEvent(std::intptr_t lParam) : QEvent(frameEventType), lParam(lParam) {}

  const unsigned message = WM_FRAME_EVENT;
  const std::intptr_t lParam;
};
