#include "physics/MotionSense.h"

#include <algorithm>
#include <cassert>
#include <cstdlib>

#include "model/WideVectors.h"

namespace {

constexpr int smoothing = 7;      // px, side of the box that averages the differences
constexpr int reach = smoothing / 2;
constexpr int boxArea = smoothing * smoothing;
constexpr int smallestRegion = 8; // px, narrower overlaps keep their court values

// The span of `bytes` bytes from `firstByte` in a frame row.
struct RowSpan {
  std::size_t firstByte;
  std::size_t bytes;
};

const std::uint8_t* rowOf(const std::uint8_t* frame, const FramePair& frames, int row, RowSpan span) {
  return frame + static_cast<std::size_t>(row) * frames.width * pixelBytes + span.firstByte;
}

// Sums of the frames' differences down the 7 rows around `middleRow`, per byte of the span:
// plain loops over contiguous bytes that the compiler turns into vector code.
WIDE_VECTORS void sumColumns(const FramePair& frames, int middleRow, RowSpan span, std::int16_t* sums) {
  std::fill(sums, sums + span.bytes, 0);
  for (int row = middleRow - reach; row <= middleRow + reach; ++row) {
    const std::uint8_t* cur = rowOf(frames.current, frames, row, span);
    const std::uint8_t* prev = rowOf(frames.previous, frames, row, span);
    for (std::size_t b = 0; b < span.bytes; ++b)
      sums[b] = static_cast<std::int16_t>(sums[b] + cur[b] - prev[b]);
  }
}

// Moves the column sums one row down: the row above the box leaves, the row below enters.
WIDE_VECTORS void slideColumns(const FramePair& frames, int leavingRow, RowSpan span, std::int16_t* sums) {
  const std::uint8_t* curOut = rowOf(frames.current, frames, leavingRow, span);
  const std::uint8_t* prevOut = rowOf(frames.previous, frames, leavingRow, span);
  const std::uint8_t* curIn = rowOf(frames.current, frames, leavingRow + smoothing, span);
  const std::uint8_t* prevIn = rowOf(frames.previous, frames, leavingRow + smoothing, span);
  for (std::size_t b = 0; b < span.bytes; ++b)
    sums[b] = static_cast<std::int16_t>(sums[b] + curIn[b] - prevIn[b] - curOut[b] + prevOut[b]);
}

// The box mean of one channel, truncated toward zero, without its sign.
int absoluteMean(int boxSum) { return std::abs(boxSum / boxArea); }

// What one pixel pushes with: the mean of its channels' box means.
std::uint8_t strengthOf(int blue, int green, int red) {
  return static_cast<std::uint8_t>((absoluteMean(blue) + absoluteMean(green) + absoluteMean(red)) / 3);
}

// The 7 × 7 box sums of a row's pixels that have a whole box, from its column sums:
// boxSums[4 × i + channel] belongs to pixel reach + i. Loops over contiguous values, in
// vector code.
WIDE_VECTORS void sumAcross(const std::int16_t* sums, int width, std::int16_t* boxSums) {
  const int innerBytes = (width - 2 * reach) * pixelBytes;
  std::fill(boxSums, boxSums + innerBytes, 0);
  for (int dx = 0; dx < smoothing; ++dx) {
    const std::int16_t* from = sums + dx * pixelBytes;
    for (int b = 0; b < innerBytes; ++b) boxSums[b] = static_cast<std::int16_t>(boxSums[b] + from[b]);
  }
}

std::uint8_t strengthOfBox(const std::int16_t* box) { return strengthOf(box[0], box[1], box[2]); }

// One mask row of `width` pixels from its column sums: the pixels with a whole box get their
// strength, the 3 at each end 0.
void strengthRow(const std::int16_t* sums, int width, std::int16_t* boxSums, std::uint8_t* mask) {
  const int inner = width - 2 * reach;
  sumAcross(sums, width, boxSums);
  std::fill(mask, mask + reach, 0);
  for (int x = 0; x < inner; ++x) mask[reach + x] = strengthOfBox(boxSums + x * pixelBytes);
  std::fill(mask + reach + inner, mask + width, 0);
}

}  // namespace

