#include <algorithm>

#include "capture/FrameImage.h"
#include "engine/GameEngine.h"

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
Size growWindow(GameEngine& e) {
  const int r = e.ballRadius;
  const int bs = e.basketSize;
  const WindowGeometry window = readWindow(e.mainWindow);
  const int ncx = window.outer.width - window.client.width;
  const int ncy = window.outer.height - window.client.height;
  const int side = e.backboardThickness + bs + bs / 5 + 10;
  e.leftRingRect.right = side;
  e.scoreBoxRect.bottom = 60;
  int newH = std::max(e.frameHeight + ncy + 2 * r + 60, window.outer.height);
  newH = std::max(newH, e.backboardHeight + e.ringHeight + ncy + 2 * r);
  int newW = std::max(e.frameWidth + 2 * (side + 2 * r) + ncx, window.outer.width);
  newW -= (newW + 4) % 4;
  if (e.mainWindow == nullptr) return {newW - ncx, newH - ncy};
  e.mainWindow->placeWindow(centred(window.screen.width, newW),
                            centred(window.screen.height, newH), newW, newH);
  e.mainWindow->clearSizeChanged();  // our own resize must not lay out again
  return e.mainWindow->clientSize();
}

// A new rally: the ball above the picture's middle, thrown upward.
void placeBallAtStart(GameEngine& e) {
  const int r = e.ballRadius;
  const int startY = e.frameRect.top - r - 5;
  e.ballX = e.fieldWidth / 2;
  e.ballY = startY;
  e.ballVX = 0.0;
  e.ballVY = -((startY - r) / 3);
  e.drawnBallX = static_cast<int>(e.ballX);
  e.drawnBallY = static_cast<int>(e.ballY);
}

}  // namespace

void GameEngine::layoutCourt(int newGame) {
  releaseCourtBuffers();
  allocateFrameAndBallBuffers();

  const Size client = growWindow(*this);
  fieldRect = {0, 0, client.width, client.height};
  fieldWidth = fieldRect.width();
  fieldHeight = fieldRect.height();
  frameRect.left = (fieldRect.left + fieldRect.right - frameWidth) / 2;
  frameRect.top = fieldRect.bottom - frameHeight;
  frameRect.right = frameRect.left + frameWidth;
  frameRect.bottom = fieldRect.bottom;
  placeBallAtStart(*this);

  const std::size_t pixels = static_cast<std::size_t>(fieldWidth) * fieldHeight;
  backdrop.assign(pixels * 3, 0);
  overlayColor.assign(pixels * 3, 0);
  overlayAlpha.assign(pixels, 0);
  courtMap.assign(pixels, 0);

  buildBackdrop(newGame);
  prepareFieldImage();
  saveUnderBall(drawnBallX, drawnBallY, workFrame.data());
}

void GameEngine::releaseCourtBuffers() {
  for (Bytes* buffer : {&workFrame, &shownFrame, &ballImage, &ballBackground, &ballOverlayColor,
                        &ballOverlayAlpha, &ballMask, &backdrop, &overlayColor, &overlayAlpha,
                        &courtMap}) {
    buffer->clear();
    buffer->shrink_to_fit();
  }
  for (auto* plane : {&motionPlanes[0], &motionPlanes[1], &motionPlanes[2], &motionWork}) {
    plane->clear();
    plane->shrink_to_fit();
  }
}

// The buffers of the frame step and the ball step, sized here so that no frame allocates.
void GameEngine::allocateFrameAndBallBuffers() {
  workFrame.assign(frameBytes(frameWidth, frameHeight), 0);
  shownFrame.assign(frameBytes(frameWidth, frameHeight), 0);
  const std::size_t box = static_cast<std::size_t>(2 * ballRadius) * (2 * ballRadius);
  ballImage.assign(box * 3, 0);
  ballBackground.assign(box * 3, 0);
  ballOverlayColor.assign(box * 3, 0);
  ballOverlayAlpha.assign(box, 0);
  ballMask.assign(box, 0);
  for (auto& plane : motionPlanes) plane.assign(box, 0);
  motionWork.assign(box, 0);
}
