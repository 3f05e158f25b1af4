#include "platform/WindowPlacement.h"

#include <algorithm>

namespace {

int centred(int start, int length, int outer) {
  return start + std::max(0, static_cast<int>((length - outer + 1.0) * 0.5));
}

// The largest size of the field's aspect within `room`, in whole numbers so that the
// limiting side fills the room exactly.
Size fitted(Size field, Size room) {
  const long long w = field.width, h = field.height;
  if (room.width * h <= room.height * w)
    return {room.width, std::max(1, static_cast<int>(h * room.width / w))};
  return {std::max(1, static_cast<int>(w * room.height / h)), room.height};
}

}  // namespace

WindowPlacement placeWindowFor(Size needed, Size current, Size frame, const Rect& available) {
  int outerWidth = std::max(needed.width, current.width) + frame.width;
  outerWidth -= (outerWidth + 4) % 4;
  const int outerHeight = std::max(needed.height, current.height) + frame.height;
  WindowPlacement place;
  place.field = {outerWidth - frame.width, outerHeight - frame.height};
  place.outer = {outerWidth, outerHeight};
  // No screen known: nothing to fit into.
  place.scaled = !available.isEmpty() &&
                 (outerWidth > available.width() || outerHeight > available.height());
  if (place.scaled) {
    const Size client = fitted(place.field, {std::max(1, available.width() - frame.width),
                                             std::max(1, available.height() - frame.height)});
    place.outer = {client.width + frame.width, client.height + frame.height};
  }
  place.x = centred(available.left, available.width(), place.outer.width);
  place.y = centred(available.top, available.height(), place.outer.height);
  return place;
}
