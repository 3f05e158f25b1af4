#include "demo/DemoCamera.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "capture/FrameImage.h"

namespace {

constexpr int noiseAmplitude = 8;       // ± per channel: single pixels may pass the no-motion
                                        // threshold of 12, the smoothed picture never does
constexpr Rgb wallColour{96, 112, 132};
constexpr Rgb deskColour{82, 66, 54};
constexpr Rgb skinColour{222, 170, 138};
constexpr Rgb sleeveColour{58, 84, 150};
constexpr double deskShare = 0.14;      // of the picture's height

// x range [lo, hi] of the row at height y where the point lies within `radius` of segment ab.
struct Span {
  double lo = 1.0;
  double hi = 0.0;
  bool empty() const { return lo > hi; }
  void join(Span other) {
    if (other.empty()) return;
    if (empty()) {
      *this = other;
      return;
    }
    lo = std::min(lo, other.lo);
    hi = std::max(hi, other.hi);
  }
};

Span discSpan(double cx, double cy, double radius, double y) {
  const double dy = y - cy;
  if (std::abs(dy) > radius) return {};
  const double half = std::sqrt(radius * radius - dy * dy);
  return {cx - half, cx + half};
}

// Solutions x of lo ≤ k·x + c ≤ hi; everything or nothing when k is 0.
Span linearSpan(double k, double c, double lo, double hi) {
  if (k == 0.0) return c >= lo && c <= hi ? Span{-1e9, 1e9} : Span{};
  const double a = (lo - c) / k;
  const double b = (hi - c) / k;
  return {std::min(a, b), std::max(a, b)};
}

Span segmentSpan(double ax, double ay, double bx, double by, double radius, double y) {
  const double dx = bx - ax;
  const double dy = by - ay;
  const double length2 = dx * dx + dy * dy;
  if (length2 == 0.0) return {};
  // Projection onto the segment within [0, length²], distance from its line within radius.
  const Span along = linearSpan(dx, -ax * dx + (y - ay) * dy, 0.0, length2);
  const double reach = radius * std::sqrt(length2);
  const Span across = linearSpan(dy, -ax * dy - (y - ay) * dx, -reach, reach);
  if (along.empty() || across.empty()) return {};
  Span both{std::max(along.lo, across.lo), std::min(along.hi, across.hi)};
  return both;
}

// Noise of ± noiseAmplitude per channel, drawn in the order of the frames this camera once
// painted (three bytes a pixel, bottom row first) so that a seed still paints the same
// pictures, and kept in the frame's layout with 0 for each pixel's fourth byte.
std::vector<std::int8_t> drawNoise(DemoRandom& random, int width, int height) {
  const std::size_t drawn = static_cast<std::size_t>(width) * height * 3;
  std::vector<std::int8_t> noise(frameBytes(width, height), 0);
  for (std::size_t i = 0; i < drawn; i += 8) {
    std::uint64_t bits = random.next();
    for (std::size_t k = i; k < std::min(drawn, i + 8); ++k, bits >>= 8) {
      const std::size_t pixel = k / 3;
      const std::size_t y = height - 1 - pixel / width;
      const std::size_t at = (y * width + pixel % width) * framePixelBytes + k % 3;
      noise[at] = static_cast<std::int8_t>(static_cast<int>(bits & 0xFF) % (2 * noiseAmplitude + 1) -
                                           noiseAmplitude);
    }
  }
  return noise;
}

std::uint8_t shadeChannel(int value, double light, int noise) {
  const int v = static_cast<int>(value * light) + noise;
  return static_cast<std::uint8_t>(std::clamp(v, 0, 255));
}

}  // namespace

DemoCamera::DemoCamera(const GameView& game, FrameFormat size, double framesPerSecond,
                       std::uint32_t seed)
    : m_game(game),
      m_size(size),
      m_fps(framesPerSecond),
      m_player(game, framesPerSecond, seed),
      m_random(static_cast<std::uint64_t>(seed) * 0x2545F4914F6CDD1Dull + 1) {
  buildBackgrounds(seed);
}

