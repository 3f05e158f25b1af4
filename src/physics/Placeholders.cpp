#include "engine/GameEngine.h"

// Placeholders until the ball physics lands.
void GameEngine::stepBall(double) {}
void GameEngine::bounceBall(double, double, double, std::uint8_t) {}
void GameEngine::copyCourtUnderBall() {}
void GameEngine::senseMotion(const Rect&) {}
int GameEngine::testRing(bool leftRing, int, int) { return leftRing ? rightScore : leftScore; }
