#include "demo/AutoPlayer.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "physics/BallMotion.h"

namespace {

constexpr double pi = 3.14159265358979323846;
constexpr double readyGap = 4.0;      // px between the waiting palm and the ball
constexpr double motionReach = 2.0;   // px the smoothed motion reaches past a palm's edge
constexpr double goodMiss = 14.0;     // px off the ring's middle that still drops through
constexpr int holdFrames = 3;         // the palm stays still after a push
constexpr int patience = 15;          // frames to wait before moving a palm the ball touches
constexpr double nudgeAfter = 3.0;    // s without a planned shot before the ball is played anyway
constexpr int smallestReach = 8;      // px of ball box over the picture that motion can strike
constexpr int probesAcross = 24;      // motion pixels the model samples across a ball box

double degrees(double d) { return d * pi / 180.0; }

}  // namespace

AutoPlayer::AutoPlayer(const GameView& game, double framesPerSecond, std::uint32_t seed)
    : m_game(game), m_frameSeconds(1.0 / framesPerSecond), m_random(seed) {
  m_side = game.match.leftIsPerson || !game.match.rightIsPerson ? 1 : 2;
  m_pose = restPose();
  m_apexRise = 170.0 + 60.0 * m_random.unit();
}

double AutoPlayer::palmRadius() const { return 1.35 * m_game.ball.radius; }

int AutoPlayer::stepsPerFrame() const { return m_game.timing.movesPerFrame + 1; }

double AutoPlayer::stepSeconds() const { return m_frameSeconds / stepsPerFrame(); }

// A side that has just scored hands the ball to the other side when both are persons.
void AutoPlayer::followBaskets() {
  const int left = m_game.match.leftScore;
  const int right = m_game.match.rightScore;
  const bool bothPersons = m_game.match.leftIsPerson && m_game.match.rightIsPerson;
  if (bothPersons && left > m_lastLeft) m_side = 2;
  if (bothPersons && right > m_lastRight) m_side = 1;
  if (!bothPersons) m_side = m_game.match.leftIsPerson ? 1 : 2;
  m_lastLeft = left;
  m_lastRight = right;
}

// Low in the picture on the player's own side, mostly below its bottom edge.
HandPose AutoPlayer::restPose() const {
  const Rect& picture = m_game.court.frameRect;
  const double across = 0.15 * picture.width();
  const double x = m_side == 1 ? picture.left + across : picture.right - across;
  return {x, picture.bottom + 0.3 * palmRadius(), 0.0, -1.0};
}

HandPose AutoPlayer::nextPose() {
  // While a game's end is handled the window thread rewrites the scores: look away, and
  // keep the hand still.
  if (m_game.match.gameOver.load()) return m_pose;
  followBaskets();
  switch (m_phase) {
    case Phase::Strike:
      m_pose = m_plan.hit;
      m_phase = Phase::Hold;
      m_holdFrames = holdFrames;
      ++m_strikes;
      return m_pose;
    case Phase::Hold:
      if (--m_holdFrames > 0) return m_pose;
      m_phase = Phase::Rest;
      [[fallthrough]];
    case Phase::Rest:
      break;
  }
  const Plan plan = planStrike();
  if (plan.miss < goodMiss && clearOf(m_pose, plan.ready)) return strike(plan);
  // A ball at rest where no shot can be planned (a corner of the picture, the floor beside
  // it) is played anyway, so that an unattended demo never stalls.
  if (++m_idleFrames * m_frameSeconds >= nudgeAfter) {
    const std::optional<Plan> nudge = planNudge();
    if (nudge) return strike(*nudge);
  }
  const HandPose rest = restPose();
  if (clearOf(m_pose, rest) || ++m_waitFrames > patience) {
    m_pose = rest;
    m_waitFrames = 0;
  }
  return m_pose;
}

HandPose AutoPlayer::strike(const Plan& plan) {
  m_plan = plan;
  m_pose = plan.ready;
  m_phase = Phase::Strike;
  m_apexRise = 170.0 + 60.0 * m_random.unit();
  m_waitFrames = 0;
  m_idleFrames = 0;
  return m_pose;
}

// Up and toward the middle of the field, through whatever part of the ball lies over the
// picture. Nothing when too little of it does for the motion to be sensed.
std::optional<AutoPlayer::Plan> AutoPlayer::planNudge() const {
  const Ball& b = m_game.ball;
  const Rect over = intersectRect(ballBox(b.x, b.y, b.radius), m_game.court.frameRect);
  if (over.width() < smallestReach || over.height() < smallestReach) return std::nullopt;
  const double toMiddle = b.x < 0.5 * m_game.court.fieldWidth ? 1.0 : -1.0;
  const double nx = 0.35 * toMiddle / std::hypot(0.35, 1.0);
  const double ny = -1.0 / std::hypot(0.35, 1.0);
  const double r = b.radius;
  const double palm = palmRadius();
  const double depth = 0.5 * r;
  Plan plan;
  plan.ready = {b.x - nx * (r + palm + readyGap), b.y - ny * (r + palm + readyGap), nx, ny};
  plan.hit = {b.x - nx * (r + palm - depth), b.y - ny * (r + palm - depth), nx, ny};
  plan.miss = 0.0;
  return plan;
}

