#include "platform/HeadlessWindow.h"

#include "platform/WindowPlacement.h"

// No frame; the window's place on its screen is of no interest without a display.
Size HeadlessWindow::fitField(Size needed) {
  field = placeWindowFor(needed, field, {}, {0, 0, screen.width, screen.height}).field;
  return field;
}

bool HeadlessWindow::takePeriodOver() {
  int pending = periodsOver.load();
  while (pending > 0 && !periodsOver.compare_exchange_weak(pending, pending - 1)) {
  }
  return pending > 0;
}
