// The PipeWire cameras against a private PipeWire session with a virtual camera.
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <condition_variable>
#include <cstring>
#include <filesystem>
#include <mutex>

#include "app/Options.h"
#include "app/Runners.h"
#include "capture/FrameImage.h"
#include "capture/pipewire/PipeWireProvider.h"
#include "capture/pipewire/PrivateSession.h"

namespace {

// Counts frames and lost streams; the test waits on it, never sleeps.
class Watcher final : public FrameSink {
 public:
  void onFrame(double, const std::uint8_t*, std::size_t size) override {
    note([&] { ++frames, afterStop += stopped, sizes.push_back(size); });
  }
  void lose() { note([&] { ++lost; }); }
  void markStopped() { note([&] { stopped = true; }); }
  template <typename Done>
  bool waitFor(Done done) {
    std::unique_lock guard(mutex);
    return changed.wait_for(guard, PrivateSession::deadline, done);
  }
  // Waits for `count` frames more than have arrived so far.
  bool waitForMore(int count) {
    std::unique_lock guard(mutex);
    const int target = frames + count;
    return changed.wait_for(guard, PrivateSession::deadline, [&] { return frames >= target; });
  }

  std::mutex mutex;
  int frames = 0, lost = 0, afterStop = 0;
  bool stopped = false;
  std::vector<std::size_t> sizes;

 private:
  template <typename Change>
  void note(Change change) {
    std::lock_guard guard(mutex);
    change();
    changed.notify_all();
  }
  std::condition_variable changed;
};

class SessionCamera : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string why;
    if (session.start(why)) return;
    if (sessionRequired()) FAIL() << "no private PipeWire session: " << why;
    GTEST_SKIP() << "no private PipeWire session: " << why;
  }

  // The camera's index in the provider's listing.
  std::size_t listCamera() {
    const std::vector<std::string> names = provider.deviceNames();
    const auto found = std::find(names.begin(), names.end(), PrivateSession::cameraName);
    EXPECT_NE(found, names.end());
    return static_cast<std::size_t>(found - names.begin());
  }
  std::unique_ptr<FrameSource> open() {
    CaptureError error = CaptureError::None;
    std::unique_ptr<FrameSource> camera = provider.open(listCamera(), error);
    EXPECT_TRUE(camera) << static_cast<int>(error);
    return camera;
  }
  // Opened, started, and `frames` frames in; null when it did not open.
  std::unique_ptr<FrameSource> streaming(int frames = 3) {
    std::unique_ptr<FrameSource> camera = open();
    if (camera == nullptr) return nullptr;
    EXPECT_EQ(camera->start(watcher), CaptureError::None);
    EXPECT_TRUE(watcher.waitForMore(frames));
    return camera;
  }

  PrivateSession session;
  Watcher watcher;
  PipeWireProvider provider{[this] { watcher.lose(); }, [] { return std::vector<std::string>{}; },
                            std::chrono::seconds(5)};
};

// Listed once by its name; opened in its format, with no picture controls (a GStreamer
// stream exposes none), its frames flow until stop.
TEST_F(SessionCamera, ListsTheCameraAndItsFramesArriveInTheChosenFormatAndStopAtStop) {
  const std::vector<std::string> names = provider.deviceNames();
  EXPECT_EQ(provider.lastAnswer(), PipeWireSession::State::Connected);
  EXPECT_EQ(std::count(names.begin(), names.end(), PrivateSession::cameraName), 1);
  std::unique_ptr<FrameSource> camera = open();
  ASSERT_TRUE(camera);
  EXPECT_TRUE(camera->settings()->controls().empty());
  const CameraMode mode = camera->settings()->mode();
  EXPECT_EQ(std::tuple(camera->format().width, camera->format().height, mode.pixelFormat),
            std::tuple(640, 480, fourcc('Y', 'U', 'Y', 'V')));
  EXPECT_DOUBLE_EQ(mode.framesPerSecond(), 30.0);
  ASSERT_EQ(camera->start(watcher), CaptureError::None);
  EXPECT_TRUE(watcher.waitForMore(10));
  camera->stop();
  watcher.markStopped();
  // A second start on the same source works too: the loop's thread was joined, not lost.
  ASSERT_EQ(camera->start(watcher), CaptureError::None);
  EXPECT_TRUE(watcher.waitFor([this] { return watcher.afterStop >= 3; }));
  camera->stop();
  std::lock_guard guard(watcher.mutex);
  for (std::size_t size : watcher.sizes) EXPECT_EQ(size, frameBytes(640, 480));
  EXPECT_EQ(watcher.lost, 0);
  EXPECT_FALSE(camera->streamLost());
}