// The mask of the region: rows and columns closer than 3 to its edge have no whole box and
// hold 0; the others hold the strength of the 7 × 7 box around them.
void senseMotion(const Ball& ball, const Court& court, const FramePair& frames,
                 const Rect& region, ContactMask& contact) {
  const int r = ball.radius;
  const Rect& frameRect = court.frameRect;
  const Rect box = ballBox(ball.x, ball.y, r);
  const Rect area = intersectRect(intersectRect(region, frameRect), box);
  const int w = area.width();
  const int h = area.height();
  if (w < smallestRegion || h < smallestRegion) return;

  const bool ready = frameRect.width() == frames.width && frameRect.height() == frames.height &&
                     frames.current != nullptr && frames.previous != nullptr &&
                     contact.fits(r);
  assert(ready);
  if (!ready) return;

  const int side = 2 * r;
  const RowSpan span{static_cast<std::size_t>(area.left - frameRect.left) * pixelBytes,
                     static_cast<std::size_t>(w) * pixelBytes};
  const int top = area.top - frameRect.top;
  std::int16_t* sums = contact.columnSums.data();
  for (int i = 0; i < h; ++i) {
    std::uint8_t* mask = contact.mask.data() +
                         static_cast<std::size_t>(area.top + i - box.top) * side +
                         (area.left - box.left);
    if (i < reach || i >= h - reach) {
      std::fill(mask, mask + w, 0);
      continue;
    }
    if (i == reach)
      sumColumns(frames, top + i, span, sums);
    else
      slideColumns(frames, top + i - reach - 1, span, sums);
    strengthRow(sums, w, contact.boxSums.data(), mask);
  }
}

std::uint8_t motionStrengthAt(const FramePair& frames, int x, int y) {
  std::int16_t columns[smoothing * pixelBytes];
  std::int16_t box[pixelBytes];
  sumColumns(frames, y, {static_cast<std::size_t>(x - reach) * pixelBytes, smoothing * pixelBytes},
             columns);
  sumAcross(columns, smoothing, box);
  return strengthOfBox(box);
}

void MotionMap::resize(int pictureWidth, int pictureHeight) {
  frameWidth = std::max(0, pictureWidth);
  frameHeight = std::max(0, pictureHeight);
  width = (frameWidth + cellSize - 1) / cellSize;
  height = (frameHeight + cellSize - 1) / cellSize;
  columnSums.assign(static_cast<std::size_t>(frameWidth) * pixelBytes, 0);
  boxSums.assign(static_cast<std::size_t>(frameWidth) * pixelBytes, 0);
  strength.assign(static_cast<std::size_t>(width) * height, 0);
}

// Pixels closer than 3 to the picture's edge have no whole box; they show 0, as the contact
// mask does.
void senseMotionMap(const FramePair& frames, MotionMap& map) {
  if (frames.width != map.frameWidth || frames.height != map.frameHeight ||
      map.strength.empty() || frames.current == nullptr || frames.previous == nullptr)
    return;
  const int middle = MotionMap::cellSize / 2;
  const RowSpan wholeRow{0, static_cast<std::size_t>(frames.width) * pixelBytes};
  for (int j = 0; j < map.height; ++j) {
    std::uint8_t* out = map.strength.data() + static_cast<std::size_t>(j) * map.width;
    const int y = j * MotionMap::cellSize + middle;
    if (y < reach || y + reach >= frames.height) {
      std::fill(out, out + map.width, 0);
      continue;
    }
    sumColumns(frames, y, wholeRow, map.columnSums.data());
    sumAcross(map.columnSums.data(), frames.width, map.boxSums.data());
    for (int i = 0; i < map.width; ++i) {
      const int x = i * MotionMap::cellSize + middle;
      out[i] = x < reach || x + reach >= frames.width
                   ? 0
                   : strengthOfBox(map.boxSums.data() + (x - reach) * pixelBytes);
    }
  }
}
