#include "platform/HeadlessWindow.h"

void HeadlessWindow::postFrameEvent(std::intptr_t lParam) {
  std::lock_guard lock(queueLock);
  events.push_back(lParam);
}

void HeadlessWindow::placeWindow(int newX, int newY, int outerWidth, int outerHeight) {
  x = newX;
  y = newY;
  client = {outerWidth, outerHeight};
}

std::optional<std::intptr_t> HeadlessWindow::takeFrameEvent() {
  std::lock_guard lock(queueLock);
  if (events.empty()) return std::nullopt;
  std::intptr_t lParam = events.front();
  events.pop_front();
  return lParam;
}
