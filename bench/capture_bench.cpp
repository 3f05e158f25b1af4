// Cost of turning one camera buffer into the engine's frame, for every camera format at
// 640 × 480, 1280 × 720 and 1920 × 1080, beside two baselines run in the same process: libyuv's
// bare call for the same picture into a 32-bit frame (what a converter built on it cannot
// beat) and a plain copy of the converter's output (the least any converter spends writing
// the frame). MJPEG is also decoded both ways a converter could: by libturbojpeg straight to
// 32-bit pixels, and to planar YUV followed by libyuv. Last, the replay of a 1080p 4:2:0 Y4M
// file, CPU per frame, beside reading its planes and libyuv's I420ToARGB; and the frame's
// mirror beside libyuv's and a copy.
#include <benchmark/benchmark.h>
#include <libyuv.h>
#include <turbojpeg.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "capture/CameraSettings.h"
#include "capture/FrameImage.h"
#include "capture/PictureGeometry.h"
#include "capture/ReplaySource.h"
#include "capture/decode/FrameConverter.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

struct Size {
  int width;
  int height;
};
constexpr Size sizes[] = {{640, 480}, {1280, 720}, {1920, 1080}};

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

// Bytes of legal video levels for the uncompressed formats; their content does not change
// the converters' speed.
Bytes patternBytes(std::size_t size) {
  Bytes picture(size);
  for (std::size_t i = 0; i < size; ++i) picture[i] = static_cast<std::uint8_t>(16 + i * 7 % 219);
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

// libyuv's own call for one picture of a format into a 32-bit frame.
using BareCall = std::function<void(const std::uint8_t* picture, int width, int height,
                                    int stride, std::uint8_t* frame)>;

// One camera format: its code, its rows' bytes, its pictures' bytes and libyuv's call.
struct Format {
  const char* name;
  std::uint32_t code;
  int bytesPerPixel;   // of the first plane's row; 0 for MJPEG
  bool halfChroma;     // a 4:2:0 chroma plane (or two) follows the first
  BareCall bare;
};

std::size_t pictureSize(const Format& format, int width, int height) {
  const std::size_t luma = static_cast<std::size_t>(width) * format.bytesPerPixel * height;
  return format.halfChroma ? luma + luma / 2 : luma;
}

const Format formats[] = {
    {"YUYV", fourcc('Y', 'U', 'Y', 'V'), 2, false,
     [](const std::uint8_t* p, int w, int h, int s, std::uint8_t* f) {
       libyuv::YUY2ToARGB(p, s, f, w * 4, w, h);
     }},
    {"UYVY", fourcc('U', 'Y', 'V', 'Y'), 2, false,
     [](const std::uint8_t* p, int w, int h, int s, std::uint8_t* f) {
       libyuv::UYVYToARGB(p, s, f, w * 4, w, h);
     }},
    {"NV12", fourcc('N', 'V', '1', '2'), 1, true,
     [](const std::uint8_t* p, int w, int h, int s, std::uint8_t* f) {
       libyuv::NV12ToARGB(p, s, p + s * h, s, f, w * 4, w, h);
     }},
    {"YU12", fourcc('Y', 'U', '1', '2'), 1, true,
     [](const std::uint8_t* p, int w, int h, int s, std::uint8_t* f) {
       const std::uint8_t* u = p + s * h;
       libyuv::I420ToARGB(p, s, u, s / 2, u + s / 2 * (h / 2), s / 2, f, w * 4, w, h);
     }},
    {"GREY", fourcc('G', 'R', 'E', 'Y'), 1, false,
     [](const std::uint8_t* p, int w, int h, int s, std::uint8_t* f) {
       libyuv::J400ToARGB(p, s, f, w * 4, w, h);
     }},
    {"RGB3", fourcc('R', 'G', 'B', '3'), 3, false,
     [](const std::uint8_t* p, int w, int h, int s, std::uint8_t* f) {
       libyuv::RAWToARGB(p, s, f, w * 4, w, h);
     }},
    {"BGR3", fourcc('B', 'G', 'R', '3'), 3, false,
     [](const std::uint8_t* p, int w, int h, int s, std::uint8_t* f) {
       libyuv::RGB24ToARGB(p, s, f, w * 4, w, h);
     }},
    {"XR24", fourcc('X', 'R', '2', '4'), 4, false,
     [](const std::uint8_t* p, int w, int h, int s, std::uint8_t* f) {
       libyuv::ARGBCopy(p, s, f, w * 4, w, h);
     }},
    {"XB24", fourcc('X', 'B', '2', '4'), 4, false,
     [](const std::uint8_t* p, int w, int h, int s, std::uint8_t* f) {
       libyuv::ABGRToARGB(p, s, f, w * 4, w, h);
     }},
};

// The converter set up as a camera negotiation leaves it; false for a format it refuses.
bool configure(FrameConverter& converter, std::uint32_t code, int width, int height,
               int stride) {
  PictureGeometry geometry;
  const PictureReport report{code, std::uint64_t(width), std::uint64_t(height), std::uint64_t(stride)};
  if (!checkPicture(report, geometry)) return false;
  converter.configure(geometry);
  return true;
}

void convertLoop(benchmark::State& state, std::uint32_t code, const Bytes& picture, int width,
                 int height, int stride) {
  FrameConverter converter;
  if (!configure(converter, code, width, height, stride)) state.SkipWithError("refused");
  for (auto _ : state) {
    if (!converter.convert(picture.data(), picture.size())) {
      state.SkipWithError("refused");
      break;
    }
    benchmark::DoNotOptimize(converter.frame().data());
    benchmark::ClobberMemory();
  }
}

void bareLoop(benchmark::State& state, const BareCall& call, const Bytes& picture, int width,
              int height, int stride) {
  Bytes frame(static_cast<std::size_t>(width) * height * 4);
  for (auto _ : state) {
    call(picture.data(), width, height, stride, frame.data());
    benchmark::DoNotOptimize(frame.data());
    benchmark::ClobberMemory();
  }
}

void frameCopy(benchmark::State& state, Size size) {
  const std::size_t bytes = frameBytes(size.width, size.height);
  Bytes source(bytes, 7);
  Bytes frame(bytes);
  for (auto _ : state) {
    std::memcpy(frame.data(), source.data(), bytes);
    benchmark::DoNotOptimize(frame.data());
    benchmark::ClobberMemory();
  }
}

// The frame step's mirror from two camera buffers in turn, as a camera delivers them, by
// ours (rows read forwards) or by libyuv's ARGBMirror (rows read backwards).
void mirrorLoop(benchmark::State& state, Size size, bool byLibyuv) {
  const std::size_t bytes = frameBytes(size.width, size.height);
  Bytes sources[2] = {Bytes(bytes, 7), Bytes(bytes, 9)};
  Bytes frame(bytes);
  const int rowBytes = size.width * framePixelBytes;
  long n = 0;
  for (auto _ : state) {
    const std::uint8_t* source = sources[n++ & 1].data();
    if (byLibyuv)
      libyuv::ARGBMirror(source, rowBytes, frame.data(), rowBytes, size.width, size.height);
    else
      mirrorFrame(source, frame.data(), size.width, size.height);
    benchmark::DoNotOptimize(frame.data());
    benchmark::ClobberMemory();
  }
}

// MJPEG decoded by libturbojpeg straight into 32-bit pixels, top row first.
void mjpegDirect(benchmark::State& state, const Bytes& jpeg, Size size) {
  tjhandle decoder = tjInitDecompress();
  Bytes frame(static_cast<std::size_t>(size.width) * size.height * 4);
  for (auto _ : state) {
    tjDecompress2(decoder, jpeg.data(), jpeg.size(), frame.data(), size.width, size.width * 4,
                  size.height, TJPF_BGRA, TJFLAG_FASTDCT | TJFLAG_FASTUPSAMPLE);
    benchmark::DoNotOptimize(frame.data());
    benchmark::ClobberMemory();
  }
  tjDestroy(decoder);
}

// MJPEG decoded to its 4:2:2 planes, then turned into 32-bit pixels by libyuv.
void mjpegPlanar(benchmark::State& state, const Bytes& jpeg, Size size) {
  tjhandle decoder = tjInitDecompress();
  const int chromaWidth = (size.width + 1) / 2;
  Bytes luma(static_cast<std::size_t>(size.width) * size.height);
  Bytes u(static_cast<std::size_t>(chromaWidth) * size.height);
  Bytes v(u.size());
  Bytes frame(luma.size() * 4);
  unsigned char* planes[3] = {luma.data(), u.data(), v.data()};
  int strides[3] = {size.width, chromaWidth, chromaWidth};
  for (auto _ : state) {
    tjDecompressToYUVPlanes(decoder, jpeg.data(), jpeg.size(), planes, size.width, strides,
                            size.height, TJFLAG_FASTDCT);
    libyuv::J422ToARGB(luma.data(), size.width, u.data(), chromaWidth, v.data(), chromaWidth,
                       frame.data(), size.width * 4, size.width, size.height);
    benchmark::DoNotOptimize(frame.data());
    benchmark::ClobberMemory();
  }
  tjDestroy(decoder);
}

// A 1080p 4:2:0 recording of a few textured frames in a temporary file, removed at exit.
class Footage {
 public:
  static constexpr int width = 1920;
  static constexpr int height = 1080;
  static constexpr int frames = 8;
  Footage() {
    char name[] = "/tmp/swishcam-bench-XXXXXX";
    const int fd = mkstemp(name);
    path = name;
    std::FILE* file = fdopen(fd, "wb");
    std::fprintf(file, "YUV4MPEG2 W%d H%d F30:1 Ip A1:1 C420jpeg\n", width, height);
    const std::size_t planes = static_cast<std::size_t>(width) * height * 3 / 2;
    for (int f = 0; f < frames; ++f) {
      Bytes picture = patternBytes(planes + f);
      std::fputs("FRAME\n", file);
      std::fwrite(picture.data() + f, 1, planes, file);
    }
    std::fclose(file);
  }
  ~Footage() { std::remove(path.c_str()); }
  std::string path;
};

void replayFrames(benchmark::State& state, const Footage& footage) {
  ReplaySource replay;
  std::string error;
  if (!replay.open(footage.path, error)) {
    state.SkipWithError(error.c_str());
    return;
  }
  Bytes frame(frameBytes(Footage::width, Footage::height));
  for (auto _ : state) {
    if (!replay.paint(frame.data())) {
      state.SkipWithError("no frame");
      break;
    }
    benchmark::DoNotOptimize(frame.data());
    benchmark::ClobberMemory();
  }
}

// Reading one frame's planes with stdio and libyuv's I420ToARGB: what a replay cannot beat.
void replayBare(benchmark::State& state, const Footage& footage) {
  constexpr int w = Footage::width;
  constexpr int h = Footage::height;
  std::FILE* file = std::fopen(footage.path.c_str(), "rb");
  Bytes planes(static_cast<std::size_t>(w) * h * 3 / 2);
  Bytes frame(static_cast<std::size_t>(w) * h * 4);
  char header[128];
  std::fgets(header, sizeof header, file);
  const long start = std::ftell(file);
  int next = 0;
  for (auto _ : state) {
    std::fseek(file, start + next * static_cast<long>(planes.size() + 6) + 6, SEEK_SET);
    next = (next + 1) % Footage::frames;
    if (std::fread(planes.data(), 1, planes.size(), file) != planes.size()) {
      state.SkipWithError("short read");
      break;
    }
    const std::uint8_t* u = planes.data() + w * h;
    libyuv::I420ToARGB(planes.data(), w, u, w / 2, u + w * h / 4, w / 2, frame.data(), w * 4, w,
                       h);
    benchmark::DoNotOptimize(frame.data());
    benchmark::ClobberMemory();
  }
  std::fclose(file);
}

// Every run in milliseconds, briefly: the machine is shared, and the ratios need only that
// each pair of runs sees the same load.
template <typename... Args>
void add(const std::string& name, Args&&... args) {
  benchmark::RegisterBenchmark(name.c_str(), std::forward<Args>(args)...)
      ->Unit(benchmark::kMillisecond)
      ->MinTime(0.2);
}

std::string sizeName(Size size) {
  return std::to_string(size.width) + "/" + std::to_string(size.height);
}

void registerAll(const Footage& footage) {
  for (const Size size : sizes) {
    const std::string at = sizeName(size);
    add("FrameCopy/" + at, frameCopy, size);
    add("Mirror/" + at, mirrorLoop, size, false);
    add("LibyuvMirror/" + at, mirrorLoop, size, true);
    for (const Format& format : formats) {
      const int stride = size.width * format.bytesPerPixel;
      const Bytes picture = patternBytes(pictureSize(format, size.width, size.height));
      const std::string name = std::string(format.name) + "/" + at;
      add("Convert/" + name, convertLoop, format.code,
                                   picture, size.width, size.height, stride);
      add("Libyuv/" + name, bareLoop, format.bare, picture,
                                   size.width, size.height, stride);
    }
    const Bytes jpeg = mjpegPicture(size.width, size.height);
    add("Convert/MJPG/" + at, convertLoop,
                                 fourcc('M', 'J', 'P', 'G'), jpeg, size.width, size.height, 0);
    add("MjpegDirect/MJPG/" + at, mjpegDirect, jpeg, size);
    add("MjpegPlanar/MJPG/" + at, mjpegPlanar, jpeg, size);
  }
  add("Replay/Y4M420/1920/1080", replayFrames, std::cref(footage));
  add("ReplayBare/Y4M420/1920/1080", replayBare, std::cref(footage));
}

// Console output as usual, plus each run's CPU time kept for the ratios. CPU time, since
// the build machine is shared and wall time there measures the other tenants.
class RatioReporter final : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      std::string name = run.benchmark_name();
      name.erase(std::min(name.size(), name.find("/min_time")));
      if (!run.error_occurred) milliseconds[name] = run.GetAdjustedCPUTime();
    }
  }
  std::map<std::string, double> milliseconds;
};

