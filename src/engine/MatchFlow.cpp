#include "engine/GameEngine.h"

void GameEngine::endGame(const ShowWinner& showWinner) {
  showScore(1, match.leftScore);
  showScore(2, match.rightScore);
  if (showWinner) showWinner(winnerText(match));
  // An unattended demo would fill the table with the automatic player's games.
  if (!camera.automaticPlayer()) {
    const int minutes = m_settings.timing.periodMinutes;
    recordResult(m_settings.topTen, match.leftName, match.leftScore, minutes);
    recordResult(m_settings.topTen, match.rightName, match.rightScore, minutes);
  }
  match.leftScore = 0;
  match.rightScore = 0;
  showScore(1, match.leftScore);
  showScore(2, match.rightScore);
}

void GameEngine::onPeriodOver(const ShowWinner& showWinner) {
  endGame(showWinner);
  match.gameOver.store(false);
}
