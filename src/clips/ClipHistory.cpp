#include "clips/ClipHistory.h"

#include <algorithm>

namespace {

constexpr std::int64_t longestSoundMs = 4000;  // the fanfare, the longest sound, fits in it
constexpr std::int64_t defaultIntervalMs = 33;  // a lone frame is shown for one 30 fps frame

}  // namespace

void ClipHistory::addFrame(EncodedFrame frame) {
  if (!m_frames.empty() && frame.ms <= m_frames.back().ms) return;  // a file needs rising times
  m_bytes += frame.bytes ? frame.bytes->size() : 0;
  m_frames.push_back(std::move(frame));
  forgetOld();
}

void ClipHistory::addSound(const SoundMark& mark) {
  m_sounds.push_back(mark);
  forgetOld();
}

void ClipHistory::clear() {
  m_frames.clear();
  m_sounds.clear();
  m_bytes = 0;
}

std::int64_t ClipHistory::newestIntervalMs() const {
  if (m_frames.size() < 2) return defaultIntervalMs;
  return std::max<std::int64_t>(1, m_frames.back().ms - m_frames[m_frames.size() - 2].ms);
}

// A group goes once the next key frame is old enough to start the longest clip from.
void ClipHistory::forgetOld() {
  const std::int64_t newest = std::max(newestMs(), m_sounds.empty() ? 0 : m_sounds.back().ms);
  const std::int64_t oldestWanted = newest - m_keptMs;
  while (m_frames.size() > 1) {
    const auto second = std::find_if(m_frames.begin() + 1, m_frames.end(),
                                     [](const EncodedFrame& f) { return f.key; });
    const bool pastLimit = m_bytes > m_byteLimit;
    if (second == m_frames.end() || (second->ms > oldestWanted && !pastLimit)) break;
    for (auto f = m_frames.begin(); f != second; ++f) m_bytes -= f->bytes ? f->bytes->size() : 0;
    m_frames.erase(m_frames.begin(), second);
  }
  while (!m_sounds.empty() && m_sounds.front().ms < oldestWanted - longestSoundMs)
    m_sounds.pop_front();
}

std::optional<ClipCut> ClipHistory::cut(std::int64_t endMs, std::int64_t lengthMs) const {
  const std::int64_t wanted = endMs - lengthMs;
  // The frame on screen at the wanted start, and the key frame it decodes from; when the
  // history starts later, its first key frame.
  auto first = std::find_if(m_frames.begin(), m_frames.end(),
                            [wanted](const EncodedFrame& f) { return f.ms > wanted; });
  if (first != m_frames.begin()) --first;
  if (first == m_frames.end() || first->ms >= endMs) return std::nullopt;
  auto lead = first;
  while (lead != m_frames.begin() && !lead->key) --lead;
  if (!lead->key) {
    lead = std::find_if(first, m_frames.end(), [](const EncodedFrame& f) { return f.key; });
    if (lead == m_frames.end() || lead->ms >= endMs) return std::nullopt;
    first = lead;
  }
  ClipCut clip;
  clip.startMs = first->ms;
  for (auto f = lead; f != m_frames.end() && f->ms < endMs; ++f) clip.frames.push_back(*f);
  const std::int64_t lastMs = clip.frames.back().ms;
  const std::int64_t shownFor =
      clip.frames.size() > 1 ? lastMs - clip.frames[clip.frames.size() - 2].ms : defaultIntervalMs;
  clip.endMs = std::min(endMs, lastMs + std::max<std::int64_t>(shownFor, 1));
  for (const SoundMark& s : m_sounds)
    if (s.ms >= clip.startMs - longestSoundMs && s.ms < clip.endMs) clip.sounds.push_back(s);
  return clip;
}
