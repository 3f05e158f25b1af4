#include <cmath>
#include <random>

#include <gtest/gtest.h>

#include "physics/PhysicsScene.h"

namespace {

// Random solid blobs over the court and random changed patches over both frames.
void scatter(PhysicsScene& scene, std::mt19937& random) {
  GameEngine& e = scene.engine();
  std::uniform_int_distribution<int> x(0, e.fieldWidth - 1), y(0, e.fieldHeight - 1),
      size(1, 4 * e.ballRadius), byte(0, 255);
  for (int blob = 0; blob < 12; ++blob) {
    const int left = x(random), top = y(random), w = size(random), h = size(random);
    const auto code = static_cast<std::uint8_t>(byte(random));
    for (int yy = top; yy < std::min(top + h, e.fieldHeight); ++yy)
      for (int xx = left; xx < std::min(left + w, e.fieldWidth); ++xx) scene.court(xx, yy) = code;
  }
  for (Bytes* frame : {&e.workFrame, &e.shownFrame})
    for (int patch = 0; patch < 8; ++patch) {
      const int left = x(random), top = y(random);
      scene.paint(*frame, Rect{left, top, left + size(random), top + size(random)},
                  static_cast<std::uint8_t>(byte(random)));
    }
}

void expectSane(PhysicsScene& scene, int radius, double g, int step) {
  GameEngine& e = scene.engine();
  for (double v : {e.ballX, e.ballY, e.ballVX, e.ballVY, e.ballSpin, e.ballAngle})
    ASSERT_TRUE(std::isfinite(v)) << "r " << radius << " g " << g << " step " << step;
  const Rect box = scene.box();
  ASSERT_TRUE(box.left >= 0 && box.top >= 0 && box.right <= e.fieldWidth &&
              box.bottom <= e.fieldHeight)
      << "r " << radius << " g " << g << " step " << step << " at " << e.ballX << ","
      << e.ballY;
}

// Every ball radius the settings accept, gravities across the whole accepted range (the
// extremes included), steps of up to a second, velocities up to the cap in any direction.
TEST(BallProperty, BallStaysFiniteAndItsBoxInsideTheField) {
  std::mt19937 random(20261206);
  std::uniform_real_distribution<double> unit(0.0, 1.0), signedUnit(-1.0, 1.0);
  const double gravities[] = {5e-324, 1e-6, 120.0, 600.0, 100000.0};
  int steps = 0;
  for (int radius = 2; radius <= 100; radius += 2) {
    PhysicsScene scene(radius, radius % 4 == 0 ? FrameFormat{320, 240} : FrameFormat{160, 120});
    GameEngine& e = scene.engine();
    scatter(scene, random);
    e.ballX = e.fieldWidth / 2;
    e.ballY = e.frameRect.top - radius - 5;
    for (int step = 0; step < 120; ++step, ++steps) {
      const int pick = step % 6;
      e.gravity = pick < 5 ? gravities[pick] : std::exp(unit(random) * std::log(100000.0));
      if (step % 10 == 0) {
        e.ballVX = 4000 * signedUnit(random);
        e.ballVY = 4000 * signedUnit(random);
        e.ballSpin = 4000 * signedUnit(random) / radius;
      }
      if (step % 40 == 0) scatter(scene, random);
      const double dt = step % 7 == 0 ? 1.0 : unit(random);
      e.stepBall(dt);
      expectSane(scene, radius, e.gravity, step);
    }
  }
  EXPECT_GE(steps, 5000);
}

}  // namespace
