#include <cmath>
#include <random>
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

// Court pixels (a rows down, b columns right, code) under a ball at (150, 150), away from
// the picture, and the velocity after the step.
struct Pixel { int a, b, code; };
struct Contact {
  double vx0, vy0;
  std::vector<Pixel> pixels;
  double vx, vy;
} const contacts[] = {
    {0, 100, {{0, 0, 255}}, 0, 100},      // the centre never counts
    {-100, 0, {{0, -30, 255}}, -100, 0},  // nor the circle
    {-100, 0, {{0, -29, 255}}, 90, 0},    // just inside does
    {0, 100, {{5, 0, 12}}, 0, 100},       // 12 is free, 13 solid, 254 soft
    {0, 100, {{5, 0, 13}}, 0, -90},
    {0, 100, {{5, 0, 253}}, 0, -90},
    {0, 100, {{5, 0, 254}}, 0, -70},
    {0, -50, {{5, 0, 255}}, 0, -45},      // already leaving: still sent outward
    {80, 60, {{3, 4, 255}}, -72, -54},    // the normal points from the pixel to the centre
    {0, 100, {{4, 0, 254}, {5, 0, 255}}, 0, -90},  // the last pixel in scan order (lowest
    {0, 100, {{4, 0, 255}, {5, 0, 254}}, 0, -70},  // row, then rightmost) gives the code
    {0, 100, {{5, -1, 254}, {5, 1, 255}}, 0, -90},
    {0, 100, {{5, -1, 255}, {5, 1, 254}}, 0, -70},
    {40, 100, {{-5, 0, 255}, {5, 0, 255}, {0, -5, 255}, {0, 5, 255}}, 40, 100},  // cancel
};

TEST(BallMotion, CourtContacts) {
  for (const Contact& c : contacts) {
    PhysicsScene s;
    s.place(150, 150, c.vx0, c.vy0);
    for (const Pixel& p : c.pixels) s.under(p.a, p.b) = static_cast<std::uint8_t>(p.code);
    EXPECT_FALSE(s.step());  // away from the picture a contact is no strike
    EXPECT_NEAR(s.ball.vx, c.vx, 1e-9) << "row " << &c - contacts;
    EXPECT_NEAR(s.ball.vy, c.vy, 1e-9) << "row " << &c - contacts;
  }
}

// Over the picture (a sliver of 5 columns, too narrow for motion) a court pixel at (5, 0)
// strikes: kick 0.5 T, the hard restitution whatever the code, the normal speed capped at
// 4000 before it, and shotX. Its push N = 2r × 5 / 25 = 12 must exceed the threshold.
TEST(BallMotion, CourtPixelsOverThePictureStrike) {
  const double kicked = -0.9 * (100 + 10 / std::sqrt(900.0 - 25));
  for (auto [vy0, threshold, code, vy] : {std::tuple{100.0, 0.0, 254, kicked},
                                          {3999.9, 0.0, 255, -3600.0}, {100.0, 12.0, 255, 100.0},
                                          {100.0, 11.99, 255, kicked}}) {
    PhysicsScene s;
    const int x = s.court.frameRect.left - 25;
    s.place(x, 300, 0, vy0);
    s.ball.hitThreshold = threshold;
    s.ball.shotX = -1;
    s.under(5, 0) = static_cast<std::uint8_t>(code);
    EXPECT_EQ(s.step(), vy < 0) << vy0 << " " << threshold;
    EXPECT_NEAR(s.ball.vy, vy, 1e-9) << vy0 << " " << threshold;
    EXPECT_EQ(s.ball.shotX, vy < 0 ? x : -1);
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

// Every radius the settings accept, gravities across the accepted range, steps of up to a
// second, speeds up to the cap, random solid blocks and changed patches: the ball stays
// finite and its box inside the field.
TEST(BallMotion, RandomPlayKeepsTheBallFiniteAndInsideTheField) {
  std::mt19937 random(20261206);
  auto unit = [&] { return std::uniform_real_distribution<double>(0.0, 1.0)(random); };
  const double gravities[] = {5e-324, 1e-6, 120.0, 600.0, 100000.0, 3000.0};
  for (int r = 2; r <= 100; r += 2) {
    PhysicsScene s(r, r % 4 ? 160 : 320, r % 4 ? 120 : 240);
    const int W = s.court.fieldWidth, H = s.court.fieldHeight;
    s.place(W / 2, s.court.frameRect.top - r - 5);
    for (int step = 0; step < 120; ++step) {
      for (int block = 0; step % 40 == 0 && block < 12; ++block) {
        const int x = int(unit() * W), y = int(unit() * H), w = int(unit() * 4 * r);
        const auto code = static_cast<std::uint8_t>(unit() * 256);
        for (int i = 0; i < w * w; ++i) s.at(std::min(x + i % w, W - 1), std::min(y + i / w, H - 1)) = code;
        s.paint(block % 2 ? s.current : s.previous, {x, y, x + w, y + w}, {code, code, code});
      }
      if (step % 10 == 0) s.place(s.ball.x, s.ball.y, 8000 * unit() - 4000, 8000 * unit() - 4000);
      s.ball.gravity = gravities[step % 6];
      s.step(step % 7 == 0 ? 1.0 : unit());
      const Ball& b = s.ball;
      const Rect box = ballBox(b.x, b.y, r);
      ASSERT_TRUE(std::isfinite(b.x + b.y + b.vx + b.vy + b.spin + b.angle) && box.left >= 0 &&
                  box.top >= 0 && box.right <= W && box.bottom <= H)
          << "r " << r << " step " << step << " at " << b.x << "," << b.y;
    }
  }
}

}  // namespace
