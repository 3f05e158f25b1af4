#include <algorithm>
#include <cstring>

#include "engine/GameEngine.h"
#include "platform/DrawLock.h"

namespace {

Rect ballBox(int x, int y, int r) { return {x - r, y - r, x + r, y + r}; }

// Copies one row span of a field picture (bpp bytes a pixel) into the matching box row;
// box pixels outside the field become 0.
void copyBoxRow(const std::uint8_t* picture, int fieldWidth, int imageRow, int left, int size,
                int bpp, std::uint8_t* boxRow) {
  const int from = std::clamp(-left, 0, size);
  const int to = std::clamp(fieldWidth - left, from, size);
  std::memset(boxRow, 0, static_cast<std::size_t>(from) * bpp);
  std::memcpy(boxRow + from * bpp,
              picture + (static_cast<std::size_t>(imageRow) * fieldWidth + left + from) * bpp,
              static_cast<std::size_t>(to - from) * bpp);
  std::memset(boxRow + to * bpp, 0, static_cast<std::size_t>(size - to) * bpp);
}

}  // namespace

// Fills the ball buffers with what the surface shows in the box without the ball: the
// court from the backdrop and, over the camera area, the picture's pixels. The front
// layer always comes from the court.
void GameEngine::saveUnderBall(int x, int y, const std::uint8_t* picture) {
  const int r = ballRadius;
  const int size = 2 * r;
  const Rect box = ballBox(x, y, r);
  for (int i = 0; i < size; ++i) {
    const int fieldRow = box.bottom - 1 - i;
    const std::size_t at = static_cast<std::size_t>(i) * size;
    if (fieldRow < 0 || fieldRow >= fieldHeight) {
      std::memset(&ballBackground[at * 3], 0, static_cast<std::size_t>(size) * 3);
      std::memset(&ballOverlayColor[at * 3], 0, static_cast<std::size_t>(size) * 3);
      std::memset(&ballOverlayAlpha[at], 0, size);
      continue;
    }
    const int imageRow = fieldHeight - 1 - fieldRow;
    copyBoxRow(backdrop.data(), fieldWidth, imageRow, box.left, size, 3, &ballBackground[at * 3]);
    copyBoxRow(overlayColor.data(), fieldWidth, imageRow, box.left, size, 3,
               &ballOverlayColor[at * 3]);
    copyBoxRow(overlayAlpha.data(), fieldWidth, imageRow, box.left, size, 1,
               &ballOverlayAlpha[at]);
  }
  const Rect shared = intersectRect(box, frameRect);
  if (shared.isEmpty() || picture == nullptr) return;
  const std::size_t span = static_cast<std::size_t>(shared.width()) * 3;
  for (int fieldRow = shared.bottom - 1; fieldRow >= shared.top; --fieldRow) {
    const int frameRow = frameHeight - 1 - (fieldRow - frameRect.top);
    const int boxRow = box.bottom - 1 - fieldRow;
    std::memcpy(&ballBackground[(static_cast<std::size_t>(boxRow) * size + shared.left - box.left) * 3],
                picture + (static_cast<std::size_t>(frameRow) * frameWidth + shared.left -
                           frameRect.left) * 3,
                span);
  }
}

namespace {

bool windowAlive(const WindowLink* window) { return window != nullptr && window->isWindow(); }

// Puts a 2r-square box image at the box of (x, y).
void putBox(FieldSurface& surface, const Bytes& box, int x, int y, int r) {
  surface.putImage(box.data(), 2 * r, 2 * r, 0, 0, 2 * r, 2 * r, x - r, y - r);
}

}  // namespace

void GameEngine::drawBallStep(int x, int y) {
  if (!windowAlive(mainWindow)) return;
  DrawLockGuard lock;
  const int r = ballRadius;
  putBox(surface, ballBackground, drawnBallX, drawnBallY, r);
  // Within a frame the camera area still shows the previous frame.
  saveUnderBall(x, y, shownFrame.data());
  renderBall(ballAngle);
  putBox(surface, ballImage, x, y, r);
  surface.present(unionRect(ballBox(drawnBallX, drawnBallY, r), ballBox(x, y, r)));
  drawnBallX = x;
  drawnBallY = y;
}

void GameEngine::composeFrame(int x, int y) {
  if (!windowAlive(mainWindow)) return;
  DrawLockGuard lock;
  const int r = ballRadius;
  putBox(surface, ballBackground, drawnBallX, drawnBallY, r);
  surface.putImage(workFrame.data(), frameWidth, frameHeight, 0, 0, frameWidth, frameHeight,
                   frameRect.left, frameRect.top);
  saveUnderBall(x, y, workFrame.data());
  renderBall(ballAngle);
  putBox(surface, ballImage, x, y, r);
  // One rectangle when the ball touches the picture, else the ball area and the picture.
  const Rect changed = unionRect(ballBox(drawnBallX, drawnBallY, r), ballBox(x, y, r));
  if (!intersectRect(changed, frameRect).isEmpty()) {
    surface.present(unionRect(changed, frameRect));
  } else {
    surface.present(changed);
    surface.present(frameRect);
  }
  drawnBallX = x;
  drawnBallY = y;
}

void GameEngine::repaintField() {
  if (!windowAlive(mainWindow)) return;
  DrawLockGuard lock;
  surface.present({0, 0, fieldWidth, fieldHeight});
}
