#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>

#include "platform/MemorySurface.h"
#include "render/CourtCanvas.h"
#include "render/CourtLayout.h"
#include "render/ScoreDisplay.h"

namespace {

// Lit segments of each digit in segment order: upper left, upper right, lower left, lower
// right, top, middle, bottom.
const std::string segmentTable[10] = {"1111101", "0101000", "0110111", "0101111", "1101010",
                                      "1001111", "1011111", "1101100", "1111111", "1101111"};

// The digits both displays show, read at the segments' centres from the field picture:
// digit columns start 5 + 22k and 82 + 22k from the box's left; '?' where no digit shows.
std::string shown(const MemorySurface& surface) {
  std::string digits;
  for (int left : {304, 326, 348, 381, 403, 425}) {
    std::string lit;  // verticals 3 px wide on rows 17 … 32 and 36 … 51, bars at 14, 33, 52
    for (const auto& [dx, y] : {std::pair{1, 24}, {17, 24}, {1, 43}, {17, 43}, {9, 15}, {9, 34}, {9, 53}}) {
      const Colour colour = colourOf(surface.pixelAt(left + dx, y));
      lit += colour == Colour{0, 0, 200} ? '1' : colour == Colour{} ? '0' : 'x';
    }
    const auto digit = std::find(std::begin(segmentTable), std::end(segmentTable), lit);
    digits += digit == std::end(segmentTable) ? '?' : static_cast<char>('0' + (digit - segmentTable));
  }
  return digits;
}

// Score box (299, 10)–(449, 60) of the default court; the surface is black until a box is
// copied onto it.
struct ScoreDisplay : ::testing::Test {
  ScoreDisplay() {
    layoutCourt(court, {320, 240, 30}, nullptr);
    surface.create(748, 460);
  }
  Court court;
  MemorySurface surface;
};

TEST_F(ScoreDisplay, ShowsThreeDigitsWithLeadingZerosAndLeavesTheOtherDisplay) {
  const struct { int display, points; const char* digits; } rows[] = {
      {1, 0, "000???"}, {2, 0, "000000"}, {1, 7, "007000"}, {1, 12, "012000"},
      {2, 5, "012005"}, {1, 345, "345005"}, {2, 689, "345689"}, {1, 1234, "999689"}};
  for (const auto& row : rows) {
    showScore(court, surface, true, row.display, row.points);
    EXPECT_EQ(shown(surface), row.digits) << row.points << " on " << row.display;
  }
  const Bytes before = court.backdrop;
  showScore(court, surface, true, 1, 1234);
  EXPECT_EQ(court.backdrop, before);  // the same value twice changes nothing
}

TEST_F(ScoreDisplay, CopiesTheBoxWithItsRightAndBottomEdgesAndPresentsItWhileTheWindowLives) {
  showScore(court, surface, true, 1, 480);
  EXPECT_EQ(surface.presented, (std::vector<Rect>{{299, 10, 450, 61}}));
  for (int y = 0; y < 460; ++y)  // field rows 10 … 60 and columns 299 … 449 of the backdrop
    for (int x = 0; x < 748; ++x) {
      const bool inBox = x >= 299 && x <= 449 && y >= 10 && y <= 60;
      ASSERT_EQ(colourOf(surface.pixelAt(x, y)), inBox ? backdropAt(court, x, 459 - y) : Colour{}) << x << "," << y;
    }
  showScore(court, surface, false, 2, 3);
  EXPECT_EQ(std::pair(shown(surface), surface.presented.size()), std::pair(std::string("480003"), std::size_t{1}));
}

// Records the names as text@x,y; a text is 13 px wide a byte.
struct TextRecorder final : FieldSurface {
  void create(int, int) override {}
  int width() const override { return 0; }
  int height() const override { return 0; }
  void putImage(const std::uint8_t*, int, int, int, int, int, int, int, int) override {}
  void getImage(std::uint8_t*) const override {}
  void present(const Rect&) override {}
  void drawText(int x, int y, std::string_view text, const TextFont& font, Rgb colour) override {
    EXPECT_EQ(colourOf(colour), (Colour{160, 160, 0}));
    EXPECT_TRUE(font.height == 34 && font.averageWidth == 17 && font.weight == 400 && font.face == "Arial");
    calls.push_back(std::string(text) + "@" + std::to_string(x) + "," + std::to_string(y));
  }
  int textWidth(std::string_view text, const TextFont&) const override { return 13 * static_cast<int>(text.size()); }
  std::vector<std::string> calls;
};

TEST(PlayerNames, SitInTheTopCornersTheRightOneEndingThirtyPixelsFromTheEdge) {
  TextRecorder surface;
  drawPlayerNames(surface, 748, "Ann", "Bartholomew");
  drawPlayerNames(surface, 748, "Ann", "");
  EXPECT_EQ(surface.calls, (std::vector<std::string>{"Ann@30,20", "Bartholomew@575,20", "Ann@30,20", "@718,20"}));
}

}  // namespace
