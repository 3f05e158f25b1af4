#pragma once
#include <memory>
#include <string>

#include "app/Options.h"
#include "capture/PainterProvider.h"
#include "capture/RecordingSource.h"

class GameEngine;

// The devices that the command line adds after the real cameras. The demo camera's player
// watches `engine`, which must outlive the provider's sources.
std::unique_ptr<PainterProvider> makeDemoProvider(const Options& options, const GameEngine& engine,
                                                  Delivery delivery);
// Checks the file at once and gives its rate; null with a reason in `error` when it cannot
// be replayed.
std::unique_ptr<PainterProvider> makeReplayProvider(const Options& options, Delivery delivery,
                                                    std::string& error, FrameRatio& rate);
// With --record, wraps `inner` so that the opened device is recorded at `rate`; null
// without it.
std::unique_ptr<RecordingProvider> makeRecordingProvider(const Options& options,
                                                         SourceProvider& inner, FrameRatio rate);