// True when moving the palm from `a` to `b` now leaves the ball untouched in the next frame.
bool AutoPlayer::clearOf(const HandPose& a, const HandPose& b) const {
  const double reach = m_game.ball.radius + palmRadius() + motionReach + 1.0;
  Ball ball = m_game.ball;
  for (int step = 0; step < stepsPerFrame(); ++step) {
    modelStep(ball, stepSeconds(), nullptr);
    if (std::hypot(ball.x - a.x, ball.y - a.y) <= reach ||
        std::hypot(ball.x - b.x, ball.y - b.y) <= reach)
      return false;
  }
  return true;
}

void AutoPlayer::modelStep(Ball& ball, double dt, const Push* push) const {
  const double g = ball.gravity;
  const double r = ball.radius;
  const Ball start = ball;
  ball.x += ball.vx * dt;
  ball.y = start.y + (start.vy + 0.5 * g * dt) * dt;
  ball.vy = start.vy + g * dt;
  const double floor = m_game.court.fieldHeight - r - 1.0;
  if (ball.y > floor) {
    const double t = (std::sqrt(std::max(0.0, start.vy * start.vy + 2.0 * g * (floor - start.y))) -
                      start.vy) / g;
    ball.y = floor;
    ball.x = start.x + ball.vx * t;
    ball.vy = start.vy + g * t;
    bounceBall(ball, 0.0, -1.0, 0.0, borderCode);
  }
  if (push == nullptr) return;

  // The motion the engine will sense: near the edges of the palm's old and new places,
  // inside the part of the ball box over the picture less the smoothing's 3-pixel border.
  const int ri = m_game.ball.radius;
  const int bx = static_cast<int>(ball.x);
  const int by = static_cast<int>(ball.y);
  const Rect region = intersectRect({bx - ri, by - ri, bx + ri, by + ri}, m_game.court.frameRect);
  if (region.width() <= 7 || region.height() <= 7) return;
  const double palm = palmRadius();
  const double reach2 = (palm + motionReach) * (palm + motionReach);
  const double inner2 = (palm - motionReach) * (palm - motionReach);
  // Only pixels near one of the palm's two places can have changed.
  const int near = static_cast<int>(palm + motionReach) + 1;
  const Rect palms = unionRect(
      {static_cast<int>(push->to.x) - near, static_cast<int>(push->to.y) - near,
       static_cast<int>(push->to.x) + near + 1, static_cast<int>(push->to.y) + near + 1},
      {static_cast<int>(push->from.x) - near, static_cast<int>(push->from.y) - near,
       static_cast<int>(push->from.x) + near + 1, static_cast<int>(push->from.y) + near + 1});
  const Rect scan = intersectRect(
      {region.left + 3, region.top + 3, region.right - 3, region.bottom - 3}, palms);
  // A large ball is probed on a coarser grid, each probe standing for stride² pixels, so that
  // planning costs the same at every ball size.
  const int stride = std::max(1, 2 * ri / probesAcross);
  const double weight = static_cast<double>(stride) * stride;
  double sumP = 0.0, sumQ = 0.0, sumT = 0.0;
  for (int y = scan.top; y < scan.bottom; y += stride) {
    const double toY = (y - push->to.y) * (y - push->to.y);
    const double fromY = (y - push->from.y) * (y - push->from.y);
    for (int x = scan.left; x < scan.right; x += stride) {
      const int a = y - by;
      const int b = x - bx;
      const int d2 = a * a + b * b;
      if (d2 <= 0 || d2 >= ri * ri) continue;
      const double dNew = (x - push->to.x) * (x - push->to.x) + toY;
      const double dOld = (x - push->from.x) * (x - push->from.x) + fromY;
      if (!((dNew <= reach2 && dOld >= inner2) || (dOld <= reach2 && dNew >= inner2))) continue;
      sumP -= weight * b / d2;
      sumQ -= weight * a / d2;
      sumT += weight / std::sqrt(static_cast<double>(ri * ri - d2));
    }
  }
  const double px = 2.0 * r * sumP;
  const double qy = 2.0 * r * sumQ;
  const double n = std::hypot(px, qy);
  if (n > ball.hitThreshold && n > 0.0) bounceBall(ball, px / n, qy / n, 0.5 * sumT, borderCode);
}

