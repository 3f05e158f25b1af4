#include "app/WindowSources.h"

#include "app/FrameSources.h"

WindowSources::WindowSources(std::function<void()> onStreamLost)
    : m_cameras(std::move(onStreamLost)) {}

bool WindowSources::build(const Options& options, const GameEngine& engine, std::string& error) {
  FrameRatio rate = frameRatioOf(options.fps);
  if (options.demo) m_added = makeDemoProvider(options, engine, Delivery::Paced);
  if (!options.replayFile.empty()) {
    m_added = makeReplayProvider(options, Delivery::Paced, error, rate);
    if (!m_added) return false;
  }
  SourceProvider* recorded = m_added ? static_cast<SourceProvider*>(m_added.get()) : &m_cameras;
  m_recorder = makeRecordingProvider(options, *recorded, rate);
  const auto offer = [this, recorded](SourceProvider& provider) {
    catalog.add(m_recorder && &provider == recorded ? *m_recorder : provider);
  };
  offer(m_cameras);
  if (m_added) offer(*m_added);
  return true;
}
