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

}  // namespace

void GameEngine::layoutCourt(int newGame) {
  const int r = ballRadius;
  const int t = backboardThickness;
  const int bs = basketSize;

  releaseCourtBuffers();
  workFrame.assign(frameBytes(frameWidth, frameHeight), 0);
  shownFrame.assign(frameBytes(frameWidth, frameHeight), 0);
  // The ball step's buffers, sized here so that no frame ever allocates.
  const std::size_t box = static_cast<std::size_t>(2 * r) * (2 * r);
  ballImage.assign(box * 3, 0);
  ballBackground.assign(box * 3, 0);
  ballOverlayColor.assign(box * 3, 0);
  ballOverlayAlpha.assign(box, 0);
  ballMask.assign(box, 0);
  for (auto& plane : motionPlanes) plane.assign(box, 0);
  motionWork.assign(box, 0);

  // Grow only, to fit picture, baskets, score band and a ball's diameter round them.
  const WindowGeometry window = readWindow(mainWindow);
  const int ncx = window.outer.width - window.client.width;
  const int ncy = window.outer.height - window.client.height;
  const int side = t + bs + bs / 5 + 10;
  leftRingRect.right = side;
  scoreBoxRect.bottom = 60;
  int newH = std::max(frameHeight + ncy + 2 * r + 60, window.outer.height);
  newH = std::max(newH, backboardHeight + ringHeight + ncy + 2 * r);
  int newW = std::max(frameWidth + 2 * (side + 2 * r) + ncx, window.outer.width);
  newW -= (newW + 4) % 4;
  Size client{newW - ncx, newH - ncy};
  if (mainWindow != nullptr) {
    mainWindow->placeWindow(centred(window.screen.width, newW),
                            centred(window.screen.height, newH), newW, newH);
    mainWindow->clearSizeChanged();
    client = mainWindow->clientSize();
  }

  fieldRect = {0, 0, client.width, client.height};
  fieldWidth = fieldRect.width();
  fieldHeight = fieldRect.height();
  frameRect.left = (fieldRect.left + fieldRect.right - frameWidth) / 2;
  frameRect.top = fieldRect.bottom - frameHeight;
  frameRect.right = frameRect.left + frameWidth;
  frameRect.bottom = fieldRect.bottom;

  // The ball starts a rally above the picture, thrown upward.
  const int startY = frameRect.top - r - 5;
  ballX = fieldWidth / 2;
  ballY = startY;
  ballVX = 0.0;
  ballVY = -((startY - r) / 3);
  drawnBallX = static_cast<int>(ballX);
  drawnBallY = static_cast<int>(ballY);

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
