#include "engine/GameEngine.h"

std::string GameEngine::winnerText() const {
  if (leftScore > rightScore) return leftName;
  if (rightScore > leftScore) return rightName;
  return "Friendship";
}

void GameEngine::endGame(const std::function<void(const std::string&)>& showWinner) {
  showScore(1, leftScore);
  showScore(2, rightScore);
  if (showWinner) showWinner(winnerText());
  recordResult(topTen, leftName, leftScore, periodMinutes);
  recordResult(topTen, rightName, rightScore, periodMinutes);
  leftScore = 0;
  rightScore = 0;
  showScore(1, leftScore);
  showScore(2, rightScore);
}

void GameEngine::onFrameEvent(std::intptr_t lParam,
                              const std::function<void(const std::string&)>& showWinner) {
  if (lParam == FRAME_EVENT_GAME_OVER) endGame(showWinner);
  gameOver.store(0);
}
