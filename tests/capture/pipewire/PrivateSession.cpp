#include "capture/pipewire/PrivateSession.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/inotify.h>
#include <sys/wait.h>
#include <unistd.h>

#include <condition_variable>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <mutex>

#include "capture/pipewire/PipeWireSession.h"

extern char** environ;

namespace {

void setOrClear(const char* name, const std::string& value) {
  value.empty() ? unsetenv(name) : setenv(name, value.c_str(), 1);
}

std::string envOr(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

void endProcess(pid_t pid) {
  if (pid <= 0) return;
  kill(pid, SIGTERM);
  waitpid(pid, nullptr, 0);
}

// Waits for a readable `fd` until `until`; false at the deadline.
bool readable(int fd, std::chrono::steady_clock::time_point until) {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
      until - std::chrono::steady_clock::now());
  if (left.count() <= 0) return false;
  pollfd wait{fd, POLLIN, 0};
  return poll(&wait, 1, static_cast<int>(left.count())) > 0;
}

}  // namespace

bool sessionRequired() { return envOr("CI") == "true"; }

PrivateSession::~PrivateSession() {
  for (const auto& [name, pid] : cameras) endProcess(pid);
  for (auto pid = daemons.rbegin(); pid != daemons.rend(); ++pid) endProcess(*pid);
  if (dir.empty()) return;
  setOrClear("XDG_RUNTIME_DIR", savedRuntimeDir);
  setOrClear("DBUS_SESSION_BUS_ADDRESS", savedBus);
  std::error_code ignored;
  if (started) std::filesystem::remove_all(dir, ignored);
}

pid_t PrivateSession::spawn(const std::vector<std::string>& argv, const std::string& logName,
                            int keepFd) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  const std::string log = dir + "/" + logName + ".log";
  posix_spawn_file_actions_addopen(&actions, 1, log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  posix_spawn_file_actions_adddup2(&actions, 1, 2);
  if (keepFd >= 0) posix_spawn_file_actions_adddup2(&actions, keepFd, 3);
  std::vector<char*> args;
  for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
  args.push_back(nullptr);
  pid_t pid = -1;
  if (posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), environ) != 0) pid = -1;
  posix_spawn_file_actions_destroy(&actions);
  return pid;
}

bool PrivateSession::start(std::string& why) {
  char pattern[] = "/tmp/swishcam-pipewire-XXXXXX";
  if (mkdtemp(pattern) == nullptr) return why = "cannot make a runtime directory", false;
  dir = pattern;
  savedRuntimeDir = envOr("XDG_RUNTIME_DIR");
  savedBus = envOr("DBUS_SESSION_BUS_ADDRESS");
  // Root has no runtime directory of its own in CI; the daemons want one.
  setenv("XDG_RUNTIME_DIR", dir.c_str(), 1);
  setenv("DISABLE_RTKIT", "1", 1);
  unsetenv("PIPEWIRE_REMOTE");

  int ready[2];
  if (pipe(ready) != 0) return why = "no pipe", false;
  daemons.push_back(spawn({"dbus-daemon", "--session", "--nofork", "--nopidfile",
                           "--address=unix:path=" + dir + "/bus", "--print-address=3"},
                          "dbus", ready[1]));
  close(ready[1]);
  const auto until = std::chrono::steady_clock::now() + deadline;
  char address[512] = {};
  const bool busUp = daemons.back() > 0 && readable(ready[0], until) &&
                     read(ready[0], address, sizeof address - 1) > 0;
  close(ready[0]);
  if (!busUp) return why = "dbus-daemon did not start (see " + dir + "/dbus.log)", false;
  address[std::strcspn(address, "\n")] = '\0';
  setenv("DBUS_SESSION_BUS_ADDRESS", address, 1);
  if (!waitForDaemon(why)) return false;
  daemons.push_back(spawn({"wireplumber"}, "wireplumber"));
  started = startCamera(cameraName, why);
  return started;
}

// pipewire is up once its socket appears in the runtime directory.
bool PrivateSession::waitForDaemon(std::string& why) {
  const int watch = inotify_init1(IN_CLOEXEC);
  inotify_add_watch(watch, dir.c_str(), IN_CREATE);
  daemons.push_back(spawn({"pipewire"}, "pipewire"));
  const auto until = std::chrono::steady_clock::now() + deadline;
  const std::string socket = dir + "/pipewire-0";
  bool up = std::filesystem::exists(socket);
  while (!up && daemons.back() > 0 && readable(watch, until)) {
    char events[4096];
    if (read(watch, events, sizeof events) <= 0) break;
    up = std::filesystem::exists(socket);
  }
  close(watch);
  if (!up) why = "pipewire did not start (see " + dir + "/pipewire.log)";
  return up;
}

bool PrivateSession::startCamera(const std::string& name, std::string& why,
                                 const std::string& rate) {
  cameras[name] = spawn({"gst-launch-1.0", "-q", "videotestsrc", "is-live=true", "pattern=ball", "!",
                  "video/x-raw,format=YUY2,width=640,height=480,framerate=" + rate, "!",
                  "pipewiresink", "mode=provide",
                  "stream-properties=\"properties,media.class=Video/Source,"
                  "node.description=\\\"" + name + "\\\"\""},
                 "camera-" + std::to_string(cameras.size()));
  return waitForCamera(name, why);
}

// Watches the registry until the camera's node has described itself.
bool PrivateSession::waitForCamera(const std::string& name, std::string& why) {
  PipeWireSession watcher(std::chrono::seconds(5));
  std::mutex mutex;
  std::condition_variable described;
  bool listed = false;
  {
    SessionLock hold(watcher);
    watcher.nodeDescribed = [&](const PipeWireNode& node) {
      std::lock_guard<std::mutex> guard(mutex);
      listed = listed || node.name == name;
      described.notify_all();
    };
  }
  bool already = false;
  for (const PipeWireNode& node : watcher.videoSources()) already = already || node.name == name;
  std::unique_lock<std::mutex> guard(mutex);
  if (!described.wait_for(guard, deadline, [&] { return listed || already; }))
    why = "the virtual camera " + name + " did not appear (see " + dir + "/camera-*.log)";
  guard.unlock();
  SessionLock hold(watcher);
  watcher.nodeDescribed = nullptr;
  return listed || already;
}

void PrivateSession::stopCamera(const std::string& name) {
  if (const auto found = cameras.find(name); found != cameras.end()) endProcess(found->second), cameras.erase(found);
}
