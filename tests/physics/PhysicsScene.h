#pragma once
#include <algorithm>
#include <array>

#include "capture/FrameImage.h"
#include "physics/BallMotion.h"

// A ball on a field sized as a layout sizes it (748 × 460 with the picture at x 214 … 533,
// y 220 … 459 for the defaults) with a free court map, two black frames and a contact mask.
struct PhysicsScene {
  explicit PhysicsScene(int r = 30, int frameWidth = 320, int frameHeight = 240)
      : current(frameBytes(frameWidth, frameHeight), 0), previous(current) {
    ball.radius = r;
    const int W = court.fieldWidth = (frameWidth + 2 * (154 + 2 * r)) / 4 * 4;
    const int H = court.fieldHeight = std::max(frameHeight + 2 * r + 60, 400 + 2 * r);
    court.frameRect = {(W - frameWidth) / 2, H - frameHeight, (W + frameWidth) / 2, H};
    court.courtMap.assign(std::size_t(W) * H, 0);
    contact.resize(r);
  }
  bool step(double dt = 0.0) {
    const Rect& f = court.frameRect;
    return stepBall(ball, court, contact, {current.data(), previous.data(), f.width(), f.height()},
                    dt);
  }
  void place(double x, double y, double vx = 0.0, double vy = 0.0) {
    ball.x = x, ball.y = y, ball.vx = vx, ball.vy = vy;
  }
  // Solidity at field pixel (x, y), y downward; at offset (a down, b right) from the centre.
  std::uint8_t& at(int x, int y) { return court.courtMap[std::size_t(y) * court.fieldWidth + x]; }
  std::uint8_t& under(int a, int b) { return at(int(ball.x) + b, int(ball.y) + a); }
  // The mask byte at offset (a, b), as the last step left it.
  int mask(int a, int b) const {
    return contact.mask[(a + ball.radius) * 2 * ball.radius + b + ball.radius];
  }
  // Blue, green and red of the frame's pixels under the field area `area`.
  void paint(Bytes& frame, const Rect& area, std::array<std::uint8_t, 3> bgr) {
    const Rect& f = court.frameRect;
    const Rect in = intersectRect(area, f);
    for (int y = in.top; y < in.bottom; ++y)
      for (int x = in.left; x < in.right; ++x)
        std::copy_n(bgr.begin(), 3, &frame[((y - f.top) * f.width() + x - f.left) * pixelBytes]);
  }

  Ball ball;
  Court court;
  ContactMask contact;
  Bytes current, previous;  // this step's frame and the one before
};