double find(const std::map<std::string, double>& ms, const std::string& key) {
  const auto found = ms.find(key);
  return found == ms.end() ? 0.0 : found->second;
}

void printRatios(const std::map<std::string, double>& ms) {
  std::printf("\n%-20s %11s %11s %11s %10s %10s\n", "format/size", "convert ms", "libyuv ms",
              "copy ms", "x libyuv", "x copy");
  std::vector<std::string> names;
  for (const Format& format : formats) names.push_back(format.name);
  names.push_back("MJPG");
  for (const std::string& name : names)
    for (const Size size : sizes) {
      const std::string key = name + "/" + sizeName(size);
      const double convert = find(ms, "Convert/" + key);
      const double bare = name == "MJPG" ? find(ms, "MjpegDirect/" + key) : find(ms, "Libyuv/" + key);
      const double copy = find(ms, "FrameCopy/" + sizeName(size));
      if (convert == 0.0 || bare == 0.0 || copy == 0.0) {
        std::printf("%-20s %11s\n", key.c_str(), "refused");
        continue;
      }
      std::printf("%-20s %11.3f %11.3f %11.3f %10.2f %10.1f\n", key.c_str(), convert, bare, copy,
                  convert / bare, convert / copy);
    }
  std::printf("\nMJPEG, libturbojpeg to 32-bit pixels against planar YUV plus libyuv:\n");
  for (const Size size : sizes) {
    const std::string key = "MJPG/" + sizeName(size);
    const double direct = find(ms, "MjpegDirect/" + key);
    const double planar = find(ms, "MjpegPlanar/" + key);
    std::printf("%-20s direct %.3f ms, planar %.3f ms (planar / direct %.2f)\n", key.c_str(),
                direct, planar, planar / direct);
  }
  std::printf("\nmirror of the frame, ours against libyuv's ARGBMirror and a plain copy:\n");
  for (const Size size : sizes) {
    const std::string at = sizeName(size);
    const double ours = find(ms, "Mirror/" + at);
    const double libyuv = find(ms, "LibyuvMirror/" + at);
    const double copy = find(ms, "FrameCopy/" + at);
    std::printf("%-20s ours %.3f ms, libyuv %.3f ms, copy %.3f ms (x libyuv %.2f, x copy %.2f)\n",
                at.c_str(), ours, libyuv, copy, ours / libyuv, ours / copy);
  }
  const double replay = find(ms, "Replay/Y4M420/1920/1080");
  const double bare = find(ms, "ReplayBare/Y4M420/1920/1080");
  std::printf("\nreplay of 1080p 4:2:0: %.3f ms CPU per frame, read + I420ToARGB %.3f ms (x %.2f)\n",
              replay, bare, replay / bare);
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  const Footage footage;
  registerAll(footage);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  printRatios(reporter.milliseconds);
  benchmark::Shutdown();
  return 0;
}