double AutoPlayer::missAfter(const Ball& ball) const {
  const Rect& ring = m_side == 1 ? m_game.court.rightRingRect : m_game.court.leftRingRect;
  const double g = m_game.ball.gravity;
  const double r = m_game.ball.radius;
  const double entry = ring.top + 2.0;
  const double root = ball.vy * ball.vy + 2.0 * g * (entry - ball.y);
  if (root < 0.0) return 1e6;
  const double t = (std::sqrt(root) - ball.vy) / g;
  const double x = ball.x + ball.vx * t;
  if (x < r + 1.0 || x > m_game.court.fieldWidth - r - 1.0) return 1e6;
  double penalty = 0.0;
  if (ball.vy < 0.0 && ball.y - ball.vy * ball.vy / (2.0 * g) < r + 2.0) penalty += 1e5;
  if (ball.vy + g * t < 0.8 * std::abs(ball.vx)) penalty += 30.0;  // too flat for the net
  return std::abs(x - 0.5 * (ring.left + ring.right)) + penalty;
}

AutoPlayer::Plan AutoPlayer::tryPush(const Ball& atHitFrame, double nx, double ny,
                                     double depth) const {
  const double r = m_game.ball.radius;
  const double palm = palmRadius();
  Ball first = atHitFrame;
  modelStep(first, stepSeconds(), nullptr);
  Plan plan;
  plan.hit = {first.x - nx * (r + palm - depth), first.y - ny * (r + palm - depth), nx, ny};
  plan.ready = {first.x - nx * (r + palm + readyGap), first.y - ny * (r + palm + readyGap), nx, ny};
  const Push push{plan.ready, plan.hit};
  Ball ball = atHitFrame;
  for (int step = 0; step < stepsPerFrame(); ++step) modelStep(ball, stepSeconds(), &push);
  plan.miss = missAfter(ball);
  return plan;
}

// Searches push directions round the one that a single bounce would need and push depths,
// for the flight that ends closest to the ring's middle.
AutoPlayer::Plan AutoPlayer::planStrike() const {
  if (!(m_side == 1 ? m_game.match.leftIsPerson : m_game.match.rightIsPerson)) return {};
  const double r = m_game.ball.radius;
  const double g = m_game.ball.gravity;
  const Rect& picture = m_game.court.frameRect;
  Ball atHit = m_game.ball;
  for (int step = 0; step < stepsPerFrame(); ++step) modelStep(atHit, stepSeconds(), nullptr);
  if (atHit.x < picture.left + r || atHit.x > picture.right - r || atHit.y < picture.top + r)
    return {};
  if (missAfter(m_game.ball) < goodMiss) return {};  // already on its way in

  const Rect& ring = m_side == 1 ? m_game.court.rightRingRect : m_game.court.leftRingRect;
  const double targetX = 0.5 * (ring.left + ring.right);
  const double targetY = ring.top + 2.0;
  const double apex = std::max(r + 20.0, std::min(atHit.y, targetY) - m_apexRise);
  const double up = std::sqrt(2.0 * g * std::max(1.0, atHit.y - apex));
  const double flight = up / g + std::sqrt(2.0 * std::max(1.0, targetY - apex) / g);
  const double wantX = (targetX - atHit.x) / flight;
  const double wantY = -up;
  // A bounce keeps tangentFactor of the tangential speed plus the spin's share; aim the push so
  // that what remains of it lies along the wanted flight.
  const double ax = wantX - m_game.ball.tangentFactor * atHit.vx;
  const double ay = wantY - m_game.ball.tangentFactor * atHit.vy;
  const double length = std::hypot(ax, ay);
  if (length <= 0.0) return {};
  const double twist =
      std::asin(std::clamp(m_game.ball.spinFactor * r * atHit.spin / length, -1.0, 1.0));
  const double base = std::atan2(ay, ax) + twist;

  Plan best;
  double bestAngle = base, bestDepth = 0.0;
  auto consider = [&](double angle, double depth) {
    if (depth <= 0.0 || depth >= r) return;
    Plan plan = tryPush(atHit, std::cos(angle), std::sin(angle), depth);
    if (plan.miss < best.miss) {
      best = plan;
      bestAngle = angle;
      bestDepth = depth;
    }
  };
  // Depths in steps of 3 px, or ten across the ball when it is large.
  const double depthStep = std::max(3.0, r / 10.0);
  for (double turn = -16.0; turn <= 16.0; turn += 4.0)
    for (double depth = 2.0; depth < r; depth += depthStep) consider(base + degrees(turn), depth);
  const double coarseAngle = bestAngle, coarseDepth = bestDepth;
  for (double turn = -2.0; turn <= 2.0; turn += 1.0)
    for (double depth = -1.5; depth <= 1.5; depth += 0.75)
      consider(coarseAngle + degrees(turn), coarseDepth + depth);
  return best;
}
