#pragma once
#include <atomic>
#include <cstdint>
#include <string>

#include "model/RingPass.h"

inline constexpr const char* computerName = "Computer";

// One game between two sides; its length and the computer's skill are settings
// (TimingSettings). Player 1 plays on the left and shoots at the right ring; player 2 the
// reverse. Times are ms of the tick clock, compared in unsigned 32-bit differences so that
// they survive its wrap-around.
struct Match {
  std::string leftName = "Player1";
  std::string rightName = "Player2";
  bool leftIsPerson = true;     // false when player 1 is the computer
  bool rightIsPerson = true;    // false when player 2 is the computer
  int leftScore = 0;            // player 1's points
  int rightScore = 0;           // player 2's points
  RingPass ring;

  std::uint32_t gameStartTick = 0;  // start of the running game
  std::uint32_t computerTick = 0;   // computer side's last points (or the game's start)
  std::uint32_t frameDoneTick = 0;  // when the current frame was finished
  std::uint32_t lastFrameTick = 0;  // previous frame, for the time step

  // The period ended and was reported, not yet handled: frames are held off meanwhile. The
  // capture thread sets it, the window thread clears it.
  std::atomic<bool> gameOver{false};

  // The persons of a side follow from its name.
  void setNames(std::string left, std::string right) {
    leftName = std::move(left);
    rightName = std::move(right);
    leftIsPerson = leftName != computerName;
    rightIsPerson = rightName != computerName;
  }
};

// ms between the computer's baskets at a skill of 0 to 5.
inline std::uint32_t computerInterval(int skill) {
  const double s = skill;
  return static_cast<std::uint32_t>((50.0 - 15.5 * s + 1.5 * s * s) * 1000);
}

// The winner's name, or "Friendship" on a draw.
inline std::string winnerText(const Match& match) {
  if (match.leftScore > match.rightScore) return match.leftName;
  if (match.rightScore > match.leftScore) return match.rightName;
  return "Friendship";
}
