#include <cmath>
#include <tuple>
#include <vector>
#include <gtest/gtest.h>

#include "physics/PhysicsScene.h"

namespace {

// The default field: centre borders x 31 … 717, y 31 … 429 for a ball of radius 30.
constexpr double leftBorder = 31, rightBorder = 717, topBorder = 31, bottomBorder = 429;
constexpr double exact = 1e-9;  // px, px/s, rad: the step solves its motion in closed form

// Between the borders a step is the parabola under gravity, whatever its length: one long
// step and many short ones end at the same place, and the spin turns the ball evenly.
TEST(BallMotion, AFreeFlightIsTheParabolaUnderGravity) {
  const struct { double g, x0, y0, vx0, vy0, spin, dt; } flights[] = {
      {600, 100, 60, 0, 0, 2, 0.25}, {2400, 300, 200, 150, -400, -1, 0.1},
      {120, 650, 400, -80, -50, 0, 1.0}, {1800, 374, 185, 0, -51.7, 0.5, 0.02}};
  for (const auto& f : flights) {
    PhysicsScene once, inSteps;
    for (PhysicsScene* s : {&once, &inSteps}) {
      s->ball.gravity = f.g;
      s->ball.spin = f.spin;
      s->place(f.x0, f.y0, f.vx0, f.vy0);
    }
    once.step(f.dt);
    for (int i = 0; i < 10; ++i) inSteps.step(f.dt / 10);
    const double t = f.dt;
    const double x = f.x0 + f.vx0 * t, y = f.y0 + f.vy0 * t + f.g * t * t / 2;
    const double angle = 10.0 + f.spin * t;
    for (const Ball& b : {once.ball, inSteps.ball}) {
      EXPECT_NEAR(b.x, x, exact) << f.g;
      EXPECT_NEAR(b.y, y, 1e-6) << f.g;  // ten steps add their rounding
      EXPECT_NEAR(b.vx, f.vx0, exact) << f.g;
      EXPECT_NEAR(b.vy, f.vy0 + f.g * t, 1e-6) << f.g;
      EXPECT_NEAR(b.angle, angle, 1e-6) << f.g;
      EXPECT_EQ(b.spin, f.spin);
    }
  }
}

// A border stops the step at the moment of impact, on the border, and sends the ball back
// with 90 % of its normal speed and 70 % of its speed along the border; the spin becomes
// 0.6 × that speed / r, turning the way the ball rolls along the border. The rest of the
// step is dropped.
TEST(BallMotion, ABorderBounceKeepsTheImpactAndLosesItsShareOfSpeed) {
  const double g = 600, r = 30;
  const struct {
    const char* border;
    double x0, y0, vx0, vy0;
    bool level;      // the bottom or the top: the time comes from the parabola
    double at;       // the border's x or y
    double rolling;  // the sign of the spin that speed along the border gives
  } rows[] = {{"bottom", 100, 427, 50, 300, true, bottomBorder, -1},
              {"top", 100, 33, 40, -300, true, topBorder, 1},
              {"right", 715, 150, 400, -100, false, rightBorder, 1},
              {"left", 33, 150, -400, 20, false, leftBorder, -1}};
  for (const auto& row : rows) {
    PhysicsScene s;
    s.place(row.x0, row.y0, row.vx0, row.vy0);
    s.step(0.02);
    const double root = std::sqrt(row.vy0 * row.vy0 + 2 * g * (row.at - row.y0));
    const double t = !row.level ? (row.at - row.x0) / row.vx0
                     : row.vy0 > 0 ? (root - row.vy0) / g : (-row.vy0 - root) / g;
    ASSERT_TRUE(t > 0.0 && t < 0.02) << row.border;
    const double x = row.x0 + row.vx0 * t, y = row.y0 + (row.vy0 + g * t / 2) * t;
    const double into = row.level ? row.vy0 + g * t : row.vx0;
    const double along = row.level ? row.vx0 : row.vy0 + g * t;
    const Ball& b = s.ball;
    SCOPED_TRACE(row.border);
    EXPECT_EQ(row.level ? b.y : b.x, row.at);
    EXPECT_NEAR(row.level ? b.x : b.y, row.level ? x : y, exact);
    EXPECT_NEAR(row.level ? b.vy : b.vx, -0.9 * into, exact);
    EXPECT_NEAR(row.level ? b.vx : b.vy, 0.7 * along, exact);
    EXPECT_NEAR(b.spin, row.rolling * 0.6 * along / r, exact);
    EXPECT_NEAR(b.angle, 10.0, exact);  // no spin before the bounce
  }
}

// The centre never leaves the borders: on a border exactly nothing bounces (the tests are
// strict); a throw whose apex lies beyond the top in a long step is held at the corner,
// still heading out; a start below the bottom is put back on it and sent up.
TEST(BallMotion, TheCentreStaysWithinTheBorders) {
  const struct { double x0, y0, vx0, vy0, dt, x, y, vx, vy; } rows[] = {
      {100, 429, 0, 0, 0, 100, 429, 0, 0},
      {712, 36, 100, -300, 0.99, 717, 31, -90, -189},
      {100, 432, 0, 10, 0.01, 100, 429, 0, -9}};
  for (const auto& row : rows) {
    PhysicsScene s;
    s.place(row.x0, row.y0, row.vx0, row.vy0);
    EXPECT_FALSE(s.step(row.dt));
    const Ball& b = s.ball;
    EXPECT_EQ(std::tuple(b.x, b.y), std::tuple(row.x, row.y)) << row.x0 << "," << row.y0;
    EXPECT_NEAR(b.vx, row.vx, exact);
    EXPECT_NEAR(b.vy, row.vy, exact);
  }
}

// Court pixels (a rows down, b columns right, code) under a ball at (x, 300) and the
// velocity after the step. At x = 189 the box overlaps the picture by 5 columns, too few for
// motion: a contact there strikes with a kick of 0.5 T (T = 1 / √(r² − d²) for one pixel)
// and the hard restitution, the normal speed capped at 4000 before it.
struct Pixel { int a, b, code; };
struct Contact {
  double x, vx0, vy0;
  std::vector<Pixel> pixels;
  double vx, vy;
} const contacts[] = {
    {150, 0, 100, {{0, 0, 255}}, 0, 100},      // the centre never counts
    {150, -100, 0, {{0, -30, 255}}, -100, 0},  // nor the circle
    {150, -100, 0, {{0, -29, 255}}, 90, 0},    // just inside does
    {150, 0, 100, {{5, 0, 12}}, 0, 100},       // 12 is free, 13 solid, 254 soft
    {150, 0, 100, {{5, 0, 13}}, 0, -90},
    {150, 0, 100, {{5, 0, 253}}, 0, -90},
    {150, 0, 100, {{5, 0, 254}}, 0, -70},
    {150, 0, -50, {{5, 0, 255}}, 0, -45},      // already leaving: still sent outward
    {150, 80, 60, {{3, 4, 255}}, -72, -54},    // the normal points from the pixel to the centre
    {150, 0, 100, {{4, 0, 254}, {5, 0, 255}}, 0, -90},  // the last pixel in scan order (lowest
    {150, 0, 100, {{4, 0, 255}, {5, 0, 254}}, 0, -70},  // row, then rightmost) gives the code
    {150, 0, 100, {{5, -1, 254}, {5, 1, 255}}, 0, -90},
    {150, 0, 100, {{5, -1, 255}, {5, 1, 254}}, 0, -70},
    {150, 40, 100, {{-5, 0, 255}, {5, 0, 255}, {0, -5, 255}, {0, 5, 255}}, 40, 100},  // cancel
    {189, 0, 100, {{5, 0, 254}}, 0, -0.9 * (100 + 10 / std::sqrt(875.0))},
    {189, 0, 3999.9, {{5, 0, 255}}, 0, -3600},
};

TEST(BallMotion, Contacts) {
  for (const Contact& c : contacts) {
    PhysicsScene s;
    s.place(c.x, 300, c.vx0, c.vy0);
    s.ball.shotX = -1;
    for (const Pixel& p : c.pixels) s.under(p.a, p.b) = static_cast<std::uint8_t>(p.code);
    SCOPED_TRACE(testing::Message() << "row " << &c - contacts);
    EXPECT_EQ(s.step(), c.x == 189);
    EXPECT_EQ(s.ball.shotX, c.x == 189 ? 189 : -1);
    EXPECT_NEAR(s.ball.vx, c.vx, 1e-9);
    EXPECT_NEAR(s.ball.vy, c.vy, 1e-9);
  }
}

}  // namespace
