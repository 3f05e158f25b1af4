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
    note([&] { ++frames, wrongSizes += size != frameBytes(640, 480); });
  }
  void lose() { note([&] { ++lost; }); }
  template <typename Done>
  bool waitFor(Done done) {
    std::unique_lock guard(mutex);
    return changed.wait_for(guard, PrivateSession::deadline, done);
  }
  template <typename Value>
  auto read(Value value) {
    std::lock_guard guard(mutex);
    return value();
  }
  // Waits for `count` frames more than have arrived so far.
  bool waitForMore(int count) {
    const int target = read([&] { return frames; }) + count;
    return waitFor([&] { return frames >= target; });
  }

  int frames = 0, lost = 0, wrongSizes = 0;

 private:
  template <typename Change>
  void note(Change change) {
    std::lock_guard guard(mutex);
    change();
    changed.notify_all();
  }
  std::mutex mutex;
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
  std::unique_ptr<FrameSource> open() {
    const std::vector<std::string> names = provider.deviceNames();
    const auto found = std::find(names.begin(), names.end(), PrivateSession::cameraName);
    EXPECT_NE(found, names.end());
    CaptureError error = CaptureError::None;
    std::unique_ptr<FrameSource> camera = provider.open(found - names.begin(), error);
    EXPECT_TRUE(camera) << static_cast<int>(error);
    return camera;
  }
  // Opened, started, and three frames in; null when it did not open.
  std::unique_ptr<FrameSource> streaming() {
    std::unique_ptr<FrameSource> camera = open();
    if (camera == nullptr) return nullptr;
    EXPECT_EQ(camera->start(watcher), CaptureError::None);
    EXPECT_TRUE(watcher.waitForMore(3));
    return camera;
  }

  PrivateSession session;
  Watcher watcher;
  PipeWireProvider provider{[this] { watcher.lose(); }, [] { return std::vector<std::string>{}; },
                            std::chrono::seconds(5)};
};

// Listed once by its name; opened in its format, with no picture controls (a GStreamer
// stream exposes none), its frames flow until stop, and a second start works: the loop's
// thread was joined, not lost. The next client opens in the mode chosen by this one.
TEST_F(SessionCamera, ListsTheCameraStreamsInItsFormatRestartsNothingComesAfterStopAndItsModeIsKept) {
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
  const CameraMode chosen = camera->settings()->modes().back();
  ASSERT_EQ(camera->settings()->setMode(chosen), CaptureError::None);
  for (int round = 0; round < 2; ++round) {
    ASSERT_EQ(camera->start(watcher), CaptureError::None);
    EXPECT_TRUE(watcher.waitForMore(5));
    camera->stop();
  }
  const int atStop = watcher.read([&] { return watcher.frames; });
  camera.reset();  // tears the session down: anything still queued would arrive now
  EXPECT_EQ(watcher.read([&] { return watcher.frames; }), atStop);
  EXPECT_EQ(watcher.read([&] { return std::pair(watcher.wrongSizes, watcher.lost); }), std::pair(0, 0));
  std::unique_ptr<FrameSource> second = open();  // a second client gets the mode chosen
  ASSERT_TRUE(second);
  EXPECT_TRUE(second->settings()->mode().sameAs(chosen));
}

// Another camera's removal reaches this client without touching its stream; its own
// pipeline's end is reported once.
TEST_F(SessionCamera, OnlyItsOwnPipelinesEndIsReportedLostAndOnlyOnce) {
  std::string why;
  ASSERT_TRUE(session.startCamera("Other Camera", why)) << why;
  std::unique_ptr<FrameSource> camera = streaming();
  ASSERT_TRUE(camera);
  session.stopCamera("Other Camera");
  EXPECT_TRUE(watcher.waitForMore(10));
  EXPECT_FALSE(camera->streamLost());
  session.stopCamera();
  EXPECT_TRUE(watcher.waitFor([this] { return watcher.lost >= 1; }));
  EXPECT_TRUE(camera->streamLost());
  camera->stop();
  EXPECT_EQ(watcher.read([&] { return watcher.lost; }), 1);
}

// The headless runner on the camera of that name: its status, standard output and error.
struct HeadlessRun { int status; std::string out, err; };
HeadlessRun runHeadlessOn(const std::string& camera, const PrivateSession& session, const char* frames) {
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

// The usual summary after exactly the frames asked; a camera that falls silent (at most one
// picture, then nothing for 1000 s) ends the run instead of its waiting out the count; an
// unknown name ends it with the cameras found.
TEST_F(SessionCamera, TheHeadlessRunnerFindsTheCameraByNameAndSaysWhyItStopped) {
  std::string why;
  ASSERT_TRUE(session.startCamera("Silent Camera", why, "1/1000")) << why;
  const struct {
    const char* camera;
    const char* frames;
    int status;
    std::vector<std::string> said;
  } rows[] = {
      {PrivateSession::cameraName, "20", 0, {"{\"frames\":20,", "\"frame\":[640,480]"}},
      {"Silent Camera", "5", 1, {"the camera sent no picture for 10 s; stopped after ", " of 5 frames"}},
      {"Nobody", "20", 2, {"no camera is named 'Nobody'", "'Test Camera'"}},
  };
  for (const auto& row : rows) {
    const HeadlessRun run = runHeadlessOn(row.camera, session, row.frames);
    EXPECT_EQ(run.status, row.status) << row.camera;
    const std::string& text = row.status == 0 ? run.out : run.err;
    for (const std::string& part : row.said) EXPECT_NE(text.find(part), std::string::npos) << text;
    if (row.status == 0) { EXPECT_EQ(text.rfind(row.said[0], 0), 0u) << text; }
  }
}

// An absent daemon is told at once: nothing listed, nothing said, no wait at its bound of an
// hour. A daemon that takes the connection but never answers is waited for only up to the
// bound. The process points at an empty runtime directory meanwhile.
TEST(NoPipeWire, AnAbsentDaemonIsSilentAndQuickAndASilentOneIsWaitedForOnlyToTheBound) {
  char pattern[] = "/tmp/swishcam-nopipewire-XXXXXX";
  ASSERT_NE(mkdtemp(pattern), nullptr);
  const std::string dir = pattern, saved = std::getenv("XDG_RUNTIME_DIR") ? std::getenv("XDG_RUNTIME_DIR") : "";
  setenv("XDG_RUNTIME_DIR", pattern, 1);
  unsetenv("PIPEWIRE_REMOTE");
  const int mute = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  for (auto [bound, state] : {std::pair{std::chrono::milliseconds(std::chrono::hours(1)), PipeWireSession::State::NoDaemon},
                              {std::chrono::milliseconds(50), PipeWireSession::State::TimedOut}}) {
    PipeWireProvider provider({}, {}, bound);
    testing::internal::CaptureStderr();
    EXPECT_TRUE(provider.deviceNames().empty());
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(provider.lastAnswer(), state);
    sockaddr_un address{.sun_family = AF_UNIX, .sun_path = {}};
    std::strncpy(address.sun_path, (dir + "/pipewire-0").c_str(), sizeof address.sun_path - 1);
    if (state == PipeWireSession::State::NoDaemon) {
      ASSERT_EQ(bind(mute, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
      ASSERT_EQ(listen(mute, 4), 0);  // connections queue up, nobody accepts them
    }
  }
  close(mute);
  saved.empty() ? unsetenv("XDG_RUNTIME_DIR") : setenv("XDG_RUNTIME_DIR", saved.c_str(), 1);
  std::filesystem::remove_all(dir);
}

}  // namespace
