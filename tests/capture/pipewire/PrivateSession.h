#pragma once
#include <sys/types.h>

#include <chrono>
#include <map>
#include <string>
#include <vector>

// A PipeWire session of the test's own: a fresh XDG_RUNTIME_DIR, a D-Bus session bus,
// `pipewire`, `wireplumber`, and a GStreamer virtual camera named "Test Camera" (YUY2,
// 640 × 480, 30 frames a second). The test process's environment points at it while it
// lives. Every wait is on an event (a pipe, inotify, the registry) with a deadline.
class PrivateSession {
 public:
  static constexpr const char* cameraName = "Test Camera";
  static constexpr std::chrono::seconds deadline{20};

  PrivateSession() = default;
  ~PrivateSession();
  PrivateSession(const PrivateSession&) = delete;
  PrivateSession& operator=(const PrivateSession&) = delete;

  // Starts everything and waits until the camera is listed; false with the reason in `why`.
  bool start(std::string& why);
  // Starts a virtual camera of that name, sending `rate` frames a second, and waits until
  // it is listed.
  bool startCamera(const std::string& name, std::string& why, const std::string& rate = "30/1");
  // Ends that camera's pipeline, as a player closing the camera's program.
  void stopCamera(const std::string& name = cameraName);
  const std::string& directory() const { return dir; }

 private:
  pid_t spawn(const std::vector<std::string>& argv, const std::string& logName, int keepFd = -1);
  bool waitForDaemon(std::string& why);
  bool waitForCamera(const std::string& name, std::string& why);

  std::string dir;
  bool started = false;  // a session that failed keeps its folder, logs and all
  std::string savedRuntimeDir;
  std::string savedBus;
  std::vector<pid_t> daemons;  // dbus-daemon, pipewire, wireplumber
  std::map<std::string, pid_t> cameras;  // by name
};

// True when tests must not skip for want of a session (the CI runs them).
bool sessionRequired();
