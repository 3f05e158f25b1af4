// The PipeWire cameras against a private PipeWire session with a virtual camera.
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>

#include <algorithm>
#include <condition_variable>
#include <mutex>

#include "app/Options.h"
#include "app/Runners.h"
#include "capture/FrameImage.h"
#include "capture/pipewire/PipeWireProvider.h"
#include "capture/pipewire/PrivateSession.h"

namespace {

constexpr std::uint32_t yuyv = fourcc('Y', 'U', 'Y', 'V');

// Counts frames and lost streams; the test waits on it, never sleeps.
class Watcher final : public FrameSink {
 public:
  void onFrame(double, const std::uint8_t*, std::size_t size) override {
    std::lock_guard<std::mutex> guard(mutex);
    ++frames;
    sizes.push_back(size);
    if (stopped) ++afterStop;
    changed.notify_all();
  }
  void lose() {
    std::lock_guard<std::mutex> guard(mutex);
    ++lost;
    changed.notify_all();
  }
  template <typename Done>
  bool waitFor(Done done) {
    std::unique_lock<std::mutex> guard(mutex);
    return changed.wait_for(guard, PrivateSession::deadline, done);
  }
  void markStopped() {
    std::lock_guard<std::mutex> guard(mutex);
    stopped = true;
  }

  std::mutex mutex;
  std::condition_variable changed;
  int frames = 0;
  int lost = 0;
  int afterStop = 0;
  bool stopped = false;
  std::vector<std::size_t> sizes;
};

class SessionCamera : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string why;
    if (session.start(why)) return;
    if (sessionRequired()) FAIL() << "no private PipeWire session: " << why;
    GTEST_SKIP() << "no private PipeWire session: " << why;
  }

  // The provider lists the camera; its index in the listing.
  std::size_t listCamera(PipeWireProvider& provider) {
    const std::vector<std::string> names = provider.deviceNames();
    const auto found = std::find(names.begin(), names.end(), PrivateSession::cameraName);
    EXPECT_NE(found, names.end());
    return static_cast<std::size_t>(found - names.begin());
  }

  PrivateSession session;
  Watcher watcher;
  PipeWireProvider provider{[this] { watcher.lose(); }, [] { return std::vector<std::string>{}; },
                            std::chrono::seconds(5)};
};

TEST_F(SessionCamera, ListsTheCameraByItsName) {
  const std::vector<std::string> names = provider.deviceNames();
  EXPECT_EQ(provider.lastAnswer(), PipeWireSession::State::Connected);
  EXPECT_EQ(std::count(names.begin(), names.end(), PrivateSession::cameraName), 1);
}

TEST_F(SessionCamera, FramesArriveInTheChosenFormatAndStopAtStop) {
  CaptureError error = CaptureError::None;
  std::unique_ptr<FrameSource> camera = provider.open(listCamera(provider), error);
  ASSERT_TRUE(camera) << static_cast<int>(error);
  EXPECT_EQ(camera->format().width, 640);
  EXPECT_EQ(camera->format().height, 480);
  EXPECT_EQ(camera->settings()->mode().pixelFormat, yuyv);
  EXPECT_DOUBLE_EQ(camera->settings()->mode().framesPerSecond(), 30.0);

  ASSERT_EQ(camera->start(watcher), CaptureError::None);
  EXPECT_TRUE(watcher.waitFor([this] { return watcher.frames >= 10; }));
  camera->stop();
  watcher.markStopped();
  // A second start on the same source works too: the loop's thread was joined, not lost.
  ASSERT_EQ(camera->start(watcher), CaptureError::None);
  EXPECT_TRUE(watcher.waitFor([this] { return watcher.afterStop >= 3; }));
  camera->stop();
  std::lock_guard<std::mutex> guard(watcher.mutex);
  for (std::size_t size : watcher.sizes) EXPECT_EQ(size, frameBytes(640, 480));
  EXPECT_EQ(watcher.lost, 0);
  EXPECT_FALSE(camera->streamLost());
}

