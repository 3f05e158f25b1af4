#include "app/PlayOptions.h"

#include "engine/GameEngine.h"

void applyPlayOptions(const Options& options, GameEngine& engine) {
  if (options.leftName) engine.leftName = *options.leftName;
  if (options.rightName) engine.rightName = *options.rightName;
  engine.leftIsPerson = engine.leftName != "Computer";
  engine.rightIsPerson = engine.rightName != "Computer";
  if (options.skill) engine.computerSkill = static_cast<std::uint8_t>(*options.skill);
  if (options.periodMinutes) engine.periodMinutes = static_cast<std::uint8_t>(*options.periodMinutes);
  if (options.speed) engine.movesPerFrame = static_cast<std::uint8_t>(*options.speed);
  if (options.noMirror) engine.mirror.store(0);
}
