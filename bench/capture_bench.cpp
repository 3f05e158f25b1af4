// Cost of turning one camera buffer into the engine's frame (FrameImage: BGR, bottom row
// first, packed rows), for YUYV and MJPEG at 640 × 480 and 1280 × 720. The baseline, run in
// the same process, is one plain copy of a frame of the same size: the least any converter
// must spend writing the frame. The budgets are libv4l2's cost on a machine of this kind.
#include <benchmark/benchmark.h>
#include <turbojpeg.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "capture/CameraSettings.h"
#include "capture/FrameImage.h"
#include "capture/decode/FrameConverter.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

// A camera-like picture: smooth gradients with fine texture, so JPEG has real work to do.
Bytes texturedRgb(int width, int height) {
  Bytes rgb(static_cast<std::size_t>(width) * height * 3);
  std::uint32_t noise = 12345;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      noise = noise * 1664525u + 1013904223u;
      std::uint8_t* p = &rgb[(static_cast<std::size_t>(y) * width + x) * 3];
      p[0] = static_cast<std::uint8_t>(x * 255 / width + (noise >> 29));
      p[1] = static_cast<std::uint8_t>(y * 255 / height + (noise >> 28 & 7));
      p[2] = static_cast<std::uint8_t>((x + y) & 0xFF);
    }
  return rgb;
}

Bytes yuyvPicture(int width, int height) {
  Bytes picture(static_cast<std::size_t>(width) * height * 2);
  for (std::size_t i = 0; i < picture.size(); ++i)
    picture[i] = static_cast<std::uint8_t>(i % 4 == 1 || i % 4 == 3 ? 96 + i % 64 : 16 + i % 219);
  return picture;
}

// MJPEG as USB cameras send it: 4:2:2, quality 80.
Bytes mjpegPicture(int width, int height) {
  const Bytes rgb = texturedRgb(width, height);
  tjhandle encoder = tjInitCompress();
  unsigned char* jpeg = nullptr;
  unsigned long size = 0;
  tjCompress2(encoder, rgb.data(), width, width * 3, height, TJPF_RGB, &jpeg, &size,
              TJSAMP_422, 80, 0);
  Bytes result(jpeg, jpeg + size);
  tjFree(jpeg);
  tjDestroy(encoder);
  return result;
}

void convertLoop(benchmark::State& state, std::uint32_t format, const Bytes& picture, int width,
                 int height, int stride) {
  FrameConverter converter;
  converter.configure(format, width, height, stride);
  for (auto _ : state) {
    if (!converter.convert(picture.data(), picture.size())) state.SkipWithError("refused");
    benchmark::DoNotOptimize(converter.frame().data());
    benchmark::ClobberMemory();
  }
}

void BM_Yuyv(benchmark::State& state) {
  const int width = static_cast<int>(state.range(0));
  const int height = static_cast<int>(state.range(1));
  convertLoop(state, fourcc('Y', 'U', 'Y', 'V'), yuyvPicture(width, height), width, height,
              width * 2);
}

void BM_Mjpeg(benchmark::State& state) {
  const int width = static_cast<int>(state.range(0));
  const int height = static_cast<int>(state.range(1));
  convertLoop(state, fourcc('M', 'J', 'P', 'G'), mjpegPicture(width, height), width, height, 0);
}

void BM_FrameCopy(benchmark::State& state) {
  const std::size_t bytes = frameBytes(static_cast<int>(state.range(0)),
                                       static_cast<int>(state.range(1)));
  Bytes source(bytes, 7);
  Bytes frame(bytes);
  for (auto _ : state) {
    std::memcpy(frame.data(), source.data(), bytes);
    benchmark::DoNotOptimize(frame.data());
    benchmark::ClobberMemory();
  }
}

BENCHMARK(BM_FrameCopy)->Args({640, 480})->Args({1280, 720})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Yuyv)->Args({640, 480})->Args({1280, 720})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Mjpeg)->Args({640, 480})->Args({1280, 720})->Unit(benchmark::kMillisecond);

// Console output as usual, plus each run's CPU time kept for the ratios. CPU time, since
// the build machine is shared and wall time there measures the other tenants.
class RatioReporter final : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs)
      if (!run.error_occurred) milliseconds[run.benchmark_name()] = run.GetAdjustedCPUTime();
  }
  std::map<std::string, double> milliseconds;
};

void printRatios(const std::map<std::string, double>& ms) {
  struct Row {
    const char* name;
    const char* size;
    double budget;  // ms, libv4l2 at 1280 × 720; 0 where none is given
  };
  const Row rows[] = {{"BM_Yuyv", "640/480", 0}, {"BM_Yuyv", "1280/720", 1.8},
                      {"BM_Mjpeg", "640/480", 0}, {"BM_Mjpeg", "1280/720", 1.5}};
  std::printf("\n%-22s %9s %12s %12s\n", "conversion", "CPU ms", "x frame copy", "of budget");
  for (const Row& row : rows) {
    const std::string key = std::string(row.name) + "/" + row.size;
    const auto found = ms.find(key);
    const auto copy = ms.find(std::string("BM_FrameCopy/") + row.size);
    if (found == ms.end() || copy == ms.end()) continue;
    std::printf("%-22s %9.3f %12.1f", key.c_str(), found->second, found->second / copy->second);
    if (row.budget > 0) std::printf(" %11.0f%%", 100.0 * found->second / row.budget);
    std::printf("\n");
  }
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  printRatios(reporter.milliseconds);
  benchmark::Shutdown();
  return 0;
}
