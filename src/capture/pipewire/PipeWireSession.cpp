#include "capture/pipewire/PipeWireSession.h"

#include <pipewire/pipewire.h>
#include <spa/pod/pod.h>
#include <spa/utils/dict.h>

#include <cerrno>
#include <cstring>
#include <mutex>
#include <string>

struct PipeWireSession::Node {
  PipeWireSession* session = nullptr;
  PipeWireNode info;
  pw_proxy* proxy = nullptr;
  spa_hook listener{};
  std::uint32_t wantedParam = SPA_ID_INVALID;
  std::vector<std::vector<std::uint8_t>> params;
};

struct PipeWireSession::Listeners {
  spa_hook core{};
  spa_hook registry{};
  static const pw_core_events coreEvents;
  static const pw_registry_events registryEvents;
  static const pw_node_events nodeEvents;
};

namespace {

std::string lookup(const spa_dict* props, const char* key) {
  const char* value = props != nullptr ? spa_dict_lookup(props, key) : nullptr;
  return value != nullptr ? value : "";
}

// The name a desktop shows for the node.
void takeNodeProps(PipeWireNode& node, const spa_dict* props) {
  for (const char* key : {PW_KEY_NODE_NAME, PW_KEY_NODE_NICK, PW_KEY_NODE_DESCRIPTION})
    if (std::string value = lookup(props, key); !value.empty()) node.name = value;
  if (std::string path = lookup(props, PW_KEY_OBJECT_PATH); !path.empty()) node.objectPath = path;
  if (std::string path = lookup(props, "api.v4l2.path"); !path.empty()) node.v4l2Path = path;
  if (std::string serial = lookup(props, PW_KEY_OBJECT_SERIAL); !serial.empty())
    node.serial = std::strtoull(serial.c_str(), nullptr, 10);
}

}  // namespace

const pw_core_events PipeWireSession::Listeners::coreEvents = [] {
  pw_core_events events{};
  events.version = PW_VERSION_CORE_EVENTS;
  events.done = [](void* data, std::uint32_t id, int seq) {
    static_cast<PipeWireSession*>(data)->onDone(id, seq);
  };
  events.error = [](void* data, std::uint32_t id, int, int, const char*) {
    // The daemon hung up or refused us: whoever waits gives up at once.
    if (id == PW_ID_CORE) static_cast<PipeWireSession*>(data)->onDone(id, -1);
  };
  return events;
}();

const pw_registry_events PipeWireSession::Listeners::registryEvents = [] {
  pw_registry_events events{};
  events.version = PW_VERSION_REGISTRY_EVENTS;
  events.global = [](void* data, std::uint32_t id, std::uint32_t, const char* type, std::uint32_t,
                     const spa_dict* props) {
    static_cast<PipeWireSession*>(data)->onGlobal(id, type, props);
  };
  events.global_remove = [](void* data, std::uint32_t id) {
    static_cast<PipeWireSession*>(data)->onGlobalRemove(id);
  };
  return events;
}();

const pw_node_events PipeWireSession::Listeners::nodeEvents = [] {
  pw_node_events events{};
  events.version = PW_VERSION_NODE_EVENTS;
  events.info = [](void* data, const pw_node_info* info) {
    auto* node = static_cast<Node*>(data);
    if (info == nullptr) return;
    takeNodeProps(node->info, info->props);
    if (node->session->nodeDescribed) node->session->nodeDescribed(node->info);
  };
  events.param = [](void* data, int, std::uint32_t id, std::uint32_t, std::uint32_t,
                    const spa_pod* param) {
    auto* node = static_cast<Node*>(data);
    if (param == nullptr || id != node->wantedParam) return;
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(param);
    node->params.emplace_back(bytes, bytes + SPA_POD_SIZE(param));
  };
  return events;
}();

PipeWireSession::PipeWireSession(std::chrono::milliseconds wait)
    : m_listeners(std::make_unique<Listeners>()) {
  static std::once_flag initialised;
  std::call_once(initialised, [] {
    pw_init(nullptr, nullptr);
    // The game keeps no log: a missing daemon or camera is not worth a line on stderr.
    if (std::getenv("PIPEWIRE_DEBUG") == nullptr) pw_log_set_level(SPA_LOG_LEVEL_NONE);
  });
  const auto deadline = std::chrono::steady_clock::now() + wait;
  m_loop = pw_thread_loop_new("swishcam-camera", nullptr);
  if (m_loop == nullptr) return;
  m_context = pw_context_new(pw_thread_loop_get_loop(m_loop), nullptr, 0);
  if (m_context == nullptr || pw_thread_loop_start(m_loop) != 0) return;
  m_running = true;
  SessionLock hold(*this);
  m_core = pw_context_connect(m_context, nullptr, 0);
  if (m_core == nullptr) return;
  pw_core_add_listener(m_core, &m_listeners->core, &Listeners::coreEvents, this);
  m_registry = pw_core_get_registry(m_core, PW_VERSION_REGISTRY, 0);
  pw_registry_add_listener(m_registry, &m_listeners->registry, &Listeners::registryEvents, this);
  // The first answer lists the nodes; the second brings the info of the nodes bound meanwhile.
  const auto left = [&deadline] {
    return std::chrono::duration_cast<std::chrono::milliseconds>(deadline -
                                                                 std::chrono::steady_clock::now());
  };
  m_state = roundtrip(left()) && roundtrip(left()) ? State::Connected : State::TimedOut;
}

