#pragma once
#include <cstdint>
#include <string>

#include "model/Geometry.h"

// What the engine needs from its main window. The engine never creates windows; the
// window (or the headless stand-in) is handed to it by openCamera.
class WindowLink {
 public:
  virtual ~WindowLink() = default;

  // False once the window is gone; drawing then stops at the off-screen surface.
  virtual bool isWindow() const = 0;
  // Tells the window thread that the game's period is over; callable from any thread.
  // The window then runs the end of the game (GameEngine::onPeriodOver).
  virtual void postPeriodOver() = 0;

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
