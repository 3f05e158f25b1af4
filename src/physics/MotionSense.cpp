#include "physics/MotionSense.h"

#include <algorithm>
#include <cassert>
#include <cstdlib>


namespace {

constexpr int smoothing = 7;      // px, side of the box that averages the differences
constexpr int smallestRegion = 8; // px, narrower overlaps keep their court values

// Running sums along each row: work[c] = in[c − hw] + … + in[c − hw + boxWidth − 1].
void sumRows(const std::int32_t* plane, std::int32_t* work, int width, int height,
             int boxWidth) {
  const int hw = boxWidth / 2;
  for (int y = 0; y < height; ++y) {
    const std::int32_t* in = plane + static_cast<std::ptrdiff_t>(y) * width;
    std::int32_t* out = work + static_cast<std::ptrdiff_t>(y) * width;
    std::int32_t sum = 0;
    for (int c = 0; c < boxWidth - 1; ++c) sum += in[c];
    for (int c = hw; c <= width - 1 - hw; ++c) {
      sum += in[c - hw + boxWidth - 1];
      out[c] = sum;
      sum -= in[c - hw];
    }
  }
}

// Running sums down each column, a row at a time so that memory is read in order: each
// output row is the one above it plus the entering work row minus the leaving one.
void sumColumns(const std::int32_t* work, std::int32_t* plane, int width, int height,
                int boxWidth, int boxHeight) {
  const int hw = boxWidth / 2;
  const int hh = boxHeight / 2;
  auto row = [width](auto* base, int y) { return base + static_cast<std::ptrdiff_t>(y) * width; };
  std::int32_t* first = row(plane, hh);
  for (int k = 0; k < boxHeight; ++k) {
    const std::int32_t* in = row(work, k);
    for (int c = hw; c <= width - 1 - hw; ++c) first[c] += in[c];
  }
  for (int y = hh + 1; y <= height - 1 - hh; ++y) {
    const std::int32_t* above = row(plane, y - 1);
    const std::int32_t* entering = row(work, y - hh + boxHeight - 1);
    const std::int32_t* leaving = row(work, y - hh - 1);
    std::int32_t* out = row(plane, y);
    for (int c = hw; c <= width - 1 - hw; ++c) out[c] = above[c] + entering[c] - leaving[c];
  }
}

// Truncating division of every value. The motion box divides by the constant 49, which the
// compiler turns into a multiplication; a division by a run-time value costs several times
// the rest of the filter.
void divideAll(std::int32_t* plane, std::ptrdiff_t count, std::int32_t area) {
  constexpr std::int32_t motionArea = smoothing * smoothing;
  if (area == motionArea) {
    for (std::ptrdiff_t i = 0; i < count; ++i) plane[i] /= motionArea;
    return;
  }
  for (std::ptrdiff_t i = 0; i < count; ++i) plane[i] /= area;
}

}  // namespace

void boxMean(std::int32_t* plane, std::int32_t* work, int width, int height, int boxWidth,
             int boxHeight) {
  assert(boxWidth > 0 && boxHeight > 0);
  if (boxWidth <= 0 || boxHeight <= 0 || width <= 0 || height <= 0) return;
  const std::ptrdiff_t count = static_cast<std::ptrdiff_t>(width) * height;
  if (width < boxWidth || height < boxHeight) {
    std::fill(plane, plane + count, 0);
    return;
  }
  // The column pass reads only the work columns that the row pass writes.
  sumRows(plane, work, width, height, boxWidth);
  std::fill(plane, plane + count, 0);
  sumColumns(work, plane, width, height, boxWidth, boxHeight);
  divideAll(plane, count, boxWidth * boxHeight);
}

namespace {

// The signed differences of the frames' w × h area whose top-left pixel is (x, row) into
// the first w × h values of each plane, box-averaged 7 × 7.
void smoothDifferences(const FramePair& frames, int x, int row, int w, int h, Planes& planes,
                       std::vector<std::int32_t>& work) {
  for (int i = 0; i < h; ++i) {
    const std::size_t at = (static_cast<std::size_t>(row + i) * frames.width + x) * pixelBytes;
    const std::uint8_t* cur = frames.current + at;
    const std::uint8_t* prev = frames.previous + at;
    for (int j = 0; j < w; ++j)
      for (int channel = 0; channel < 3; ++channel)
        planes[channel][static_cast<std::size_t>(i) * w + j] =
            cur[pixelBytes * j + channel] - prev[pixelBytes * j + channel];
  }
  for (auto& plane : planes) boxMean(plane.data(), work.data(), w, h, smoothing, smoothing);
}

// What one pixel pushes with: the mean of its channels' smoothed differences.
std::uint8_t strengthAt(const Planes& planes, std::size_t p) {
  const int sum = std::abs(planes[0][p]) + std::abs(planes[1][p]) + std::abs(planes[2][p]);
  return static_cast<std::uint8_t>(sum / 3);
}

}  // namespace