PipeWireSession::~PipeWireSession() {
  if (m_loop == nullptr) return;
  {
    SessionLock hold(*this);
    for (auto& [id, node] : m_nodes) {
      spa_hook_remove(&node->listener);
      pw_proxy_destroy(node->proxy);
    }
    m_nodes.clear();
    if (m_registry != nullptr) {
      spa_hook_remove(&m_listeners->registry);
      pw_proxy_destroy(reinterpret_cast<pw_proxy*>(m_registry));
    }
    if (m_core != nullptr) pw_core_disconnect(m_core);
  }
  pause();
  if (m_context != nullptr) pw_context_destroy(m_context);
  pw_thread_loop_destroy(m_loop);
}

std::vector<PipeWireNode> PipeWireSession::videoSources() {
  SessionLock hold(*this);
  std::vector<PipeWireNode> nodes;
  for (const auto& [id, node] : m_nodes) nodes.push_back(node->info);
  return nodes;
}

void PipeWireSession::onGlobal(std::uint32_t id, const char* type, const spa_dict* props) {
  if (type == nullptr || std::strcmp(type, PW_TYPE_INTERFACE_Node) != 0 ||
      lookup(props, PW_KEY_MEDIA_CLASS) != "Video/Source")
    return;
  auto node = std::make_unique<Node>();
  node->session = this;
  node->info.id = id;
  takeNodeProps(node->info, props);
  node->proxy = static_cast<pw_proxy*>(
      pw_registry_bind(m_registry, id, PW_TYPE_INTERFACE_Node, PW_VERSION_NODE, 0));
  if (node->proxy == nullptr) return;
  pw_proxy_add_object_listener(node->proxy, &node->listener, &Listeners::nodeEvents, node.get());
  m_nodes[id] = std::move(node);
}

void PipeWireSession::onGlobalRemove(std::uint32_t id) {
  const auto found = m_nodes.find(id);
  if (found == m_nodes.end()) return;
  spa_hook_remove(&found->second->listener);
  pw_proxy_destroy(found->second->proxy);
  m_nodes.erase(found);
  if (nodeRemoved) nodeRemoved(id);
}

void PipeWireSession::onDone(std::uint32_t id, int seq) {
  if (id != PW_ID_CORE) return;
  m_doneSeq = seq;
  if (seq < 0) m_broken = true;
  signal();
}

bool PipeWireSession::roundtrip(std::chrono::milliseconds wait) {
  if (m_core == nullptr || m_broken) return false;
  const auto deadline = std::chrono::steady_clock::now() + wait;
  const int seq = pw_core_sync(m_core, PW_ID_CORE, 0);
  while (m_doneSeq != seq) {
    if (m_broken || !waitUntil(deadline)) return false;
  }
  return true;
}

std::vector<std::vector<std::uint8_t>> PipeWireSession::nodeParams(std::uint32_t id,
                                                                   std::uint32_t paramId,
                                                                   std::chrono::milliseconds wait) {
  SessionLock hold(*this);
  const auto found = m_nodes.find(id);
  if (found == m_nodes.end()) return {};
  Node& node = *found->second;
  node.params.clear();
  node.wantedParam = paramId;
  pw_node_enum_params(reinterpret_cast<pw_node*>(node.proxy), 0, paramId, 0, UINT32_MAX, nullptr);
  roundtrip(wait);
  // The node may have gone while we waited.
  const auto still = m_nodes.find(id);
  if (still == m_nodes.end()) return {};
  still->second->wantedParam = SPA_ID_INVALID;
  return std::move(still->second->params);
}

bool PipeWireSession::setNodeParam(std::uint32_t id, std::uint32_t paramId, const spa_pod* param) {
  SessionLock hold(*this);
  const auto found = m_nodes.find(id);
  if (found == m_nodes.end()) return false;
  return pw_node_set_param(reinterpret_cast<pw_node*>(found->second->proxy), paramId, 0, param) >= 0;
}

void PipeWireSession::pause() {
  if (!m_running) return;
  pw_thread_loop_stop(m_loop);  // joins the loop's thread
  m_running = false;
}

void PipeWireSession::resume() {
  if (m_running || m_loop == nullptr) return;
  m_running = pw_thread_loop_start(m_loop) == 0;
}

void PipeWireSession::lock() { pw_thread_loop_lock(m_loop); }
void PipeWireSession::unlock() { pw_thread_loop_unlock(m_loop); }
void PipeWireSession::signal() { pw_thread_loop_signal(m_loop, false); }

bool PipeWireSession::waitUntil(std::chrono::steady_clock::time_point deadline) {
  const auto left = deadline - std::chrono::steady_clock::now();
  if (left <= std::chrono::steady_clock::duration::zero() || !m_running) return false;
  timespec until{};
  pw_thread_loop_get_time(m_loop, &until,
                          std::chrono::duration_cast<std::chrono::nanoseconds>(left).count());
  return pw_thread_loop_timed_wait_full(m_loop, &until) == 0;
}
