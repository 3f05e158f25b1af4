#include <gtest/gtest.h>
#include <tuple>

#include "render/CourtCanvas.h"
#include "render/CourtLayout.h"
#include "render/Skins.h"

namespace {

// Defaults (ball 30, basket 112, ring 200, backboard 200 high): beside the picture
// 10 + 112 + 22 + 10 = 154 and a ball's diameter; above it the 60-pixel score band and a
// diameter, or the backboard's top and a diameter where that is higher.
TEST(CourtLayout, TheFieldHoldsPictureRingsAndBallAndTheBallStartsThrownUp) {
  const struct { Size picture; int basket, ring; Size needed; } sizes[] = {
      {{320, 240}, 112, 200, {748, 460}}, {{640, 480}, 112, 200, {1068, 600}},
      {{320, 240}, 157, 200, {856, 460}},   // 10 + 157 + 31 + 10 = 208 a side
      {{320, 240}, 112, 300, {748, 560}}};  // the backboard's top is higher than the band
  for (const auto& row : sizes) {
    Court c;
    c.basketSize = row.basket;
    c.ringHeight = row.ring;
    EXPECT_EQ(neededField(c, {row.picture.width, row.picture.height, 30}), row.needed) << row.basket;
  }
  // The picture sits at the bottom centre of whatever field it is given. The ball starts
  // 35 px above it, thrown up at a third of its height: −(y − 30) / 3, not in integers.
  const struct { Size picture, field; Rect pictureRect; double ballY; } rows[] = {
      {{320, 240}, {748, 460}, {214, 220, 534, 460}, 185},
      {{320, 240}, {1000, 700}, {340, 460, 660, 700}, 425},
      {{640, 480}, {1068, 600}, {214, 120, 854, 600}, 85}};  // −18.333…
  for (const auto& row : rows) {
    Court c;
    layoutCourt(c, {row.picture.width, row.picture.height, 30}, row.field);
    EXPECT_EQ(std::tuple(c.fieldRect, c.frameRect, c.courtMap.size()),
              std::tuple(Rect{0, 0, row.field.width, row.field.height}, row.pictureRect,
                         std::size_t(row.field.width) * row.field.height));
    Ball ball{.vx = 55};
    placeBallAtStart(ball, c);
    EXPECT_EQ(std::tuple(ball.x, ball.y, ball.vx, ball.vy, ball.drawnX, ball.drawnY),
              std::tuple(c.fieldWidth / 2, row.ballY, 0.0, (30 - row.ballY) / 3, c.fieldWidth / 2, int(row.ballY)));
  }
}

TEST(Skins, EachSkinGivesItsColourAtKnownPixels) {
  const SkinField f{640, 480, Rect{160, 240, 480, 480}}, wide{800, 300, Rect{240, 60, 560, 300}};
  const struct { int skin, x, y; SkinField field; Colour colour; } rows[] = {
      {0, 100, 50, f, {46, 111, 97}},  {0, 333, 222, f, {83, 44, 128}}, {1, 25, 0, f, {0, 80, 160}},
      {1, 0, 47, wide, {0, 100, 200}}, {3, 0, 47, wide, {0, 100, 100}},  {2, 100, 50, f, {104, 104, 0}},  // W sets rows
      {2, 333, 222, f, {97, 77, 0}},   {2, 600, 400, f, {53, 133, 0}},   {3, 10, 0, f, {100, 0, 100}},
      {3, 20, 0, f, {100, 100, 0}},    {4, 320, 120, f, {255, 97, 97}},  {4, 600, 400, f, {74, 45, 78}}};  // ring > 128
  std::minstd_rand unused;
  for (const auto& row : rows)
    EXPECT_EQ(colourOf(SkinPattern(row.skin, row.field, unused).colourAt(row.x, row.y)), row.colour) << row.skin << " at " << row.x;
}

// The noise skin: one backdrop for one seed, another for another, and every colour on the
// band 32 + 2n, 64 − 2n, 128 + 2n with −15 ≤ n ≤ 16.
TEST(Skins, TheNoiseSkinRepeatsForItsSeedAndStaysOnItsBand) {
  auto noiseCourt = [](std::uint32_t seed) {
    Court c;
    c.skinIndex = 9;
    c.noise.seed(seed);
    layoutCourt(c, {320, 240, 30}, {748, 460});
    return c.backdrop;
  };
  EXPECT_EQ(noiseCourt(5), noiseCourt(5));
  EXPECT_NE(noiseCourt(5), noiseCourt(6));
  std::minstd_rand noise(3);
  SkinPattern skin(9, {640, 480, Rect{160, 240, 480, 480}}, noise);
  int lowest = 99, highest = -99;
  for (int k = 0; k < 20000; ++k) {
    const Rgb c = skin.colourAt(0, 0);
    const int n = (c.red - 32) / 2;
    ASSERT_EQ(std::tuple(c.red, c.green, c.blue), std::tuple(32 + 2 * n, 64 - 2 * n, 128 + 2 * n));
    lowest = std::min(lowest, n);
    highest = std::max(highest, n);
  }
  // 16 needs the one draw 32767 in 32768.
  EXPECT_EQ(lowest, -15);
  EXPECT_TRUE(highest == 15 || highest == 16) << highest;
}

// The court of the defaults around a 320 × 240 picture: 748 × 460, picture (214, 220)–(534, 460).
TEST(Backdrop, TheSkinPassPaintsTheChosenSkinTheFloorAndTheCourtsParts) {
  Court c;
  for (int skin : {0, 1, 2, 4, 3}) {
    c.skinIndex = static_cast<std::uint8_t>(skin);
    layoutCourt(c, {320, 240, 30}, {748, 460});
    for (const auto& [x, y] : {std::pair{200, 100}, {374, 380}, {700, 40}})
      EXPECT_EQ(backdropAt(c, x, y), colourOf(SkinPattern(skin, {748, 460, c.frameRect}, c.noise).colourAt(x, y))) << skin;
  }
  // Floor weight in column 0 is 1 up to row 29 and 0.5 on row 30; the shallow wedge edges are
  // soft over several columns; backboards and brackets are solid, the score box frame is not.
  for (const auto& [x, y, code] : std::initializer_list<std::tuple<int, int, int>>{
           {0, 29, 255}, {0, 30, 127}, {0, 31, 0}, {204, 0, 255}, {213, 0, 152}, {224, 0, 0}, {524, 0, 0},
           {535, 0, 152}, {544, 0, 255}, {10, 300, 255}, {19, 300, 255}, {728, 300, 255}, {737, 300, 255},
           {30, 233, 255}, {374, 452, 0}})
    EXPECT_EQ(codeAt(c, x, y), code) << x << "," << y;
  EXPECT_EQ(std::tuple(backdropAt(c, 0, 29), backdropAt(c, 374, 413), backdropAt(c, 374, 452)),
            std::tuple(Colour{0, 128, 0}, Colour{0, 0, 200}, Colour{128, 64, 0}));  // floor, colon, frame
}

TEST(Backdrop, AComputersTargetRingIsNotDrawnAndKeepsItsLastRectangle) {
  const struct { int basketSize; bool leftIsPerson, rightIsPerson; Rect left, right; int bareX; } rows[] = {
      {112, true, true, {42, 227, 154, 316}, {594, 227, 706, 316}, -1},  // top H − 200 − 33
      {96, false, true, {39, 227, 135, 303}, {594, 227, 706, 316}, 733},  // player 1 is the computer
      {80, true, false, {39, 227, 116, 303}, {632, 227, 712, 291}, 15}};  // every layout sets left.right
  Court c;
  for (const auto& row : rows) {
    c.basketSize = row.basketSize;
    layoutCourt(c, {320, 240, 30, row.leftIsPerson, row.rightIsPerson}, {748, 460});
    EXPECT_EQ(std::tuple(c.leftRingRect, c.rightRingRect, row.bareX < 0 || codeAt(c, row.bareX, 250) == 0),
              std::tuple(row.left, row.right, true)) << row.basketSize;  // no backboard where none is drawn
  }
}

}  // namespace