void senseMotion(const Ball& ball, const Court& court, const FramePair& frames,
                 const Rect& region, ContactMask& contact) {
  const int r = ball.radius;
  const Rect& frameRect = court.frameRect;
  const Rect box = ballBox(ball.x, ball.y, r);
  const Rect area = intersectRect(intersectRect(region, frameRect), box);
  const int w = area.width();
  const int h = area.height();
  if (w < smallestRegion || h < smallestRegion) return;

  const std::size_t pixels = static_cast<std::size_t>(w) * h;
  auto& planes = contact.planes;
  const bool ready = frameRect.width() == frames.width && frameRect.height() == frames.height &&
                     frames.current != nullptr && frames.previous != nullptr &&
                     contact.work.size() >= pixels && planes[0].size() >= pixels &&
                     planes[1].size() >= pixels && planes[2].size() >= pixels &&
                     contact.fits(r);
  assert(ready);
  if (!ready) return;

  smoothDifferences(frames, area.left - frameRect.left, area.top - frameRect.top, w, h, planes,
                    contact.work);

  const int side = 2 * r;
  for (int i = 0; i < h; ++i) {
    const int maskRow = area.top + i - box.top;
    std::uint8_t* mask = contact.mask.data() + static_cast<std::size_t>(maskRow) * side +
                         (area.left - box.left);
    const std::size_t planeRow = static_cast<std::size_t>(i) * w;
    for (int j = 0; j < w; ++j) mask[j] = strengthAt(planes, planeRow + j);
  }
}

void MotionMap::resize(int pictureWidth, int pictureHeight) {
  frameWidth = std::max(0, pictureWidth);
  frameHeight = std::max(0, pictureHeight);
  width = (frameWidth + cellSize - 1) / cellSize;
  height = (frameHeight + cellSize - 1) / cellSize;
  columnSums.assign(static_cast<std::size_t>(frameWidth) * pixelBytes, 0);
  strength.assign(static_cast<std::size_t>(width) * height, 0);
}

namespace {

// Sums of the frames' differences down the 7 rows around `middleRow`, per byte of the row:
// a plain loop over contiguous bytes that the compiler turns into vector code.
void sumColumns(const FramePair& frames, int middleRow, std::int16_t* sums) {
  const std::size_t rowBytes = static_cast<std::size_t>(frames.width) * pixelBytes;
  std::fill(sums, sums + rowBytes, 0);
  for (int row = middleRow - smoothing / 2; row <= middleRow + smoothing / 2; ++row) {
    const std::uint8_t* cur = frames.current + static_cast<std::size_t>(row) * rowBytes;
    const std::uint8_t* prev = frames.previous + static_cast<std::size_t>(row) * rowBytes;
    for (std::size_t b = 0; b < rowBytes; ++b)
      sums[b] = static_cast<std::int16_t>(sums[b] + cur[b] - prev[b]);
  }
}

// The strength at pixel x of the row whose column sums are given: the box means of the three
// channels, truncated toward zero as the contact mask's are, then their mean.
std::uint8_t strengthFromColumns(const std::int16_t* sums, int x) {
  int total = 0;
  for (int channel = 0; channel < 3; ++channel) {
    int sum = 0;
    for (int dx = -smoothing / 2; dx <= smoothing / 2; ++dx)
      sum += sums[(x + dx) * pixelBytes + channel];
    total += std::abs(sum / (smoothing * smoothing));
  }
  return static_cast<std::uint8_t>(total / 3);
}

}  // namespace

// Pixels closer than 3 to the picture's edge have no whole box; they show 0, as the contact
// mask does.
void senseMotionMap(const FramePair& frames, MotionMap& map) {
  if (frames.width != map.frameWidth || frames.height != map.frameHeight ||
      map.strength.empty() || frames.current == nullptr || frames.previous == nullptr)
    return;
  const int reach = smoothing / 2;
  const int middle = MotionMap::cellSize / 2;
  for (int j = 0; j < map.height; ++j) {
    std::uint8_t* out = map.strength.data() + static_cast<std::size_t>(j) * map.width;
    const int y = j * MotionMap::cellSize + middle;
    if (y < reach || y + reach >= frames.height) {
      std::fill(out, out + map.width, 0);
      continue;
    }
    sumColumns(frames, y, map.columnSums.data());
    for (int i = 0; i < map.width; ++i) {
      const int x = i * MotionMap::cellSize + middle;
      out[i] = x < reach || x + reach >= frames.width ? 0
                                                      : strengthFromColumns(map.columnSums.data(), x);
    }
  }
}
