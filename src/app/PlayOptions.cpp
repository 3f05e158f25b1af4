#include "app/PlayOptions.h"

#include "engine/GameEngine.h"

void applyPlayOptions(const Options& options, GameEngine& engine) {
  Match& match = engine.match;
  match.setNames(options.leftName.value_or(match.leftName),
                 options.rightName.value_or(match.rightName));
  if (options.skill) match.computerSkill = static_cast<std::uint8_t>(*options.skill);
  if (options.periodMinutes) match.periodMinutes = static_cast<std::uint8_t>(*options.periodMinutes);
  if (options.speed) match.movesPerFrame = static_cast<std::uint8_t>(*options.speed);
  if (options.noMirror) engine.camera.mirror.store(false);
}