TEST_F(SessionCamera, NoFrameReachesTheSinkAfterStopReturns) {
  std::unique_ptr<FrameSource> camera = streaming();
  ASSERT_TRUE(camera);
  camera->stop();
  watcher.markStopped();
  camera.reset();  // tears the session down: anything still queued would arrive now
  std::lock_guard guard(watcher.mutex);
  EXPECT_EQ(watcher.afterStop, 0);
}

TEST_F(SessionCamera, AStoppedPipelineIsReportedLostOnce) {
  std::unique_ptr<FrameSource> camera = streaming();
  ASSERT_TRUE(camera);
  session.stopCamera();
  EXPECT_TRUE(watcher.waitFor([this] { return watcher.lost >= 1; }));
  EXPECT_TRUE(camera->streamLost());
  camera->stop();
  std::lock_guard guard(watcher.mutex);
  EXPECT_EQ(watcher.lost, 1);
}

TEST_F(SessionCamera, AnotherCameraGoingAwayIsNotThisOne) {
  std::string why;
  ASSERT_TRUE(session.startCamera("Other Camera", why)) << why;
  std::unique_ptr<FrameSource> camera = streaming();
  ASSERT_TRUE(camera);
  session.stopCamera("Other Camera");
  // Frames go on after the other node's removal has reached this client.
  EXPECT_TRUE(watcher.waitForMore(10));
  EXPECT_FALSE(camera->streamLost());
  camera->stop();
  std::lock_guard guard(watcher.mutex);
  EXPECT_EQ(watcher.lost, 0);
}

TEST_F(SessionCamera, ASecondOpenGetsTheRememberedMode) {
  CameraMode chosen;
  {
    std::unique_ptr<FrameSource> first = open();
    ASSERT_TRUE(first);
    const std::vector<CameraMode> offered = first->settings()->modes();
    ASSERT_FALSE(offered.empty());
    chosen = offered.back();
    ASSERT_EQ(first->settings()->setMode(chosen), CaptureError::None);
    ASSERT_EQ(first->start(watcher), CaptureError::None);
    EXPECT_TRUE(watcher.waitForMore(3));
    first->stop();
  }
  // The camera streams to its second client as it did to its first.
  std::unique_ptr<FrameSource> second = streaming();
  ASSERT_TRUE(second);
  EXPECT_TRUE(second->settings()->mode().sameAs(chosen));
  second->stop();
}

// The headless runner on the camera of that name: its status, standard output and error.
struct HeadlessRun { int status; std::string out, err; };
HeadlessRun runHeadlessOn(const std::string& camera, const PrivateSession& session,
                          const std::string& frames = "20") {
  std::string error;
  const std::optional<Options> options = parseOptions({"--headless", "--camera", camera, "--frames",
      frames, "--settings", session.directory() + "/Swishcam.prm"}, error);
  EXPECT_TRUE(options) << error;
  testing::internal::CaptureStdout();
  testing::internal::CaptureStderr();
  const int status = options ? runHeadless(*options) : -1;
  std::string out = testing::internal::GetCapturedStdout();
  return {status, out, testing::internal::GetCapturedStderr()};
}

