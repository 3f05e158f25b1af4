#include <gtest/gtest.h>
#include <tuple>

#include "platform/WindowPlacement.h"

namespace {

// The defaults around a 320 × 240 picture need 748 × 460; around 1280 × 720, 1708 × 840.
TEST(WindowPlacement, GrowsNeverShrinksIsCentredAndShowsAFieldTooLargeForTheScreenScaledDown) {
  const Rect hd{0, 0, 1920, 1080};
  const struct { const char* what; Size needed, current, frame; Rect available;
                 int x, y; Size outer, field; bool scaled; } rows[] = {
      {"a new window", {748, 460}, {}, {}, hd, 586, 310, {748, 460}, {748, 460}, false},
      {"a larger window keeps its size, the width to a multiple of 4", {748, 460}, {1001, 700}, {},
       hd, 460, 190, {1000, 700}, {1000, 700}, false},
      {"the frame counts in the rounding", {748, 460}, {}, {10, 30}, hd, 582, 295, {756, 490},
       {746, 460}, false},
      {"no screen known", {748, 460}, {}, {}, {}, 0, 0, {748, 460}, {748, 460}, false},
      {"exactly the screen", {800, 600}, {}, {}, {0, 0, 800, 600}, 0, 0, {800, 600}, {800, 600},
       false},
      // 800 / 1068 of 600 is 449.4: the window is 800 × 449, centred 76 down.
      {"wider than the screen", {1068, 600}, {}, {}, {0, 0, 800, 600}, 0, 76, {800, 449},
       {1068, 600}, true},
      // A 1600-wide screen below a 32-pixel panel: 1598 / 1706 of 840 is 786.8.
      {"a 1280 × 720 camera", {1708, 840}, {}, {2, 28}, {0, 32, 1600, 900}, 0, 59, {1600, 814},
       {1706, 840}, true},
      // The height limits: 400 / 460 of 748 is 650.4.
      {"taller than the screen", {748, 460}, {}, {}, {100, 0, 1100, 400}, 275, 0, {650, 400},
       {748, 460}, true}};
  for (const auto& row : rows) {
    const WindowPlacement p = placeWindowFor(row.needed, row.current, row.frame, row.available);
    EXPECT_EQ(std::tuple(p.x, p.y, p.outer, p.field, p.scaled),
              std::tuple(row.x, row.y, row.outer, row.field, row.scaled)) << row.what;
  }
}

}  // namespace
