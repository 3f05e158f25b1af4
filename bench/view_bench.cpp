// What full screen and the F2/F3 views cost per frame: the field scaled onto a 1080p and a
// 4K screen (the whole field, and the camera picture a frame repaints) beside the 1:1 paint
// of the same field; the motion map and its heat image; and the time from a sound event in
// the frame step to the call that starts it.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <chrono>
#include <cstdio>
#include <random>
#include <thread>

#include "app/FieldOverlays.h"
#include "capture/FrameImage.h"
#include "app/GameWindow.h"
#include "physics/MotionSense.h"
#include "platform/DrawLock.h"

namespace {

const QSize field(1068, 600);          // the field of a 640 × 480 camera
const QRect picture(214, 120, 640, 480);  // its camera picture

QImage noiseImage(QSize size) {
  QImage image(size, QImage::Format_RGB32);
  std::mt19937 random(3);
  for (int y = 0; y < size.height(); ++y) {
    auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < size.width(); ++x) row[x] = random() | 0xFF000000u;
  }
  return image;
}

// Paints `area` of the field onto a screen-sized image as the window does: 1:1 at the
// origin, or scaled into the largest rectangle with the field's aspect, smoothly filtered.
void paint(benchmark::State& state, QSize screen, bool scaled, QRect area) {
  const QImage source = noiseImage(field);
  QImage target(screen, QImage::Format_RGB32);
  const QSize fitted = scaled ? field.scaled(screen, Qt::KeepAspectRatio) : field;
  const QRectF place((screen.width() - fitted.width()) / 2.0 * scaled,
                     (screen.height() - fitted.height()) / 2.0 * scaled, fitted.width(),
                     fitted.height());
  const double s = place.width() / field.width();
  for (auto _ : state) {
    QPainter painter(&target);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, scaled);
    painter.drawImage(QRectF(place.x() + area.x() * s, place.y() + area.y() * s,
                             area.width() * s, area.height() * s),
                      source, QRectF(area));
  }
  state.counters["Mpx_painted"] = area.width() * s * area.height() * s / 1e6;
}

void BM_Paint1to1WholeField(benchmark::State& state) { paint(state, field, false, {{0, 0}, field}); }
void BM_ScaledWholeField1080p(benchmark::State& state) { paint(state, {1920, 1080}, true, {{0, 0}, field}); }
void BM_ScaledWholeField4K(benchmark::State& state) { paint(state, {3840, 2160}, true, {{0, 0}, field}); }
void BM_ScaledPicture1080p(benchmark::State& state) { paint(state, {1920, 1080}, true, picture); }
void BM_ScaledPicture4K(benchmark::State& state) { paint(state, {3840, 2160}, true, picture); }

// The F3 view: the motion map of a 640 × 480 frame pair and its heat image.
void BM_MotionView640x480(benchmark::State& state) {
  std::vector<std::uint8_t> a(frameBytes(640, 480)), b(a.size());
  std::mt19937 random(5);
  for (std::size_t i = 0; i < a.size(); ++i) {
    a[i] = static_cast<std::uint8_t>(random());
    b[i] = static_cast<std::uint8_t>(random());
  }
  MotionMap map;
  map.resize(640, 480);
  QImage heat;
  for (auto _ : state) {
    senseMotionMap({a.data(), b.data(), 640, 480}, map);
    paintMotionHeat(map.strength, map.width, map.height, heat);
  }
}

class NoteOutput final : public SoundOutput {
 public:
  void play(Sound, float) override { played = true; }
  bool played = false;
};

// A sound recorded on a capture thread, carried by the frame's present to the window thread,
// which calls the audio output: the delay the player hears beyond the audio device's own.
void BM_SoundEventToPlay(benchmark::State& state) {
  QTemporaryDir folder;
  SourceCatalog none;
  GameWindow window(none, folder.filePath("Swishcam.prm").toStdString(), nullptr,
                    folder.filePath("swishcam.ini"));
  NoteOutput output;
  window.setSoundOutput(&output);
  window.surface().create(field.width(), field.height());
  for (auto _ : state) {
    output.played = false;
    std::thread capture([&] {
      window.engine().sounds.push({Sound::Bounce, 1.0f, std::chrono::steady_clock::now()});
      DrawLockGuard guard;
      window.surface().present({0, 0, 64, 64});
    });
    while (!output.played) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    capture.join();
  }
  const SoundDelays& d = window.soundDelays();
  state.counters["mean_ms"] =
      std::chrono::duration<double, std::milli>(d.total).count() / std::max(1L, d.played);
  state.counters["longest_ms"] = std::chrono::duration<double, std::milli>(d.longest).count();
}

BENCHMARK(BM_Paint1to1WholeField)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScaledWholeField1080p)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScaledWholeField4K)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScaledPicture1080p)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScaledPicture4K)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MotionView640x480)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SoundEventToPlay)->Unit(benchmark::kMillisecond)->Iterations(200);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