// The usual summary after exactly the frames asked.
TEST_F(SessionCamera, TheHeadlessRunnerPlaysOnTheCameraByName) {
  const HeadlessRun run = runHeadlessOn(PrivateSession::cameraName, session);
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out.rfind("{\"frames\":20,", 0), 0u) << run.out;
  EXPECT_NE(run.out.find("\"frame\":[640,480]"), std::string::npos) << run.out;
}

// At most one picture, then nothing for 1000 s: the run gives up instead of waiting out the
// count.
TEST_F(SessionCamera, ACameraThatFallsSilentEndsAHeadlessRunOfFrames) {
  std::string why;
  ASSERT_TRUE(session.startCamera("Silent Camera", why, "1/1000")) << why;
  const HeadlessRun run = runHeadlessOn("Silent Camera", session, "5");
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("the camera sent no picture for 10 s; stopped after "), std::string::npos)
      << run.err;
  EXPECT_NE(run.err.find(" of 5 frames"), std::string::npos) << run.err;
}

TEST_F(SessionCamera, AnUnknownNameEndsTheHeadlessRunWithTheCamerasFound) {
  const HeadlessRun run = runHeadlessOn("Nobody", session);
  EXPECT_EQ(run.status, 2);
  EXPECT_NE(run.err.find("no camera is named 'Nobody'"), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("'Test Camera'"), std::string::npos) << run.err;
}

// An empty runtime directory the process points at while the object lives: no PipeWire
// daemon answers there unless the test puts something in its place.
struct EmptyRuntimeDir {
  EmptyRuntimeDir() {
    char pattern[] = "/tmp/swishcam-nopipewire-XXXXXX";
    if (mkdtemp(pattern) != nullptr) path = pattern;
    const char* before = std::getenv("XDG_RUNTIME_DIR");
    saved = before != nullptr ? before : "";
    setenv("XDG_RUNTIME_DIR", path.c_str(), 1);
    unsetenv("PIPEWIRE_REMOTE");
  }
  ~EmptyRuntimeDir() {
    saved.empty() ? unsetenv("XDG_RUNTIME_DIR") : setenv("XDG_RUNTIME_DIR", saved.c_str(), 1);
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
  }
  std::string path, saved;
};

// Lists through `provider` and expects nothing listed and nothing said on stderr meanwhile.
void expectNothingListedQuietly(PipeWireProvider& provider) {
  testing::internal::CaptureStderr();
  EXPECT_TRUE(provider.deviceNames().empty());
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

// No daemon: nothing listed, nothing said, no wait at all.
TEST(NoPipeWire, AnAbsentDaemonIsSilentAndQuick) {
  EmptyRuntimeDir runtime;
  ASSERT_FALSE(runtime.path.empty());
  // A bound this long would show in the run time if it were waited out.
  PipeWireProvider provider({}, {}, std::chrono::hours(1));
  expectNothingListedQuietly(provider);
  EXPECT_EQ(provider.lastAnswer(), PipeWireSession::State::NoDaemon);
}

// A daemon that takes the connection but never answers: the listing gives up at its bound.
TEST(NoPipeWire, ASilentDaemonIsWaitedForOnlyUpToTheBound) {
  EmptyRuntimeDir runtime;
  ASSERT_FALSE(runtime.path.empty());
  const int mute = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  const std::string socketPath = runtime.path + "/pipewire-0";
  std::strncpy(address.sun_path, socketPath.c_str(), sizeof address.sun_path - 1);
  ASSERT_EQ(bind(mute, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  ASSERT_EQ(listen(mute, 4), 0);  // connections queue up, nobody accepts them
  PipeWireProvider provider({}, {}, std::chrono::milliseconds(50));
  expectNothingListedQuietly(provider);
  EXPECT_EQ(provider.lastAnswer(), PipeWireSession::State::TimedOut);
  close(mute);
}

}  // namespace
