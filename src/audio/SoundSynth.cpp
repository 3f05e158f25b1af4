#include "audio/SoundSynth.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

namespace {

constexpr double pi = 3.14159265358979323846;

// A sound under construction: a buffer of seconds, summed into by the voices below.
struct Mix {
  std::vector<double> v;
  explicit Mix(double seconds) : v(static_cast<std::size_t>(seconds * soundSampleRate), 0.0) {}
  double time(std::size_t i) const { return static_cast<double>(i) / soundSampleRate; }
};

// A sine of frequency `hz` gliding to `toHz`, starting at `start` s, decaying with `decay` s.
void tone(Mix& m, double start, double hz, double toHz, double decay, double level) {
  double phase = 0.0;
  for (std::size_t i = static_cast<std::size_t>(start * soundSampleRate); i < m.v.size(); ++i) {
    const double t = m.time(i) - start;
    const double f = toHz + (hz - toHz) * std::exp(-t / 0.05);
    phase += 2 * pi * f / soundSampleRate;
    const double attack = std::min(1.0, t / 0.004);  // no click at the onset
    m.v[i] += level * attack * std::exp(-t / decay) * std::sin(phase);
  }
}

// Noise through a one-pole low-pass and its high-pass rest, shaped by a rise and a fall:
// `brightness` 0 keeps the low part, 1 the high part.
void hiss(Mix& m, double rise, double fall, double brightness, double level) {
  std::uint32_t seed = 0x2545F491u;
  double low = 0.0;
  for (std::size_t i = 0; i < m.v.size(); ++i) {
    seed = seed * 1664525u + 1013904223u;
    const double white = (seed >> 8) / 8388608.0 - 1.0;
    low += 0.08 * (white - low);
    const double t = m.time(i);
    const double envelope = std::min(1.0, t / rise) * std::exp(-std::max(0.0, t - rise) / fall);
    m.v[i] += level * envelope * (brightness * (white - low) + (1 - brightness) * low * 3);
  }
}

std::vector<std::int16_t> toSamples(const Mix& m) {
  double peak = 1e-9;
  for (double x : m.v) peak = std::max(peak, std::abs(x));
  std::vector<std::int16_t> out(m.v.size());
  for (std::size_t i = 0; i < m.v.size(); ++i)
    out[i] = static_cast<std::int16_t>(std::lround(m.v[i] / peak * 30000.0));
  return out;
}

Mix bounce() {
  Mix m(0.18);
  tone(m, 0.0, 160, 70, 0.05, 1.0);
  hiss(m, 0.002, 0.01, 0.2, 0.3);
  return m;
}

// Inharmonic partials, as a struck metal plate has.
Mix rim() {
  Mix m(0.35);
  for (const auto& [hz, level] : {std::pair{523.0, 1.0}, {1187.0, 0.6}, {1931.0, 0.4}})
    tone(m, 0.0, hz, hz, 0.08, level);
  return m;
}

Mix swish(bool three) {
  Mix m(three ? 0.7 : 0.45);
  hiss(m, 0.06, 0.12, 0.9, 1.0);
  if (three) {
    tone(m, 0.18, 1319, 1319, 0.15, 0.5);
    tone(m, 0.30, 1760, 1760, 0.18, 0.5);
  }
  return m;
}

Mix computerTone() {
  Mix m(0.45);
  tone(m, 0.0, 440, 440, 0.12, 1.0);
  tone(m, 0.15, 554, 554, 0.15, 1.0);
  return m;
}

// A square-ish wave: odd harmonics of a low note, held, then cut.
Mix buzzer() {
  Mix m(0.9);
  for (int k = 1; k <= 9; k += 2) tone(m, 0.0, 196.0 * k, 196.0 * k, 10.0, 1.0 / k);
  for (std::size_t i = 0; i < m.v.size(); ++i)
    m.v[i] *= std::min(1.0, (m.v.size() - i) / (0.05 * soundSampleRate));
  return m;
}

Mix fanfare() {
  Mix m(1.6);
  double start = 0.0;
  for (double hz : {523.25, 659.25, 783.99, 1046.5}) {
    tone(m, start, hz, hz, hz > 1000 ? 0.6 : 0.25, 1.0);
    tone(m, start, 2 * hz, 2 * hz, 0.15, 0.25);
    start += 0.16;
  }
  return m;
}

void putLittleEndian(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

}  // namespace

std::vector<std::int16_t> synthesize(Sound sound) {
  switch (sound) {
    case Sound::Bounce: return toSamples(bounce());
    case Sound::Rim: return toSamples(rim());
    case Sound::Swish2: return toSamples(swish(false));
    case Sound::Swish3: return toSamples(swish(true));
    case Sound::Computer: return toSamples(computerTone());
    case Sound::Buzzer: return toSamples(buzzer());
    case Sound::Fanfare: return toSamples(fanfare());
  }
  return {};
}

std::vector<std::uint8_t> encodeWav(const std::vector<std::int16_t>& samples, int sampleRate) {
  const auto dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
  std::vector<std::uint8_t> out;
  out.reserve(44 + dataBytes);
  auto tag = [&out](const char* four) { out.insert(out.end(), four, four + 4); };
  tag("RIFF");
  putLittleEndian(out, 36 + dataBytes, 4);
  tag("WAVE");
  tag("fmt ");
  putLittleEndian(out, 16, 4);          // format chunk size
  putLittleEndian(out, 1, 2);           // PCM
  putLittleEndian(out, 1, 2);           // mono
  putLittleEndian(out, static_cast<std::uint32_t>(sampleRate), 4);
  putLittleEndian(out, static_cast<std::uint32_t>(sampleRate) * 2, 4);  // bytes a second
  putLittleEndian(out, 2, 2);           // bytes a frame
  putLittleEndian(out, 16, 2);          // bits a sample
  tag("data");
  putLittleEndian(out, dataBytes, 4);
  for (std::int16_t s : samples) putLittleEndian(out, static_cast<std::uint16_t>(s), 2);
  return out;
}
