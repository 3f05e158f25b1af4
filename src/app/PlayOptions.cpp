#include "app/PlayOptions.h"

#include "engine/GameEngine.h"

void applyPlayOptions(const Options& options, GameEngine& engine) {
  TimingSettings timing = engine.settings().timing;
  if (options.skill) timing.computerSkill = static_cast<std::uint8_t>(*options.skill);
  if (options.periodMinutes) timing.periodMinutes = static_cast<std::uint8_t>(*options.periodMinutes);
  if (options.speed) timing.movesPerFrame = static_cast<std::uint8_t>(*options.speed);
  const Match& match = engine.match;
  engine.applyPlayers(timing, options.leftName.value_or(match.leftName),
                      options.rightName.value_or(match.rightName));
  if (!options.noMirror) return;
  VideoSettings video = engine.settings().video;
  video.mirror = 0;
  engine.applyVideo(video);
}
