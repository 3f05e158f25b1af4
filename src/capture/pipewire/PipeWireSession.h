#pragma once
#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "capture/pipewire/PipeWireNodes.h"

struct pw_thread_loop;
struct pw_context;
struct pw_core;
struct pw_registry;
struct spa_pod;

// One connection to the PipeWire daemon on its own thread loop, watching the video source
// nodes through the registry. Every libpipewire call on it is made under lock(); the
// callbacks run on the loop's thread with the lock held.
class PipeWireSession {
 public:
  enum class State { Connected, NoDaemon, TimedOut };

  // Connects and waits at most `wait` for the daemon to list its video sources (and their
  // node info). No daemon, no permission or no answer leave the session empty, silently.
  explicit PipeWireSession(std::chrono::milliseconds wait);
  ~PipeWireSession();
  PipeWireSession(const PipeWireSession&) = delete;
  PipeWireSession& operator=(const PipeWireSession&) = delete;

  State state() const { return m_state; }
  std::vector<PipeWireNode> videoSources();

  // The param pods (SPA_PARAM_EnumFormat, PropInfo, Props…) of node `id`, each as its bytes;
  // waits at most `wait`. Empty when the node is gone.
  std::vector<std::vector<std::uint8_t>> nodeParams(std::uint32_t id, std::uint32_t paramId,
                                                    std::chrono::milliseconds wait);
  // Sends a param to node `id`; false when the node is gone.
  bool setNodeParam(std::uint32_t id, std::uint32_t paramId, const spa_pod* param);
  // Waits until the daemon has handled everything sent so far; false after `wait`.
  bool roundtrip(std::chrono::milliseconds wait);

  // Called on the loop thread with the lock held when a node leaves the registry, and when
  // a node has told its info (which names it).
  std::function<void(std::uint32_t id)> nodeRemoved;
  std::function<void(const PipeWireNode&)> nodeDescribed;

  // The loop's thread: paused, no callback runs (and none is running) until resume().
  void pause();
  void resume();
  void lock();
  void unlock();
  // Releases the lock until signal() or `deadline`; false at the deadline.
  bool waitUntil(std::chrono::steady_clock::time_point deadline);
  void signal();
  pw_core* core() const { return m_core; }

  struct Node;       // a bound node proxy with what it has told so far
  struct Listeners;  // libpipewire's listener hooks, kept at stable addresses

 private:
  void onGlobal(std::uint32_t id, const char* type, const struct spa_dict* props);
  void onGlobalRemove(std::uint32_t id);
  void onDone(std::uint32_t id, int seq);
  friend struct Listeners;

  State m_state = State::NoDaemon;
  pw_thread_loop* m_loop = nullptr;
  pw_context* m_context = nullptr;
  pw_core* m_core = nullptr;
  pw_registry* m_registry = nullptr;
  bool m_running = false;
  bool m_broken = false;  // the daemon hung up
  int m_doneSeq = -1;  // the last sync the daemon has answered
  std::unique_ptr<Listeners> m_listeners;
  std::map<std::uint32_t, std::unique_ptr<Node>> m_nodes;
};

// Holds a session's lock for a scope.
class SessionLock {
 public:
  explicit SessionLock(PipeWireSession& session) : session(session) { session.lock(); }
  ~SessionLock() { session.unlock(); }
  SessionLock(const SessionLock&) = delete;
  SessionLock& operator=(const SessionLock&) = delete;

 private:
  PipeWireSession& session;
};
