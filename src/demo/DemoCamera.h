#pragma once
#include <array>
#include <cstdint>
#include <vector>

#include "demo/AutoPlayer.h"
#include "demo/DemoRandom.h"
#include "capture/FramePainter.h"

inline constexpr const char* demoCameraName = "Demo camera";

// A camera that needs no device: a softly lit wall over a desk, mild sensor noise, and the
// hand and forearm of the automatic player. Every picture follows from the seed and the
// game's ball, so a run can be repeated exactly.
class DemoCamera final : public FramePainter {
 public:
  DemoCamera(const GameView& game, FrameFormat size, double framesPerSecond,
             std::uint32_t seed);
  FrameFormat format() const override { return m_size; }
  double framesPerSecond() const override { return m_fps; }
  bool paint(std::uint8_t* frame) override;
  bool automaticPlayer() const override { return true; }
  const AutoPlayer& player() const { return m_player; }

 private:
  struct Point {
    double x, y;  // camera pixels, y downward from the picture's top row
  };
  Point toCamera(double fieldX, double fieldY) const;
  void buildBackgrounds(std::uint32_t seed);
  // A round-ended bar from a to b (a disc when they meet), lit from above.
  void paintCapsule(std::uint8_t* frame, Point a, Point b, double radius, Rgb colour,
                    double lightTop, double lightSpan);
  void paintHand(std::uint8_t* frame, const HandPose& pose);

  static constexpr int noiseVariants = 3;
  GameView m_game;
  FrameFormat m_size;
  double m_fps;
  AutoPlayer m_player;
  DemoRandom m_random;
  std::array<std::vector<std::uint8_t>, noiseVariants> m_backgrounds;  // lit wall plus noise
  std::array<std::vector<std::int8_t>, noiseVariants> m_noise;         // the noise alone
  int m_variant = 0;
};
