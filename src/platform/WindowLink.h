#pragma once
#include <cstdint>
#include <string>

#include "engine/Geometry.h"

// Private window message posted by the frame step; lParam 2 means "the period is over".
constexpr unsigned WM_FRAME_EVENT = 0x415;
constexpr std::intptr_t FRAME_EVENT_GAME_OVER = 2;

// What the engine needs from its main window. The engine never creates windows; the
// window (or the headless stand-in) is handed to it by the capture build.
class WindowLink {
 public:
  virtual ~WindowLink() = default;

  // False once the window is gone; drawing then stops at the off-screen surface.
  virtual bool isWindow() const = 0;
  // Queues WM_FRAME_EVENT (wParam 0) for the window thread; callable from any thread.
  virtual void postFrameEvent(std::intptr_t lParam) = 0;

  // Window geometry for the court layout.
  virtual Size clientSize() const = 0;
  virtual Size outerSize() const = 0;
  virtual Size screenSize() const = 0;
  // Moves and sizes the window (outer size), raises and shows it. The client area has its
  // new size when this returns.
  virtual void placeWindow(int x, int y, int outerWidth, int outerHeight) = 0;
  // The layout's own resize must not cause another layout.
  virtual void clearSizeChanged() = 0;

  // A "Swish Cam message" box with an exclamation icon and one OK button.
  virtual void showMessage(const std::string& text) = 0;
  // Around a re-layout: repaint now and show a wait cursor; the reverse afterwards.
  virtual void beginRelayout() = 0;
  virtual void endRelayout() = 0;
};
