#include "physics/BallMotion.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <cstring>

namespace {

constexpr double longestStep = 1.0;  // s; the frame loop never asks for more
constexpr double kickUnit = 20.0;    // px/s of outward speed per unit of kick
constexpr double normalSpeedCap = 4000.0;  // px/s, before restitution
constexpr double softRestitution = 0.7;
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
bool courtReady(const Ball& ball, const Court& court, const ContactMask& contact) {
  const int r = ball.radius;
  const std::size_t field = static_cast<std::size_t>(std::max(0, court.fieldWidth)) *
                            static_cast<std::size_t>(std::max(0, court.fieldHeight));
  return r > 0 && court.fieldWidth >= 2 * r + 2 && court.fieldHeight >= 2 * r + 2 &&
         court.courtMap.size() >= field && contact.fits(r);
}

// The settings file and the dialogs only let positive gravity through, and the frame loop
// never asks for a negative step or one longer than a second.
bool sensibleStep(const Ball& ball, double dt) {
  return ball.gravity > 0.0 && std::isfinite(ball.gravity) && dt >= 0.0 && dt <= longestStep;
}

// The floor wedges rise at most 30 px above the bottom row; a push upward from there is the
// floor, not a backboard.
bool onFloor(const Ball& ball, const Court& court, double pushY) {
  return pushY < 0.0 && ball.y + ball.radius >= court.fieldHeight - 31;
}

}  // namespace

bool stepBall(Ball& ball, const Court& court, ContactMask& contact, const FramePair& frames,
              double dt, Impacts* impacts) {
  Impacts met;
  assert(sensibleStep(ball, dt));
  if (!courtReady(ball, court, contact) || !sensibleStep(ball, dt)) return false;
  const int r = ball.radius;
  const double g = ball.gravity;
  const double x0 = ball.x, y0 = ball.y, vx0 = ball.vx, vy0 = ball.vy, a0 = ball.angle;

  ball.x = x0 + ball.vx * dt;
  ball.y = y0 + (vy0 + 0.5 * g * dt) * dt;
  ball.vy = vy0 + g * dt;
  ball.angle = a0 + ball.spin * dt;

  // Bottom and top: the height is known, the time comes from the parabola.
  auto meetHeight = [&](double border, double t, double nx, double ny) {
    t = withinStep(t, dt);
    ball.y = border;
    ball.x = x0 + ball.vx * t;
    ball.vy = vy0 + g * t;
    ball.angle = a0 + ball.spin * t;
    met.border = std::max(met.border, bounceBall(ball, nx, ny, 0.0, borderCode));
  };
  // Sides: the time comes from the start's horizontal speed, the height is rebuilt.
  auto meetSide = [&](double border, double nx) {
    const double t = withinStep((border - x0) / vx0, dt);
    ball.x = border;
    ball.y = y0 + (vy0 + 0.5 * g * t) * t;
    ball.vy = vy0 + g * t;
    ball.angle = a0 + ball.spin * t;
    met.border = std::max(met.border, bounceBall(ball, nx, 0.0, 0.0, borderCode));
  };
  const double bottom = court.fieldHeight - r - 1;
  const double top = r + 1;
  const double right = court.fieldWidth - r - 1;
  const double left = r + 1;
  if (ball.y > bottom)
    meetHeight(bottom, (rootOrZero(vy0 * vy0 + 2.0 * g * (bottom - y0)) - vy0) / g, 0.0, -1.0);
  if (ball.y < top)
    meetHeight(top, (-vy0 - rootOrZero(vy0 * vy0 + 2.0 * g * (top - y0))) / g, 0.0, 1.0);
  if (ball.x > right) meetSide(right, -1.0);
  if (ball.x < left) meetSide(left, 1.0);
  // A side test rebuilds the height at its own impact time, which can lie beyond the top
  // or bottom border: near the apex of a steep throw whose step ends below the top again,
  // or after a border bounce earlier in the step. The centre is held on the borders so that
  // the ball box is never read or drawn outside the field; the velocity is left as it is,
  // still heading out, so the next step's border test bounces it at once.
  ball.x = std::clamp(ball.x, left, right);
  ball.y = std::clamp(ball.y, top, bottom);

  copyCourtUnderBall(ball, court, contact);
  const Rect box = ballBox(ball.x, ball.y, r);
  const Rect picture = intersectRect(box, court.frameRect);
  const bool overPicture = !picture.isEmpty();
  if (overPicture) senseMotion(ball, court, frames, picture, contact);

  const Push push = sumPush(contact.mask.data(), r);
  const double px = 2 * r * push.p;
  const double qy = 2 * r * push.q;
  const double n = std::sqrt(px * px + qy * qy);
  bool struck = false;
  if (n > 0.0 && !overPicture) {
    const double speed = bounceBall(ball, px / n, qy / n, 0.0, push.code);
    if (push.code != softCode) {
      double& kind = onFloor(ball, court, qy / n) ? met.floor : met.solid;
      kind = std::max(kind, speed);
    }
  } else if (n > 0.0 && n > ball.hitThreshold) {
    bounceBall(ball, px / n, qy / n, 0.5 * push.t, borderCode);
    ball.shotX = static_cast<int>(ball.x);
    struck = true;
  }
  if (impacts != nullptr) *impacts = met;
  return struck;
}

double bounceBall(Ball& ball, double nx, double ny, double kick, std::uint8_t code) {
  const double r = ball.radius;
  const double w = ball.spin;
  const double vn = nx * ball.vx + ny * ball.vy;
  const double vt = ny * ball.vx - nx * ball.vy;
  const double u = ball.spinFactor * r * w + ball.tangentFactor * vt;
  ball.spin = (2.0 * (vt - u) + r * w) / r;
  double m = std::min(std::abs(vn) + kickUnit * kick, normalSpeedCap);
  m *= code == softCode ? softRestitution : ball.restitution;
  ball.vx = m * nx + u * ny;
  ball.vy = m * ny - u * nx;
  return std::abs(vn);
}

// stepBall holds the centre within the borders, so the box lies inside the field; a box
// outside it (a caller that skipped the ball step) leaves the mask clear.
void copyCourtUnderBall(const Ball& ball, const Court& court, ContactMask& contact) {
  const int side = 2 * ball.radius;
  const int fieldWidth = court.fieldWidth;
  std::memset(contact.mask.data(), 0, static_cast<std::size_t>(side) * side);
  const Rect box = ballBox(ball.x, ball.y, ball.radius);
  const bool inside = box.left >= 0 && box.top >= 0 && box.right <= fieldWidth &&
                      box.bottom <= court.fieldHeight;
  assert(inside);
  if (!inside) return;
  for (int k = 0; k < side; ++k) {
    std::memcpy(contact.mask.data() + static_cast<std::size_t>(k) * side,
                court.courtMap.data() + static_cast<std::size_t>(box.top + k) * fieldWidth + box.left,
                static_cast<std::size_t>(side));
  }
}
