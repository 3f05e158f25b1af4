#include <gtest/gtest.h>

#include <tuple>

#include "platform/HeadlessWindow.h"
#include "render/CourtCanvas.h"
#include "render/CourtLayout.h"
#include "render/Skins.h"

namespace {

TEST(CourtLayout, TheWindowGrowsToFitNeverShrinksRoundsItsWidthDownAndIsCentred) {
  // Defaults (ball 30, basket 112): side = 10 + 112 + 22 + 10 = 154.
  const struct { Size picture, client, screen; int x, y; Rect field, pictureRect; } rows[] = {
      {{320, 240}, {}, {1920, 1080}, 586, 310, {0, 0, 748, 460}, {214, 220, 534, 460}},
      {{320, 240}, {1001, 700}, {1920, 1080}, 460, 190, {0, 0, 1000, 700}, {340, 460, 660, 700}},
      {{640, 480}, {}, {800, 600}, 0, 0, {0, 0, 1068, 600}, {214, 120, 854, 600}}};
  for (const auto& row : rows) {
    HeadlessWindow window(row.screen);
    window.client = row.client;
    Court c;
    layoutCourt(c, {row.picture.width, row.picture.height, 30}, &window);
    EXPECT_EQ(std::tuple(window.x, window.y, c.fieldRect, c.frameRect),
              std::tuple(row.x, row.y, row.field, row.pictureRect));
    EXPECT_EQ(c.courtMap.size(), static_cast<std::size_t>(c.fieldWidth) * c.fieldHeight);
  }
  Court alone;  // without a window the field is exactly what it needs
  layoutCourt(alone, {320, 240, 30}, nullptr);
  EXPECT_EQ(alone.fieldRect, (Rect{0, 0, 748, 460}));
}

TEST(CourtLayout, TheBallStartsAboveThePictureThrownUpByAThirdOfItsHeight) {
  Court c;
  layoutCourt(c, {640, 480, 30}, nullptr);  // 1068 × 600, picture top at 120
  Ball ball;
  ball.vx = 55;
  placeBallAtStart(ball, c);
  EXPECT_EQ(std::tuple(ball.x, ball.y, ball.vx, ball.drawnX, ball.drawnY), std::tuple(534.0, 85.0, 0.0, 534, 85));
  EXPECT_DOUBLE_EQ(ball.vy, -55.0 / 3);  // −(85 − 30) / 3 = −18.333…, not −18
}

TEST(Skins, EachSkinGivesItsColourAtKnownPixels) {
  const SkinField f{640, 480, Rect{160, 240, 480, 480}}, wide{800, 300, Rect{240, 60, 560, 300}};
  const struct { int skin, x, y; SkinField field; Colour colour; } rows[] = {
      {0, 100, 50, f, {46, 111, 97}},  {0, 333, 222, f, {83, 44, 128}}, {1, 25, 0, f, {0, 80, 160}},
      {1, 0, 47, wide, {0, 100, 200}}, {3, 0, 47, wide, {0, 100, 100}},  // rows follow W too
      {2, 100, 50, f, {104, 104, 0}},  {2, 333, 222, f, {97, 77, 0}},   {2, 600, 400, f, {53, 133, 0}},
      {3, 10, 0, f, {100, 0, 100}},    {3, 20, 0, f, {100, 100, 0}},    {4, 320, 120, f, {255, 97, 97}},
      {4, 333, 222, f, {234, 85, 70}}, {4, 600, 400, f, {74, 45, 78}}};  // a ring above 128
  for (const auto& row : rows)
    EXPECT_EQ(colourOf(skinColour(row.skin, row.x, row.y, row.field)), row.colour) << row.skin << " at " << row.x;
  std::srand(7);
  for (int i = 0; i < 2000; ++i) {  // noise: n from −15 to 16
    const Rgb c = skinColour(200, i % 64, i / 64, {64, 64, Rect{16, 32, 48, 64}});
    const int n = (c.red - 32) / 2;
    ASSERT_TRUE(n >= -15 && n <= 16 && colourOf(c) == (Colour{32 + 2 * n, 64 - 2 * n, 128 + 2 * n})) << n;
  }
}

// The court of the defaults around a 320 × 240 picture: 748 × 460, picture (214, 220)–(534, 460).
TEST(Backdrop, TheSkinPassPaintsTheChosenSkinTheFloorAndTheCourtsParts) {
  Court c;
  for (int skin : {0, 1, 2, 4, 3}) {
    c.skinIndex = static_cast<std::uint8_t>(skin);
    layoutCourt(c, {320, 240, 30}, nullptr);
    for (const auto& [x, y] : {std::pair{200, 100}, {374, 380}, {700, 40}})
      EXPECT_EQ(backdropAt(c, x, y), colourOf(skinColour(skin, x, y, {748, 460, c.frameRect}))) << skin;
  }
  for (int y = 0; y < 460; ++y)  // column 0: weight 1 up to row 29, 0.5 on row 30
    ASSERT_EQ(std::pair(codeAt(c, 0, y), backdropAt(c, 0, y) == Colour{0, 128, 0}),
              std::pair(y < 30 ? 255 : y == 30 ? 127 : 0, y < 30)) << y;
  std::vector<int> codes;  // the shallow edges, soft over several columns; backboards; a bracket
  for (int x : {204, 213, 224, 524, 535, 544}) codes.push_back(codeAt(c, x, 0));
  for (int x : {10, 19, 728, 737, 30}) codes.push_back(codeAt(c, x, x == 30 ? 233 : 300));
  EXPECT_EQ(codes, (std::vector<int>{255, 152, 0, 0, 152, 255, 255, 255, 255, 255, 255}));
  EXPECT_EQ(std::tuple(c.scoreBoxRect, c.digitPitch, c.secondScoreOffset), std::tuple(Rect{299, 10, 449, 60}, 22, 77));
  EXPECT_EQ(std::tuple(backdropAt(c, 374, 413), backdropAt(c, 374, 452), codeAt(c, 374, 452)),
            std::tuple(Colour{0, 0, 200}, Colour{128, 64, 0}, 0));  // colon; frame, not solid
}

TEST(Backdrop, AComputersTargetRingIsNotDrawnAndKeepsItsLastRectangle) {
  Court c;
  HeadlessWindow window;  // keeps the field 748 wide: a window never shrinks
  layoutCourt(c, {320, 240, 30, true, true}, &window);
  EXPECT_EQ(std::pair(c.leftRingRect, c.rightRingRect), std::pair(Rect{42, 227, 154, 316}, Rect{594, 227, 706, 316}));
  c.basketSize = 96;
  layoutCourt(c, {320, 240, 30, false, true}, &window);  // player 1 is the computer
  EXPECT_EQ(std::pair(c.leftRingRect, c.rightRingRect), std::pair(Rect{39, 227, 135, 303}, Rect{594, 227, 706, 316}));
  EXPECT_EQ(codeAt(c, 733, 250), 0);  // no backboard on the right
  c.basketSize = 80;
  layoutCourt(c, {320, 240, 30, true, false}, &window);  // every layout sets the left's right edge
  EXPECT_EQ(std::pair(c.leftRingRect, c.rightRingRect), std::pair(Rect{39, 227, 116, 303}, Rect{632, 227, 712, 291}));
  EXPECT_EQ(codeAt(c, 15, 250), 0);
}

}  // namespace
