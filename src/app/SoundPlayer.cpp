#include "app/SoundPlayer.h"

#include <QFile>
#include <QAudioDevice>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>
#include <cstdio>

#include "audio/SoundSynth.h"

namespace {

bool writeFile(const QString& path, const std::vector<std::uint8_t>& bytes) {
  QFile file(path);
  return file.open(QIODevice::WriteOnly) &&
         file.write(reinterpret_cast<const char*>(bytes.data()),
                    static_cast<qint64>(bytes.size())) == static_cast<qint64>(bytes.size());
}

}  // namespace

SoundPlayer::SoundPlayer() {
  if (QMediaDevices::audioOutputs().isEmpty() || !m_folder.isValid()) {
    std::fprintf(stderr, "swishcam: no audio output found; playing without sound\n");
    return;
  }
  for (std::size_t s = 0; s < soundCount; ++s) {
    const QString path = m_folder.filePath(QStringLiteral("sound%1.wav").arg(s));
    if (!writeFile(path, encodeWav(synthesize(static_cast<Sound>(s)), soundSampleRate))) return;
    for (auto& effect : m_effects[s]) {
      effect = std::make_unique<QSoundEffect>();
      effect->setSource(QUrl::fromLocalFile(path));
    }
  }
  m_silent = false;
}

SoundPlayer::~SoundPlayer() = default;

void SoundPlayer::play(Sound sound, float volume) {
  if (m_silent) return;
  const auto s = static_cast<std::size_t>(sound);
  QSoundEffect& effect = *m_effects[s][m_nextVoice[s]];
  m_nextVoice[s] = (m_nextVoice[s] + 1) % voices;
  effect.setVolume(volume);
  effect.play();
}
