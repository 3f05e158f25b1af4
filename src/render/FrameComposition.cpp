#include "render/FrameComposition.h"

#include <algorithm>
#include <cstring>

#include "platform/DrawLock.h"

namespace {

// Copies one row span of a field picture (bpp bytes a pixel) into the matching box row;
// box pixels outside the field become 0.
void copyBoxRow(const std::uint8_t* picture, int fieldWidth, int fieldRow, int left, int size,
                int bpp, std::uint8_t* boxRow) {
  const int from = std::clamp(-left, 0, size);
  const int to = std::clamp(fieldWidth - left, from, size);
  std::memset(boxRow, 0, static_cast<std::size_t>(from) * bpp);
  std::memcpy(boxRow + from * bpp,
              picture + (static_cast<std::size_t>(fieldRow) * fieldWidth + left + from) * bpp,
              static_cast<std::size_t>(to - from) * bpp);
  std::memset(boxRow + to * bpp, 0, static_cast<std::size_t>(size - to) * bpp);
}

}  // namespace

void saveUnderBall(const Court& court, BallSprite& sprite, int x, int y,
                   const std::uint8_t* picture) {
  const int r = sprite.radius;
  const int size = 2 * r;
  const int fieldWidth = court.fieldWidth;
  const Rect box = ballBox(x, y, r);
  for (int i = 0; i < size; ++i) {
    const int fieldRow = box.top + i;
    const std::size_t at = static_cast<std::size_t>(i) * size;
    if (fieldRow < 0 || fieldRow >= court.fieldHeight) {
      std::memset(&sprite.background[at * pixelBytes], 0, static_cast<std::size_t>(size) * pixelBytes);
      std::memset(&sprite.overlayColor[at * pixelBytes], 0, static_cast<std::size_t>(size) * pixelBytes);
      std::memset(&sprite.overlayAlpha[at], 0, size);
      continue;
    }
    copyBoxRow(court.backdrop.data(), fieldWidth, fieldRow, box.left, size, pixelBytes,
               &sprite.background[at * pixelBytes]);
    copyBoxRow(court.overlayColor.data(), fieldWidth, fieldRow, box.left, size, pixelBytes,
               &sprite.overlayColor[at * pixelBytes]);
    copyBoxRow(court.overlayAlpha.data(), fieldWidth, fieldRow, box.left, size, 1,
               &sprite.overlayAlpha[at]);
  }
  const Rect& frameRect = court.frameRect;
  const Rect shared = intersectRect(box, frameRect);
  if (shared.isEmpty() || picture == nullptr) return;
  const int frameWidth = frameRect.width();
  const std::size_t span = static_cast<std::size_t>(shared.width()) * pixelBytes;
  for (int fieldRow = shared.top; fieldRow < shared.bottom; ++fieldRow) {
    const std::size_t boxAt =
        static_cast<std::size_t>(fieldRow - box.top) * size + (shared.left - box.left);
    const std::size_t frameAt = static_cast<std::size_t>(fieldRow - frameRect.top) * frameWidth +
                                (shared.left - frameRect.left);
    std::memcpy(&sprite.background[boxAt * pixelBytes], picture + frameAt * pixelBytes, span);
  }
}

namespace {

// Puts a 2r-square box image at the box of (x, y).
void putBox(FieldSurface& surface, const std::vector<std::uint8_t>& box, int x, int y, int r) {
  surface.putImage(box.data(), 2 * r, 2 * r, 0, 0, 2 * r, 2 * r, x - r, y - r);
}

// Takes the ball off its drawn place: what lay under it goes back.
void eraseBall(FieldCanvas& canvas, const Ball& ball) {
  putBox(canvas.surface, canvas.sprite.background, ball.drawnX, ball.drawnY, canvas.sprite.radius);
}

// Saves what lies under the ball's box now, paints the ball there and puts it; returns the
// area that changed since the last drawing.
Rect placeBall(FieldCanvas& canvas, Ball& ball, const std::uint8_t* picture) {
  BallSprite& sprite = canvas.sprite;
  const int r = sprite.radius;
  const int x = static_cast<int>(ball.x);
  const int y = static_cast<int>(ball.y);
  saveUnderBall(canvas.court, sprite, x, y, picture);
  renderBall(sprite, ball.angle);
  putBox(canvas.surface, sprite.image, x, y, r);
  const Rect changed = unionRect(ballBox(ball.drawnX, ball.drawnY, r), ballBox(x, y, r));
  ball.drawnX = x;
  ball.drawnY = y;
  return changed;
}

}  // namespace

void drawBallStep(FieldCanvas& canvas, Ball& ball, const std::uint8_t* shownFrame) {
  DrawLockGuard lock;
  eraseBall(canvas, ball);
  canvas.surface.present(placeBall(canvas, ball, shownFrame));
}

void composeFrame(FieldCanvas& canvas, Ball& ball, const std::uint8_t* frame) {
  DrawLockGuard lock;
  const Rect& picture = canvas.court.frameRect;
  eraseBall(canvas, ball);
  canvas.surface.putImage(frame, picture.width(), picture.height(), 0, 0, picture.width(),
                          picture.height(), picture.left, picture.top);
  const Rect changed = placeBall(canvas, ball, frame);
  // One rectangle when the ball touches the picture, else the ball area and the picture.
  if (!intersectRect(changed, picture).isEmpty()) {
    canvas.surface.present(unionRect(changed, picture));
  } else {
    canvas.surface.present(changed);
    canvas.surface.present(picture);
  }
}

void repaintField(FieldCanvas& canvas) {
  DrawLockGuard lock;
  canvas.surface.present(canvas.court.fieldRect);
}
