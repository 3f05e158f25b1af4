#pragma once
#include <atomic>
#include <string>
#include <vector>

#include "platform/WindowLink.h"

// A window that exists only in memory: no frame around the client area, a screen of a
// chosen size, posted events queued for whoever plays the window thread. The headless
// runner and the tests use it.
class HeadlessWindow final : public WindowLink {
 public:
  explicit HeadlessWindow(Size screen = {1920, 1080}) : screen(screen) {}

  bool isWindow() const override { return alive; }
  void postPeriodOver() override { ++periodsOver; }
  Size fitField(Size needed) override;
  void showMessage(const std::string& text) override { messages.push_back(text); }
  void beginRelayout() override {}
  void endRelayout() override {}

  // Takes one reported end of a period; false when none is waiting.
  bool takePeriodOver();

  bool alive = true;
  Size field;                         // starts at 0 × 0, so the layout alone decides
  Size screen;
  std::vector<std::string> messages;  // every message shown, in order
  std::atomic<int> periodsOver{0};    // reported, not yet taken
};