TEST_F(SessionCamera, NoFrameReachesTheSinkAfterStopReturns) {
  CaptureError error = CaptureError::None;
  std::unique_ptr<FrameSource> camera = provider.open(listCamera(provider), error);
  ASSERT_TRUE(camera);
  ASSERT_EQ(camera->start(watcher), CaptureError::None);
  EXPECT_TRUE(watcher.waitFor([this] { return watcher.frames >= 3; }));
  camera->stop();
  watcher.markStopped();
  camera.reset();  // tears the session down: anything still queued would arrive now
  std::lock_guard<std::mutex> guard(watcher.mutex);
  EXPECT_EQ(watcher.afterStop, 0);
}

TEST_F(SessionCamera, AStoppedPipelineIsReportedLostOnce) {
  CaptureError error = CaptureError::None;
  std::unique_ptr<FrameSource> camera = provider.open(listCamera(provider), error);
  ASSERT_TRUE(camera);
  ASSERT_EQ(camera->start(watcher), CaptureError::None);
  EXPECT_TRUE(watcher.waitFor([this] { return watcher.frames >= 3; }));
  session.stopCamera();
  EXPECT_TRUE(watcher.waitFor([this] { return watcher.lost >= 1; }));
  EXPECT_TRUE(camera->streamLost());
  camera->stop();
  std::lock_guard<std::mutex> guard(watcher.mutex);
  EXPECT_EQ(watcher.lost, 1);
}

TEST_F(SessionCamera, AnotherCameraGoingAwayIsNotThisOne) {
  std::string why;
  ASSERT_TRUE(session.startCamera("Other Camera", why)) << why;
  CaptureError error = CaptureError::None;
  std::unique_ptr<FrameSource> camera = provider.open(listCamera(provider), error);
  ASSERT_TRUE(camera);
  ASSERT_EQ(camera->start(watcher), CaptureError::None);
  EXPECT_TRUE(watcher.waitFor([this] { return watcher.frames >= 3; }));
  session.stopCamera("Other Camera");
  const int before = watcher.frames;
  // Frames go on after the other node's removal has reached this client.
  EXPECT_TRUE(watcher.waitFor([&] { return watcher.frames >= before + 10; }));
  EXPECT_FALSE(camera->streamLost());
  camera->stop();
  std::lock_guard<std::mutex> guard(watcher.mutex);
  EXPECT_EQ(watcher.lost, 0);
}

TEST_F(SessionCamera, ASecondOpenGetsTheRememberedMode) {
  CaptureError error = CaptureError::None;
  const std::size_t index = listCamera(provider);
  CameraMode chosen;
  {
    std::unique_ptr<FrameSource> first = provider.open(index, error);
    ASSERT_TRUE(first);
    const std::vector<CameraMode> offered = first->settings()->modes();
    ASSERT_FALSE(offered.empty());
    chosen = offered.back();
    ASSERT_EQ(first->settings()->setMode(chosen), CaptureError::None);
    ASSERT_EQ(first->start(watcher), CaptureError::None);
    EXPECT_TRUE(watcher.waitFor([this] { return watcher.frames >= 3; }));
    first->stop();
  }
  std::unique_ptr<FrameSource> second = provider.open(index, error);
  ASSERT_TRUE(second);
  EXPECT_TRUE(second->settings()->mode().sameAs(chosen));
  // The camera streams to its second client as it did to its first.
  const int before = watcher.frames;
  ASSERT_EQ(second->start(watcher), CaptureError::None);
  EXPECT_TRUE(watcher.waitFor([&] { return watcher.frames >= before + 3; }));
  second->stop();
}

