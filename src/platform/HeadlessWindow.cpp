#include "platform/HeadlessWindow.h"

void HeadlessWindow::placeWindow(int newX, int newY, int outerWidth, int outerHeight) {
  x = newX;
  y = newY;
  client = {outerWidth, outerHeight};
}

bool HeadlessWindow::takePeriodOver() {
  int pending = periodsOver.load();
  while (pending > 0 && !periodsOver.compare_exchange_weak(pending, pending - 1)) {
  }
  return pending > 0;
}
