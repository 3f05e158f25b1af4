#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "support/EngineScene.h"

namespace {

// A ball box of radius 30 over a uniform background, without a front layer.
struct BallSprite : ::testing::Test {
  void SetUp() override {
    const std::size_t box = 60 * 60;
    e.ballRadius = r;
    e.ballImage.assign(box * 3, 0);
    e.ballBackground.assign(box * 3, 0);
    for (std::size_t i = 0; i < box; ++i) {
      e.ballBackground[i * 3] = 10;  // blue
      e.ballBackground[i * 3 + 1] = 20;
      e.ballBackground[i * 3 + 2] = 30;
    }
    e.ballOverlayColor.assign(box * 3, 0);
    e.ballOverlayAlpha.assign(box, 0);
  }
  // Blue, green, red of the box pixel at offsets (X, Y) from the centre, Y upward.
  std::array<int, 3> at(int X, int Y) const {
    const std::uint8_t* p = &e.ballImage[((Y + r) * 2 * r + X + r) * 3];
    return {p[0], p[1], p[2]};
  }
  EngineScene scene;
  GameEngine& e = *scene.engine;
  const int r = 30;
};

TEST_F(BallSprite, CentreAtAngleZeroIsTheLightBluePanelAtFullBrightness) {
  e.renderBall(0.0);
  EXPECT_EQ(at(0, 0), (std::array{255, 128, 128}));
}

TEST_F(BallSprite, RimPixelShowsTheBackground) {
  e.renderBall(0.0);
  EXPECT_EQ(at(-r, 0), (std::array{10, 20, 30}));
  EXPECT_EQ(at(0, -r), (std::array{10, 20, 30}));
}

TEST_F(BallSprite, JustOutsideTheDiscIsTheBackground) {
  e.renderBall(1.3);
  EXPECT_EQ(at(-r, 1), (std::array{10, 20, 30}));  // d² = r² + 1
  EXPECT_EQ(at(-r, -r), (std::array{10, 20, 30}));
}

TEST_F(BallSprite, TheRimFadesIntoTheBackground) {
  e.renderBall(0.0);
  // d = 29: w = 2/3 over panel A at k = trunc(102 × 29 / 30) = 98: (157, 30, 30).
  EXPECT_EQ(at(-29, 0), (std::array{108, 26, 30}));
}

TEST_F(BallSprite, AFullTurnPaintsTheSameBall) {
  for (double angle : {0.0, 0.4, 1.3, 2.0, 5.5, 10.0, -3.0}) {
    e.renderBall(angle);
    const Bytes once = e.ballImage;
    e.renderBall(angle + 2 * std::numbers::pi);
    EXPECT_EQ(e.ballImage, once) << angle;
  }
}

TEST_F(BallSprite, TurningMovesThePanels) {
  e.renderBall(0.0);
  const Bytes still = e.ballImage;
  e.renderBall(1.0);
  EXPECT_NE(e.ballImage, still);
}

TEST_F(BallSprite, FullFrontLayerHidesTheBall) {
  for (std::size_t i = 0; i < e.ballOverlayAlpha.size(); ++i) {
    e.ballOverlayAlpha[i] = 255;
    e.ballOverlayColor[i * 3] = 1;
    e.ballOverlayColor[i * 3 + 1] = 2;
    e.ballOverlayColor[i * 3 + 2] = 3;
  }
  e.renderBall(0.4);
  for (int Y = -r; Y < r; ++Y) {
    for (int X = -r; X < r; ++X) {
      const bool inside = X * X + Y * Y <= r * r;
      ASSERT_EQ(at(X, Y), inside ? (std::array{1, 2, 3}) : (std::array{10, 20, 30}))
          << X << "," << Y;
    }
  }
}

}  // namespace
