#include <algorithm>
#include <cassert>
#include <cmath>
#include <cstring>

#include "engine/GameEngine.h"
#include "physics/BallBox.h"

namespace {

constexpr double longestStep = 1.0;  // s; the frame loop never asks for more
constexpr double kickUnit = 20.0;    // px/s of outward speed per unit of kick
constexpr double normalSpeedCap = 4000.0;  // px/s, before restitution
constexpr double softRestitution = 0.7;
constexpr std::uint8_t softCode = 254;
constexpr std::uint8_t borderCode = 255;
constexpr std::uint8_t contactAbove = 12;  // mask bytes above this push the ball

// The impact time of a border test, kept inside the step. A solution outside [0, dt], or
// none (NaN, ±inf from a zero speed), only comes from a start state that was already past
// the border or from velocities changed by an earlier bounce of the same step; pinning it
// keeps every rebuilt value finite.
double withinStep(double t, double dt) {
  if (!(t > 0.0)) return 0.0;
  return t < dt ? t : dt;
}

// Square root of the border solution; a start beyond the border makes the radicand
// negative, and the ball then meets the border at once.
double rootOrZero(double radicand) { return std::sqrt(std::max(0.0, radicand)); }

// What the disc's contact pixels add up to (see stepBall, step 6).
struct Push {
  double p = 0.0;          // −Σ b / d²
  double q = 0.0;          // −Σ a / d²
  double t = 0.0;          // Σ 1 / √(r² − d²)
  std::uint8_t code = 0;   // mask byte of the last pixel taken, in scan order
};

Push sumPush(const std::uint8_t* mask, int r) {
  Push push;
  const int side = 2 * r;
  const int rr = r * r;
  for (int k = 0; k < side; ++k) {
    const int a = k - r;
    const std::uint8_t* row = mask + static_cast<std::ptrdiff_t>(k) * side;
    for (int j = 0; j < side; ++j) {
      const int b = j - r;
      const int d2 = a * a + b * b;
      if (d2 >= rr || row[j] <= contactAbove || d2 <= 0) continue;
      push.p -= static_cast<double>(b) / d2;
      push.q -= static_cast<double>(a) / d2;
      push.t += 1.0 / std::sqrt(static_cast<double>(rr - d2));
      push.code = row[j];
    }
  }
  return push;
}

// A court is laid out: a field that holds the ball between its borders and the buffers
// the step reads. Until the layout has run there is nothing to step.
bool courtReady(const GameEngine& e) {
  const int r = e.ballRadius;
  const std::size_t field = static_cast<std::size_t>(std::max(0, e.fieldWidth)) *
                            static_cast<std::size_t>(std::max(0, e.fieldHeight));
  return r > 0 && e.fieldWidth >= 2 * r + 2 && e.fieldHeight >= 2 * r + 2 &&
         e.courtMap.size() >= field && e.ballMask.size() >= static_cast<std::size_t>(4 * r * r);
}

// The settings file and the dialogs only let positive gravity through, and the frame loop
// never asks for a negative step or one longer than a second.
bool sensibleStep(const GameEngine& e, double dt) {
  return e.gravity > 0.0 && std::isfinite(e.gravity) && dt >= 0.0 && dt <= longestStep;
}

}  // namespace

