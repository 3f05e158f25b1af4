#include "platform/HeadlessWindow.h"

Size HeadlessWindow::fitField(Size needed) {
  placed = placeWindowFor(needed, field, {}, {0, 0, screen.width, screen.height});
  field = placed.field;
  return field;
}

bool HeadlessWindow::takePeriodOver() {
  int pending = periodsOver.load();
  while (pending > 0 && !periodsOver.compare_exchange_weak(pending, pending - 1)) {
  }
  return pending > 0;
}
