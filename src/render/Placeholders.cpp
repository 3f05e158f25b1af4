#include "engine/GameEngine.h"

// Placeholders until the drawing lands.
void GameEngine::drawSoftLine(int, int, int, int, int, int, int, int, bool) {}
void GameEngine::fillBox(int, int, int, int, int, int, int) {}
void GameEngine::drawHalfEllipse(int, int, int, int, int, int, int, int, bool) {}
void GameEngine::drawBasket(int, int) {}
void GameEngine::showScore(int, int) {}
void GameEngine::drawPlayerNames() {}
void GameEngine::renderBall(double) {}
void GameEngine::saveUnderBall(int, int, const std::uint8_t*) {}
void GameEngine::drawBallStep(int, int) {}
void GameEngine::composeFrame(int, int) {}
void GameEngine::repaintField() {}
