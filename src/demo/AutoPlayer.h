#pragma once
#include <cstdint>

#include <atomic>
#include <optional>

#include "demo/DemoRandom.h"
#include "model/Ball.h"
#include "model/Court.h"
#include "model/GameSettings.h"
#include "model/Match.h"

// What the demo camera and its player see of the game; they read it, never write it.
struct GameView {
  const Ball& ball;
  const Court& court;
  const Match& match;
  const TimingSettings& timing;
  const std::atomic<bool>& mirror;  // the picture is shown turned left for right
};

// Where the demo camera paints the hand, in field coordinates: the palm's centre and the
// unit direction from the elbow toward the palm.
struct HandPose {
  double x = 0.0;
  double y = 0.0;
  double dirX = 0.0;
  double dirY = -1.0;
};

// The demo camera's player. It watches the ball as a person watches the screen (it reads the
// game, never writes it) and strikes with the palm: one frame it holds the hand just behind
// the ball, the next it pushes through it, so that the motion between the two pictures
// throws the ball toward the ring its side shoots at. Player 1 (left) shoots at the right
// ring; when both sides are persons it changes sides after each basket. It predicts a
// strike on a copy of the ball (flight, floor bounce, the push of a moving palm), bounced by
// the physics' own bounceBall so that the model cannot drift from the game, and picks the
// push whose flight ends in the ring.
class AutoPlayer {
 public:
  AutoPlayer(const GameView& game, double framesPerSecond, std::uint32_t seed);
  // The hand for the next frame; call once per frame, before that frame is painted.
  HandPose nextPose();
  double palmRadius() const;
  const HandPose& pose() const { return m_pose; }  // the last pose handed out
  int side() const { return m_side; }          // 1 shoots at the right ring, 2 at the left
  std::uint64_t strikes() const { return m_strikes; }  // pushes made so far

  // A palm moving from `from` to `to` between the previous and the current picture.
  struct Push {
    HandPose from;
    HandPose to;
  };

 private:
  enum class Phase { Rest, Strike, Hold };
  struct Plan {
    HandPose ready;
    HandPose hit;
    double miss = 1e9;   // px from the ring's middle where the flight is expected to cross
  };

  void followBaskets();
  HandPose restPose() const;
  // Advances a copy of the ball by one step of `dt` s; with a push, its motion strikes it.
  void modelStep(Ball& ball, double dt, const Push* push) const;
  // Px of the ring's middle where `ball`'s flight crosses the ring's top going down, plus
  // penalties for flights that leave the field or come in too flat.
  double missAfter(const Ball& ball) const;
  Plan planStrike() const;
  std::optional<Plan> planNudge() const;
  HandPose strike(const Plan& plan);
  Plan tryPush(const Ball& atHitFrame, double nx, double ny, double depth) const;
  bool clearOf(const HandPose& a, const HandPose& b) const;
  double stepSeconds() const;
  int stepsPerFrame() const;

  GameView m_game;
  double m_frameSeconds;
  DemoRandom m_random;
  Phase m_phase = Phase::Rest;
  Plan m_plan;
  HandPose m_pose;
  int m_holdFrames = 0;
  int m_waitFrames = 0;
  int m_idleFrames = 0;  // frames without a planned shot
  int m_side = 1;
  int m_lastLeft = 0;
  int m_lastRight = 0;
  double m_apexRise = 200.0;  // px the flight climbs above the ring, varied per strike
  std::uint64_t m_strikes = 0;
};
