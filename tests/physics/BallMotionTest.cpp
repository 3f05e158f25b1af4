#include <cmath>
#include <vector>
#include <gtest/gtest.h>

#include "physics/PhysicsScene.h"

namespace {

// One step from a start state, on the default field (borders x 31 … 717, y 31 … 429).
struct Flight {
  double g, x0, y0, vx0, vy0, spin0, dt;  // gravity, start, step
  double x, y, vx, vy, spin, angle;       // after the step
} const flights[] = {
    {2400, 100, 60, 0, 0, 2, 0.25, 100, 135, 0, 600, 2, 10.5},  // free fall; spin turns it
    {600, 100, 427, 50, 300, 0, 0.02, 100.331140255951, 429, 35, -273.576314764272, -1, 10},
    {600, 100, 32, 0, -300, 0, 0.01, 100, 31, 0, 268.193959663524, 0, 10},      // top
    {600, 715, 150, 400, -100, 0, 0.01, 717, 149.5075, -360, -67.9, -1.94, 10},  // sides end
    {600, 33, 150, -400, 0, 0, 0.01, 31, 150.0075, 360, 2.1, -0.06, 10},  // at the impact
    {600, 100, 429, 0, 0, 0, 0, 100, 429, 0, 0, 0, 10},                   // on a border
    {600, 712, 36, 100, -300, 0, 0.99, 717, 31, -90, -189, -5.4, 10},     // apex above the top
    {600, 100, 432, 0, 10, 0, 0.01, 100, 429, 0, -9, 0, 10},              // start below
};

TEST(BallMotion, FlightsAndBorders) {
  for (const Flight& f : flights) {
    PhysicsScene s;
    s.ball.gravity = f.g;
    s.ball.spin = f.spin0;
    s.place(f.x0, f.y0, f.vx0, f.vy0);
    EXPECT_FALSE(s.step(f.dt));
    const Ball& b = s.ball;
    for (auto [got, want] : {std::pair{b.x, f.x}, {b.y, f.y}, {b.vx, f.vx}, {b.vy, f.vy},
                             {b.spin, f.spin}, {b.angle, f.angle}})
      EXPECT_NEAR(got, want, 1e-9) << "from " << f.x0 << "," << f.y0;
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

TEST(BallMotion, TheMaskCopiesTheCourtUnderTheBoxTopRowFirst) {
  PhysicsScene s;
  s.place(150.7, 150.2);
  const Pixel marks[] = {{-30, -30, 21}, {29, 29, 22}, {-4, 7, 24}, {30, 0, 23}};  // 23: below
  for (const Pixel& p : marks) s.under(p.a, p.b) = static_cast<std::uint8_t>(p.code);
  s.step();
  for (int i = 0; i < 3; ++i) EXPECT_EQ(s.mask(marks[i].a, marks[i].b), marks[i].code) << i;
  EXPECT_EQ(std::count(s.contact.mask.begin(), s.contact.mask.end(), 0), 60 * 60 - 3);
}

}  // namespace
