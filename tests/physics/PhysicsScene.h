#pragma once
#include <cmath>
#include <cstdint>

#include "capture/FrameImage.h"
#include "model/Ball.h"
#include "support/EngineScene.h"

// A laid-out field without the court drawing: the geometry the layout computes for this
// camera size and ball radius (default settings otherwise), every buffer the ball step reads
// sized as the layout sizes it, a free court map and two black frames. Tests then place
// solid pixels, picture changes and the ball themselves.
struct PhysicsScene {
  explicit PhysicsScene(int radius = 30, FrameFormat frame = {320, 240}) : scene(frame) {
    GameEngine& e = engine();
    e.ballRadius = radius;
    e.frameWidth = frame.width;
    e.frameHeight = frame.height;
    const int side = e.backboardThickness + e.basketSize + e.basketSize / 5 + 10;
    const int width = frame.width + 2 * (side + 2 * radius);
    e.fieldWidth = width - width % 4;
    e.fieldHeight = std::max(frame.height + 2 * radius + 60,
                             e.backboardHeight + e.ringHeight + 2 * radius);
    const int W = e.fieldWidth;
    const int H = e.fieldHeight;
    e.fieldRect = {0, 0, W, H};
    e.frameRect = {(W - frame.width) / 2, H - frame.height, (W - frame.width) / 2 + frame.width, H};
    const int bs = e.basketSize;
    const int t = e.backboardThickness;
    const int top = H - e.ringHeight - e.backboardHeight / 6;
    const int bottom = top + static_cast<int>(0.8 * bs);
    e.leftRingRect = {t + bs / 5 + 10, top, t + bs + bs / 5 + 10, bottom};
    e.rightRingRect = {W - t - bs - bs / 5 - 10, top, W - t - bs / 5 - 10, bottom};
    e.scoreBoxRect = {(W - 150) / 2, 10, (W + 150) / 2, 60};

    const std::size_t pixels = static_cast<std::size_t>(W) * H;
    e.courtMap.assign(pixels, 0);
    e.backdrop.assign(pixels * 3, 0);
    e.overlayColor.assign(pixels * 3, 0);
    e.overlayAlpha.assign(pixels, 0);
    e.allocateFrameAndBallBuffers();
    scene.surface.create(W, H);
  }

  GameEngine& engine() { return *scene.engine; }
  int radius() { return engine().ballRadius; }

  void place(double x, double y, double vx = 0.0, double vy = 0.0, double spin = 0.0) {
    GameEngine& e = engine();
    e.ballX = x;
    e.ballY = y;
    e.ballVX = vx;
    e.ballVY = vy;
    e.ballSpin = spin;
  }

  // Solidity code at field pixel (x, y), y downward.
  std::uint8_t& court(int x, int y) {
    GameEngine& e = engine();
    return e.courtMap[static_cast<std::size_t>(e.fieldHeight - 1 - y) * e.fieldWidth + x];
  }
  // Solidity code under the ball at offset (a rows down, b columns right) from its centre.
  std::uint8_t& courtAtOffset(int a, int b) {
    return court(static_cast<int>(engine().ballX) + b, static_cast<int>(engine().ballY) + a);
  }

  // Sets every channel of the field-area pixels of a frame that lie over the picture.
  void paint(Bytes& frame, const Rect& fieldArea, std::uint8_t value) {
    GameEngine& e = engine();
    const Rect area = intersectRect(fieldArea, e.frameRect);
    for (int y = area.top; y < area.bottom; ++y)
      for (int x = area.left; x < area.right; ++x) {
        const int stored = e.frameHeight - 1 - (y - e.frameRect.top);
        const std::size_t at =
            (static_cast<std::size_t>(stored) * e.frameWidth + (x - e.frameRect.left)) * 3;
        frame[at] = frame[at + 1] = frame[at + 2] = value;
      }
  }

  // Mask byte at offset (a, b) from the centre, as the last step left it.
  std::uint8_t mask(int a, int b) {
    const int r = radius();
    return engine().ballMask[static_cast<std::size_t>(a + r) * (2 * r) + (b + r)];
  }

  Rect box() { return ballBox(engine().ballX, engine().ballY, radius()); }

  // Σ 1 / √(r² − d²) over the mask pixels that push the ball (inside the disc, above 12).
  double rimWeight() {
    const int r = radius();
    double t = 0.0;
    for (int a = -r; a < r; ++a)
      for (int b = -r; b < r; ++b) {
        const int d2 = a * a + b * b;
        if (d2 > 0 && d2 < r * r && mask(a, b) > 12) t += 1.0 / std::sqrt(r * r - d2);
      }
    return t;
  }

  EngineScene scene;
};
