#pragma once
#include <cstdint>

#include "model/Ball.h"
#include "model/Court.h"
#include "physics/ContactMask.h"
#include "physics/MotionSense.h"

// One step of `dt` s: flight under gravity, the four borders, then whatever the court's
// solidity map and, over the camera picture, the motion between `frames` show under the
// ball. True when motion struck the ball (ball.shotX then holds where). Does nothing before
// the court is laid out.
bool stepBall(Ball& ball, const Court& court, ContactMask& contact, const FramePair& frames,
              double dt);
// The single collision response: normal (nx, ny) pointing away from the contact, an extra
// outward kick, and the solidity code of what was hit (254 is soft).
void bounceBall(Ball& ball, double nx, double ny, double kick, std::uint8_t code);
// The court's solidity under the ball box into the mask, rows top to bottom.
void copyCourtUnderBall(const Ball& ball, const Court& court, ContactMask& contact);
