#pragma once
#include <QTemporaryDir>
#include <array>
#include <memory>

#include "app/SoundOutput.h"

class QSoundEffect;

// The game's sounds through Qt Multimedia. They are synthesized once into WAV files in a
// temporary folder; each sound has two voices so that a quick second bounce does not cut
// the first. Without an audio output the game plays silently and says so once on stderr.
class SoundPlayer final : public SoundOutput {
 public:
  SoundPlayer();
  ~SoundPlayer() override;
  void play(Sound sound, float volume) override;
  bool silent() const { return m_silent; }

 private:
  static constexpr int voices = 2;
  QTemporaryDir m_folder;
  std::array<std::array<std::unique_ptr<QSoundEffect>, voices>, soundCount> m_effects;
  std::array<int, soundCount> m_nextVoice{};
  bool m_silent = true;
};
