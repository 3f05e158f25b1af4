#pragma once
#include <cstdint>

#include "model/Ball.h"
#include "model/Court.h"
#include "physics/ContactMask.h"
#include "physics/MotionSense.h"

// What the ball met in one step, for the sounds: the speed into the hardest contact of each
// kind, 0 where there was none.
struct Impacts {
  double border = 0.0;  // px/s into a field border
  double floor = 0.0;   // px/s into the floor wedges
  double solid = 0.0;   // px/s into the other solid court pixels: backboards and brackets
};

// One step of `dt` s: flight under gravity, the four borders, then whatever the court's
// solidity map and, over the camera picture, the motion between `frames` show under the
// ball. True when motion struck the ball (ball.shotX then holds where). Does nothing before
// the court is laid out.
bool stepBall(Ball& ball, const Court& court, ContactMask& contact, const FramePair& frames,
              double dt, Impacts* impacts = nullptr);
// Solidity codes a bounce tells apart: a soft court pixel (the net) keeps less of the ball's
// speed than anything hard, such as a border or a push from motion.
inline constexpr std::uint8_t softCode = 254;
inline constexpr std::uint8_t borderCode = 255;

// The single collision response: normal (nx, ny) pointing away from the contact, an extra
// outward kick, and the solidity code of what was hit (254 is soft). Returns the speed the
// ball had into the contact, px/s.
double bounceBall(Ball& ball, double nx, double ny, double kick, std::uint8_t code);
// The court's solidity under the ball box into the mask, rows top to bottom.
void copyCourtUnderBall(const Ball& ball, const Court& court, ContactMask& contact);
