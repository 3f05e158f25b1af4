#include <gtest/gtest.h>

#include <vector>

#include "render/CourtCanvas.h"
#include "support/EngineScene.h"

namespace {

// Lit segments (bit s for segment s) of digit position k (0 hundreds) of a display.
int litSegments(const GameEngine& e, int display, int k) {
  int lit = 0;
  for (int s = 0; s < 7; ++s) {
    const PixelBox& seg = e.digitSegments[s];
    const int dx = k * e.digitPitch + (display == 2 ? e.secondScoreOffset : 0);
    const Rgb c = backdropAt(e, (seg.x1 + seg.x2) / 2 + dx, (seg.y1 + seg.y2) / 2);
    if (sameColour(c, {0, 0, 200})) {
      lit |= 1 << s;
    } else {
      EXPECT_TRUE(sameColour(c, {0, 0, 0})) << "segment " << s;
    }
  }
  return lit;
}

constexpr int zero = 0b1011111, one = 0b0001010, two = 0b1110110, five = 0b1111001,
              seven = 0b0011011, nine = 0b1111011;

struct ScoreDisplay : ::testing::Test {
  void SetUp() override { ASSERT_EQ(scene.build(), 0); }
  std::vector<int> shown(int display) {
    return {litSegments(e, display, 0), litSegments(e, display, 1), litSegments(e, display, 2)};
  }
  EngineScene scene;
  GameEngine& e = *scene.engine;
};

TEST_F(ScoreDisplay, AFreshGameShowsThreeZerosOnEachDisplay) {
  EXPECT_EQ(shown(1), (std::vector{zero, zero, zero}));
  EXPECT_EQ(shown(2), (std::vector{zero, zero, zero}));
}

TEST_F(ScoreDisplay, SevenLightsFourSegments) {
  e.showScore(1, 7);
  EXPECT_EQ(shown(1), (std::vector{zero, zero, seven}));
  EXPECT_EQ(seven, 0b0011011);  // upper left, upper right, lower right, top
}

TEST_F(ScoreDisplay, TwelveThenFiveShowLeadingZerosAndKeepTheOtherDisplay) {
  e.showScore(1, 12);
  e.showScore(2, 5);
  EXPECT_EQ(shown(1), (std::vector{zero, one, two}));
  EXPECT_EQ(shown(2), (std::vector{zero, zero, five}));
}

TEST_F(ScoreDisplay, TheSameValueTwiceChangesNoPixel) {
  e.showScore(2, 38);
  const Bytes backdrop = e.backdrop;
  const std::vector<std::uint8_t> surface = scene.surface.pixels();
  e.showScore(2, 38);
  EXPECT_EQ(e.backdrop, backdrop);
  EXPECT_EQ(scene.surface.pixels(), surface);
}

TEST_F(ScoreDisplay, AboveNineHundredNinetyNineShowsNineHundredNinetyNine) {
  e.showScore(1, 1234);
  EXPECT_EQ(shown(1), (std::vector{nine, nine, nine}));
}

TEST_F(ScoreDisplay, TheBoxGoesToTheSurfaceAndTheWindow) {
  scene.surface.presented.clear();
  e.showScore(1, 480);
  EXPECT_EQ(scene.surface.presented, (std::vector<Rect>{{299, 10, 450, 61}}));
  std::vector<std::uint8_t> image(e.backdrop.size());
  scene.surface.getImage(image.data());
  EXPECT_EQ(image, e.backdrop);

  scene.window.alive = false;  // the surface still follows, the window is left alone
  scene.surface.presented.clear();
  e.showScore(1, 5);
  scene.surface.getImage(image.data());
  EXPECT_EQ(image, e.backdrop);
  EXPECT_TRUE(scene.surface.presented.empty());
}

// Records the text calls on top of a memory surface.
class TextRecorder final : public FieldSurface {
 public:
  struct Call {
    int x, y;
    std::string text;
    TextFont font;
    Rgb colour;
  };
  void create(int w, int h) override { memory.create(w, h); }
  int width() const override { return memory.width(); }
  int height() const override { return memory.height(); }
  void putImage(const std::uint8_t* image, int iw, int ih, int sx, int sy, int w, int h, int dx,
                int dy) override {
    memory.putImage(image, iw, ih, sx, sy, w, h, dx, dy);
  }
  void getImage(std::uint8_t* image) const override { memory.getImage(image); }
  void present(const Rect&) override {}
  void drawText(int x, int y, std::string_view text, const TextFont& font, Rgb colour) override {
    calls.push_back({x, y, std::string(text), font, colour});
  }
  int textWidth(std::string_view text, const TextFont&) const override {
    return 13 * static_cast<int>(text.size());
  }
  MemorySurface memory;
  std::vector<Call> calls;
};

TEST(PlayerNames, SitInTheTopCornersInTheirFont) {
  ManualTickClock clock;
  TextRecorder surface;
  SourceCatalog catalog;
  TemporaryFolder folder;
  GameEngine e(clock, surface, catalog, folder.file("Swishcam.prm"));
  e.frameWidth = 320;
  e.frameHeight = 240;
  e.leftName = "Ann";
  e.rightName = "Bartholomew";
  e.layoutCourt(1);
  ASSERT_EQ(surface.calls.size(), 2u);
  const auto& left = surface.calls[0];
  const auto& right = surface.calls[1];
  EXPECT_EQ(left.text, "Ann");
  EXPECT_EQ(left.x, 30);
  EXPECT_EQ(left.y, 20);
  EXPECT_EQ(right.text, "Bartholomew");
  EXPECT_EQ(right.x, 748 - 11 * 13 - 30);
  EXPECT_EQ(right.y, 20);
  for (const auto& call : surface.calls) {
    EXPECT_EQ(call.font.height, 34);
    EXPECT_EQ(call.font.averageWidth, 17);
    EXPECT_EQ(call.font.weight, 400);
    EXPECT_EQ(call.font.face, "Arial");
    EXPECT_TRUE(sameColour(call.colour, {160, 160, 0}));
  }

  e.rightName.clear();
  surface.calls.clear();
  e.layoutCourt(0);
  EXPECT_EQ(surface.calls[1].x, 748 - 30);
}

}  // namespace
