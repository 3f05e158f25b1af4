#include "render/CourtLayout.h"

#include <algorithm>

#include "render/Backdrop.h"

namespace {

// Without a main window (a core test, a benchmark) the layout acts on a window that has
// no frame, a 0 × 0 client area and a 0 × 0 screen: it gets exactly the size it asks for.
struct WindowGeometry {
  Size client;
  Size outer;
  Size screen;
};

WindowGeometry readWindow(const WindowLink* window) {
  if (window == nullptr) return {};
  return {window->clientSize(), window->outerSize(), window->screenSize()};
}

int centred(int screen, int outer) {
  return std::max(0, static_cast<int>((screen - outer + 1.0) * 0.5));
}

// Grows the window (never shrinks it) to fit the picture with the score band above it,
// the backboards and rings beside it, and a ball's diameter round them; centres it on the
// screen. Returns the new client size.
Size growWindow(Court& court, const CourtFit& fit, WindowLink* link) {
  const int r = fit.ballRadius;
  const int basketSize = court.basketSize;
  const WindowGeometry window = readWindow(link);
  const int ncx = window.outer.width - window.client.width;
  const int ncy = window.outer.height - window.client.height;
  const int side = court.backboardThickness + basketSize + basketSize / 5 + 10;
  court.leftRingRect.right = side;
  court.scoreBoxRect.bottom = 60;
  int newH = std::max(fit.frameHeight + ncy + 2 * r + 60, window.outer.height);
  newH = std::max(newH, court.backboardHeight + court.ringHeight + ncy + 2 * r);
  int newW = std::max(fit.frameWidth + 2 * (side + 2 * r) + ncx, window.outer.width);
  newW -= (newW + 4) % 4;
  if (link == nullptr) return {newW - ncx, newH - ncy};
  link->placeWindow(centred(window.screen.width, newW), centred(window.screen.height, newH),
                    newW, newH);
  link->clearSizeChanged();  // our own resize must not lay out again
  return link->clientSize();
}

}  // namespace

// The throw's speed is a real division: a third of the height above the top border.
void placeBallAtStart(Ball& ball, const Court& court) {
  const int r = ball.radius;
  const int startY = court.frameRect.top - r - 5;
  ball.x = court.fieldWidth / 2;
  ball.y = startY;
  ball.vx = 0.0;
  ball.vy = -((startY - r) / 3.0);
  ball.drawnX = static_cast<int>(ball.x);
  ball.drawnY = static_cast<int>(ball.y);
}

void layoutCourt(Court& court, const CourtFit& fit, WindowLink* window) {
  releaseCourtPictures(court);
  const Size client = growWindow(court, fit, window);
  court.fieldRect = {0, 0, client.width, client.height};
  court.fieldWidth = client.width;
  court.fieldHeight = client.height;
  const Rect& field = court.fieldRect;
  court.frameRect.left = (field.left + field.right - fit.frameWidth) / 2;
  court.frameRect.top = field.bottom - fit.frameHeight;
  court.frameRect.right = court.frameRect.left + fit.frameWidth;
  court.frameRect.bottom = field.bottom;

  const std::size_t pixels = static_cast<std::size_t>(court.fieldWidth) * court.fieldHeight;
  court.backdrop.assign(pixels * pixelBytes, 0);
  court.overlayColor.assign(pixels * pixelBytes, 0);
  court.overlayAlpha.assign(pixels, 0);
  court.courtMap.assign(pixels, 0);
  buildBackdrop(court, fit.leftIsPerson, fit.rightIsPerson);
}

void releaseCourtPictures(Court& court) {
  for (Bytes* picture :
       {&court.backdrop, &court.overlayColor, &court.overlayAlpha, &court.courtMap}) {
    picture->clear();
    picture->shrink_to_fit();
  }
}
