#pragma once
#include <cstdint>
#include <deque>
#include <mutex>
#include <optional>
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
  void postFrameEvent(std::intptr_t lParam) override;
  Size clientSize() const override { return client; }
  Size outerSize() const override { return client; }
  Size screenSize() const override { return screen; }
  void placeWindow(int x, int y, int outerWidth, int outerHeight) override;
  void clearSizeChanged() override {}
  void showMessage(const std::string& text) override { messages.push_back(text); }
  void beginRelayout() override {}
  void endRelayout() override {}

  // The oldest posted lParam, if any.
  std::optional<std::intptr_t> takeFrameEvent();

  bool alive = true;
  Size client;                        // starts at 0 × 0, so the layout alone decides
  Size screen;
  int x = 0;                          // last placement
  int y = 0;
  std::vector<std::string> messages;  // every message shown, in order

 private:
  std::mutex queueLock;
  std::deque<std::intptr_t> events;
};
