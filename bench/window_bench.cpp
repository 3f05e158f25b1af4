// Time from a present on a capture thread to the end of the window's paint of that rectangle,
// against a baseline of the same paint done directly on the window thread.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPaintEvent>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <thread>
#include <vector>

#include "app/GameWindow.h"
#include "platform/DrawLock.h"

namespace {

using Clock = std::chrono::steady_clock;

class TimedDialog final : public GameWindow {
 public:
  using GameWindow::GameWindow;
  Clock::time_point paintedAt;
  bool painted = false;

 protected:
  void paintEvent(QPaintEvent* event) override {
    GameWindow::paintEvent(event);
    paintedAt = Clock::now();
    painted = true;
  }
};

struct Window {
  Window() : dialog(catalog, folder.filePath("Swishcam.prm").toStdString()) {
    dialog.surface().create(800, 600);
    dialog.resize(800, 600);
    dialog.show();
    QCoreApplication::processEvents();
  }
  QTemporaryDir folder;
  SourceCatalog catalog;
  TimedDialog dialog;
};

Window* window = nullptr;
double queuedMedianMs = 0;
double directMedianMs = 0;

double median(std::vector<double> samples) {
  if (samples.empty()) return 0;
  std::nth_element(samples.begin(), samples.begin() + samples.size() / 2, samples.end());
  return samples[samples.size() / 2];
}

double ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

// A frame's camera picture with the ball over it: the rectangle composeFrame presents.
const Rect frameArea{80, 60, 720, 600};

void BM_PresentOnCaptureThreadToPaint(benchmark::State& state) {
  TimedDialog& dialog = window->dialog;
  std::vector<double> samples;
  for (auto _ : state) {
    dialog.painted = false;
    Clock::time_point presentedAt;
    std::thread capture([&] {
      DrawLockGuard guard;
      presentedAt = Clock::now();
      dialog.surface().present(frameArea);
    });
    while (!dialog.painted) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    capture.join();
    const double latency = ms(dialog.paintedAt - presentedAt);
    samples.push_back(latency);
    state.SetIterationTime(latency / 1000.0);
  }
  queuedMedianMs = median(samples);
  state.counters["median_ms"] = queuedMedianMs;
}

void BM_DirectRepaintBaseline(benchmark::State& state) {
  TimedDialog& dialog = window->dialog;
  const QRect area(frameArea.left, frameArea.top, frameArea.width(), frameArea.height());
  std::vector<double> samples;
  for (auto _ : state) {
    const Clock::time_point start = Clock::now();
    dialog.repaint(area);
    const double took = ms(dialog.paintedAt - start);
    samples.push_back(took);
    state.SetIterationTime(took / 1000.0);
  }
  directMedianMs = median(samples);
  state.counters["median_ms"] = directMedianMs;
}

BENCHMARK(BM_PresentOnCaptureThreadToPaint)->UseManualTime()->Iterations(300);
BENCHMARK(BM_DirectRepaintBaseline)->UseManualTime()->Iterations(300);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  Window shown;
  window = &shown;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  if (directMedianMs > 0)
    std::printf("present-to-paint median %.3f ms (aim: under 5 ms); direct repaint median %.3f ms; "
                "ratio %.2f\n",
                queuedMedianMs, directMedianMs, queuedMedianMs / directMedianMs);
  return 0;
}