// A wall lit from the upper left, a desk along the bottom, each with a few noise variants
// drawn once: a frame takes one of them, never the same twice in a row.
void DemoCamera::buildBackgrounds(std::uint32_t seed) {
  const int w = m_size.width;
  const int h = m_size.height;
  DemoRandom random(seed ^ 0x5DEECE66Dull);
  for (int v = 0; v < noiseVariants; ++v) {
    m_noise[v] = drawNoise(random, w, h);
    m_backgrounds[v].resize(frameBytes(w, h));
  }
  const double lightX = 0.3 * w, lightY = 0.2 * h, spread = 0.55 * w;
  for (int y = 0; y < h; ++y) {
    const bool desk = y >= h * (1.0 - deskShare);
    const Rgb base = desk ? deskColour : wallColour;
    for (int x = 0; x < w; ++x) {
      const double d2 = (x - lightX) * (x - lightX) + (y - lightY) * (y - lightY);
      const double light = 0.7 + 0.5 * std::exp(-d2 / (spread * spread));
      const std::size_t at = (static_cast<std::size_t>(y) * w + x) * framePixelBytes;
      const int channels[3] = {base.blue, base.green, base.red};
      for (int v = 0; v < noiseVariants; ++v) {
        for (int c = 0; c < 3; ++c)
          m_backgrounds[v][at + c] = shadeChannel(channels[c], light, m_noise[v][at + c]);
        m_backgrounds[v][at + 3] = 255;
      }
    }
  }
}

DemoCamera::Point DemoCamera::toCamera(double fieldX, double fieldY) const {
  double x = fieldX - m_game.court.frameRect.left;
  const double y = fieldY - m_game.court.frameRect.top;
  // The engine mirrors the picture it receives; paint so that the mirrored picture shows
  // the hand where the player means it.
  if (m_game.mirror.load()) x = m_size.width - 1 - x;
  return {x, y};
}

void DemoCamera::paintCapsule(std::uint8_t* frame, Point a, Point b, double radius, Rgb colour,
                              double lightTop, double lightSpan) {
  const int w = m_size.width;
  const int h = m_size.height;
  const std::vector<std::int8_t>& noise = m_noise[m_variant];
  const int first = std::max(0, static_cast<int>(std::ceil(std::min(a.y, b.y) - radius)));
  const int last = std::min(h - 1, static_cast<int>(std::floor(std::max(a.y, b.y) + radius)));
  for (int y = first; y <= last; ++y) {
    Span span = discSpan(a.x, a.y, radius, y);
    span.join(discSpan(b.x, b.y, radius, y));
    span.join(segmentSpan(a.x, a.y, b.x, b.y, radius, y));
    if (span.empty()) continue;
    const int x0 = std::max(0, static_cast<int>(std::ceil(span.lo)));
    const int x1 = std::min(w - 1, static_cast<int>(std::floor(span.hi)));
    const double light = 1.0 + 0.06 * std::clamp((lightTop - y) / lightSpan, -1.0, 1.0);
    const std::size_t rowStart = static_cast<std::size_t>(y) * w * framePixelBytes;
    for (int x = x0; x <= x1; ++x) {
      const std::size_t at = rowStart + static_cast<std::size_t>(x) * framePixelBytes;
      frame[at] = shadeChannel(colour.blue, light, noise[at]);
      frame[at + 1] = shadeChannel(colour.green, light, noise[at + 1]);
      frame[at + 2] = shadeChannel(colour.red, light, noise[at + 2]);
    }
  }
}

// Sleeve, forearm, thumb and palm. The forearm runs from the elbow along the push, so a push
// moves it along itself and only the palm's front and the far end show motion.
void DemoCamera::paintHand(std::uint8_t* frame, const HandPose& pose) {
  const double palm = m_player.palmRadius();
  const double sideX = -pose.dirY, sideY = pose.dirX;
  const Point centre = toCamera(pose.x, pose.y);
  const Point wrist = toCamera(pose.x - pose.dirX * 1.2 * palm, pose.y - pose.dirY * 1.2 * palm);
  const Point elbow = toCamera(pose.x - pose.dirX * 3.4 * palm, pose.y - pose.dirY * 3.4 * palm);
  const Point shoulder = toCamera(pose.x - pose.dirX * 14.0 * palm, pose.y - pose.dirY * 14.0 * palm);
  const Point thumb = toCamera(pose.x + (0.87 * sideX - 0.5 * pose.dirX) * 1.05 * palm,
                               pose.y + (0.87 * sideY - 0.5 * pose.dirY) * 1.05 * palm);
  paintCapsule(frame, shoulder, elbow, 0.95 * palm, sleeveColour, centre.y, 4.0 * palm);
  paintCapsule(frame, elbow, wrist, 0.7 * palm, skinColour, centre.y, 4.0 * palm);
  paintCapsule(frame, centre, thumb, 0.3 * palm, skinColour, centre.y, palm);
  paintCapsule(frame, centre, centre, palm, skinColour, centre.y - palm, palm);
}

bool DemoCamera::paint(std::uint8_t* frame) {
  const HandPose pose = m_player.nextPose();
  m_variant = (m_variant + 1 + static_cast<int>(m_random.next() % (noiseVariants - 1))) % noiseVariants;
  std::memcpy(frame, m_backgrounds[m_variant].data(), m_backgrounds[m_variant].size());
  paintHand(frame, pose);
  return true;
}