TEST_F(SessionCamera, TheCameraOffersNoControlsOrSaysSo) {
  CaptureError error = CaptureError::None;
  std::unique_ptr<FrameSource> camera = provider.open(listCamera(provider), error);
  ASSERT_TRUE(camera);
  // A GStreamer stream exposes no picture controls; the controls page then says so.
  EXPECT_TRUE(camera->settings()->controls().empty());
}

// The headless runner on the virtual camera: the usual summary after exactly the frames asked.
TEST_F(SessionCamera, TheHeadlessRunnerPlaysOnTheCameraByName) {
  std::string error;
  const std::string settings = session.directory() + "/Swishcam.prm";
  const std::optional<Options> options = parseOptions(
      {"--headless", "--camera", PrivateSession::cameraName, "--frames", "20", "--settings",
       settings},
      error);
  ASSERT_TRUE(options) << error;
  testing::internal::CaptureStdout();
  const int status = runHeadless(*options);
  const std::string printed = testing::internal::GetCapturedStdout();
  EXPECT_EQ(status, 0);
  EXPECT_EQ(printed.rfind("{\"frames\":20,", 0), 0u) << printed;
  EXPECT_NE(printed.find("\"frame\":[640,480]"), std::string::npos) << printed;
}

TEST_F(SessionCamera, AnUnknownNameEndsTheHeadlessRunWithTheCamerasFound) {
  std::string error;
  const std::optional<Options> options = parseOptions(
      {"--headless", "--camera", "Nobody", "--settings", session.directory() + "/Swishcam.prm"},
      error);
  ASSERT_TRUE(options) << error;
  testing::internal::CaptureStderr();
  const int status = runHeadless(*options);
  const std::string said = testing::internal::GetCapturedStderr();
  EXPECT_EQ(status, 2);
  EXPECT_NE(said.find("no camera is named 'Nobody'"), std::string::npos) << said;
  EXPECT_NE(said.find("'Test Camera'"), std::string::npos) << said;
}

// An empty runtime directory the process points at while the object lives: no PipeWire
// daemon answers there unless the test puts something in its place.
class EmptyRuntimeDir {
 public:
  EmptyRuntimeDir() {
    char pattern[] = "/tmp/swishcam-nopipewire-XXXXXX";
    if (mkdtemp(pattern) != nullptr) path = pattern;
    const char* before = std::getenv("XDG_RUNTIME_DIR");
    saved = before != nullptr ? before : "";
    setenv("XDG_RUNTIME_DIR", path.c_str(), 1);
    unsetenv("PIPEWIRE_REMOTE");
  }
  ~EmptyRuntimeDir() {
    if (saved.empty())
      unsetenv("XDG_RUNTIME_DIR");
    else
      setenv("XDG_RUNTIME_DIR", saved.c_str(), 1);
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
  }
  std::string path;

 private:
  std::string saved;
};

// Lists through `provider`, and what it said on stderr meanwhile.
std::vector<std::string> listQuietly(PipeWireProvider& provider, std::string& said) {
  testing::internal::CaptureStderr();
  std::vector<std::string> names = provider.deviceNames();
  said = testing::internal::GetCapturedStderr();
  return names;
}

// No daemon: nothing listed, nothing said, no wait at all.
TEST(NoPipeWire, AnAbsentDaemonIsSilentAndQuick) {
  EmptyRuntimeDir runtime;
  ASSERT_FALSE(runtime.path.empty());
  // A bound this long would show in the run time if it were waited out.
  PipeWireProvider provider({}, {}, std::chrono::hours(1));
  std::string said;
  EXPECT_TRUE(listQuietly(provider, said).empty());
  EXPECT_EQ(provider.lastAnswer(), PipeWireSession::State::NoDaemon);
  EXPECT_EQ(said, "");
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
  std::string said;
  EXPECT_TRUE(listQuietly(provider, said).empty());
  EXPECT_EQ(provider.lastAnswer(), PipeWireSession::State::TimedOut);
  EXPECT_EQ(said, "");
  close(mute);
}

}  // namespace