void GameEngine::stepBall(double dt) {
  assert(sensibleStep(*this, dt));
  if (!courtReady(*this) || !sensibleStep(*this, dt)) return;
  const int r = ballRadius;
  const double g = gravity;
  const double x0 = ballX, y0 = ballY, vx0 = ballVX, vy0 = ballVY, a0 = ballAngle;

  ballX = x0 + ballVX * dt;
  ballY = y0 + (vy0 + 0.5 * g * dt) * dt;
  ballVY = vy0 + g * dt;
  ballAngle = a0 + ballSpin * dt;

  // Bottom and top: the height is known, the time comes from the parabola.
  auto meetHeight = [&](double border, double t, double nx, double ny) {
    t = withinStep(t, dt);
    ballY = border;
    ballX = x0 + ballVX * t;
    ballVY = vy0 + g * t;
    ballAngle = a0 + ballSpin * t;
    bounceBall(nx, ny, 0.0, borderCode);
  };
  // Sides: the time comes from the start's horizontal speed, the height is rebuilt.
  auto meetSide = [&](double border, double nx) {
    const double t = withinStep((border - x0) / vx0, dt);
    ballX = border;
    ballY = y0 + (vy0 + 0.5 * g * t) * t;
    ballVY = vy0 + g * t;
    ballAngle = a0 + ballSpin * t;
    bounceBall(nx, 0.0, 0.0, borderCode);
  };
  const double bottom = fieldHeight - r - 1;
  const double top = r + 1;
  const double right = fieldWidth - r - 1;
  const double left = r + 1;
  if (ballY > bottom)
    meetHeight(bottom, (rootOrZero(vy0 * vy0 + 2.0 * g * (bottom - y0)) - vy0) / g, 0.0, -1.0);
  if (ballY < top)
    meetHeight(top, (-vy0 - rootOrZero(vy0 * vy0 + 2.0 * g * (top - y0))) / g, 0.0, 1.0);
  if (ballX > right) meetSide(right, -1.0);
  if (ballX < left) meetSide(left, 1.0);
  // A side test rebuilds the height at its own impact time, which can lie beyond the top
  // or bottom border: near the apex of a steep throw whose step ends below the top again,
  // or after a border bounce earlier in the step. The centre is held on the borders so that
  // the ball box is never read or drawn outside the field; the velocity is left as it is,
  // still heading out, so the next step's border test bounces it at once.
  ballX = std::clamp(ballX, left, right);
  ballY = std::clamp(ballY, top, bottom);

  copyCourtUnderBall();
  const Rect box = ballBox(ballX, ballY, r);
  const Rect picture = intersectRect(box, frameRect);
  const bool overPicture = !picture.isEmpty();
  if (overPicture) senseMotion(picture);

  const Push push = sumPush(ballMask.data(), r);
  const double px = 2 * r * push.p;
  const double qy = 2 * r * push.q;
  const double n = std::sqrt(px * px + qy * qy);
  if (n > 0.0) {
    if (!overPicture) {
      bounceBall(px / n, qy / n, 0.0, push.code);
    } else if (n > hitThreshold) {
      bounceBall(px / n, qy / n, 0.5 * push.t, borderCode);
      shotX = static_cast<int>(ballX);
      ++strikeCount;
    }
  }

  const int prevX = static_cast<int>(x0);
  const int prevY = static_cast<int>(y0);
  if (rightIsPerson != 0) rightScore = testRing(true, prevX, prevY);
  if (leftIsPerson != 0) leftScore = testRing(false, prevX, prevY);
}

void GameEngine::bounceBall(double nx, double ny, double kick, std::uint8_t code) {
  const double r = ballRadius;
  const double w = ballSpin;
  const double vn = nx * ballVX + ny * ballVY;
  const double vt = ny * ballVX - nx * ballVY;
  const double u = spinFactor * r * w + tangentFactor * vt;
  ballSpin = (2.0 * (vt - u) + r * w) / r;
  double m = std::min(std::abs(vn) + kickUnit * kick, normalSpeedCap);
  m *= code == softCode ? softRestitution : restitution;
  ballVX = m * nx + u * ny;
  ballVY = m * ny - u * nx;
}

// stepBall holds the centre within the borders, so the box lies inside the field; a box
// outside it (a caller that skipped the ball step) leaves the mask clear.
void GameEngine::copyCourtUnderBall() {
  const int side = 2 * ballRadius;
  std::memset(ballMask.data(), 0, static_cast<std::size_t>(side) * side);
  const Rect box = ballBox(ballX, ballY, ballRadius);
  const bool inside = box.left >= 0 && box.top >= 0 && box.right <= fieldWidth &&
                      box.bottom <= fieldHeight;
  assert(inside);
  if (!inside) return;
  for (int k = 0; k < side; ++k) {
    const int storedRow = fieldHeight - 1 - (box.top + k);
    std::memcpy(ballMask.data() + static_cast<std::size_t>(k) * side,
                courtMap.data() + static_cast<std::size_t>(storedRow) * fieldWidth + box.left,
                static_cast<std::size_t>(side));
  }
}
