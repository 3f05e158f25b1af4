#include "capture/pipewire/PipeWireSource.h"

#include <pipewire/pipewire.h>
#include <spa/param/buffers.h>
#include <spa/param/param.h>
#include <spa/pod/builder.h>

#include <algorithm>
#include <cassert>
#include <string>

#include "capture/ModeChoice.h"
#include "capture/PixelConverters.h"
#include "capture/pipewire/NewestBuffer.h"
#include "capture/pipewire/SpaControls.h"
#include "capture/pipewire/SpaFormats.h"

struct PipeWireSource::Events {
  static const pw_stream_events stream;
};

const pw_stream_events PipeWireSource::Events::stream = [] {
  pw_stream_events events{};
  events.version = PW_VERSION_STREAM_EVENTS;
  events.state_changed = [](void* data, pw_stream_state, pw_stream_state state, const char*) {
    if (state == PW_STREAM_STATE_ERROR) static_cast<PipeWireSource*>(data)->loseStream();
  };
  events.param_changed = [](void* data, std::uint32_t id, const spa_pod* param) {
    if (id == SPA_PARAM_Format && param != nullptr)
      static_cast<PipeWireSource*>(data)->onFormat(param);
  };
  events.process = [](void* data) { static_cast<PipeWireSource*>(data)->onProcess(); };
  return events;
}();

namespace {

// Buffers we can read in place: plain memory or a mappable file descriptor.
const spa_pod* buildBuffersPod(std::uint8_t* buffer, std::size_t size) {
  spa_pod_builder builder;
  spa_pod_builder_init(&builder, buffer, static_cast<std::uint32_t>(size));
  spa_pod_frame object;
  spa_pod_frame choice;
  spa_pod_builder_push_object(&builder, &object, SPA_TYPE_OBJECT_ParamBuffers, SPA_PARAM_Buffers);
  spa_pod_builder_prop(&builder, SPA_PARAM_BUFFERS_dataType, 0);
  spa_pod_builder_push_choice(&builder, &choice, SPA_CHOICE_Flags, 0);
  spa_pod_builder_int(&builder, (1 << SPA_DATA_MemPtr) | (1 << SPA_DATA_MemFd));
  spa_pod_builder_pop(&builder, &choice);
  return static_cast<const spa_pod*>(spa_pod_builder_pop(&builder, &object));
}

}  // namespace

std::unique_ptr<PipeWireSource> PipeWireSource::open(const PipeWireNode& node,
                                                     const CameraMode* remembered, Hooks hooks,
                                                     std::chrono::milliseconds wait,
                                                     CaptureError& error) {
  error = CaptureError::NoDevice;
  std::unique_ptr<PipeWireSource> source(new PipeWireSource(wait, std::move(hooks)));
  if (source->session.state() != PipeWireSession::State::Connected ||
      !source->findNode(node.serial))
    return nullptr;
  for (const auto& pod : source->session.nodeParams(source->node.id, SPA_PARAM_EnumFormat, wait))
    appendPodModes(pod.data(), pod.size(), source->offered);
  const int chosen = chooseCameraMode(source->offered, remembered);
  if (chosen < 0 || !source->applyMode(source->offered[chosen])) {
    error = CaptureError::Connection;
    return nullptr;
  }
  source->readControls();
  source->session.pause();  // the loop runs while frames flow
  error = CaptureError::None;
  return source;
}

PipeWireSource::PipeWireSource(std::chrono::milliseconds wait, Hooks hooks)
    : session(wait), wait(wait), hooks(std::move(hooks)) {
  session.nodeRemoved = [this](std::uint32_t id) {
    if (id == node.id && stream != nullptr) loseStream();
  };
}

PipeWireSource::~PipeWireSource() { stop(); }

// The listing came from another connection; the serial names the same node in this one.
bool PipeWireSource::findNode(std::uint64_t serial) {
  for (const PipeWireNode& candidate : session.videoSources()) {
    if (candidate.serial != serial) continue;
    node = candidate;
    return true;
  }
  return false;
}

void PipeWireSource::readControls() {
  for (const auto& pod : session.nodeParams(node.id, SPA_PARAM_PropInfo, wait))
    appendPodControl(pod.data(), pod.size(), knobs);
  for (const auto& pod : session.nodeParams(node.id, SPA_PARAM_Props, wait))
    takePodValues(pod.data(), pod.size(), knobs);
}

bool PipeWireSource::checkStride(std::uint64_t stride) {
  PictureGeometry checked;
  if (!checkPicture({current.pixelFormat, static_cast<std::uint64_t>(current.width),
                     static_cast<std::uint64_t>(current.height), stride},
                    checked))
    return false;
  geometry = checked;
  converter.configure(geometry);
  return true;
}

bool PipeWireSource::applyMode(const CameraMode& mode) {
  const CameraMode previous = current;
  current = mode;
  if (checkStride(0)) return true;
  current = previous;
  return false;
}

CaptureError PipeWireSource::setMode(const CameraMode& mode) {
  assert(stream == nullptr && "the source must be stopped for a mode change");
  if (stream != nullptr) return CaptureError::Run;
  const bool known = std::any_of(offered.begin(), offered.end(),
                                 [&mode](const CameraMode& m) { return m.sameAs(mode); });
  if (!known || !applyMode(mode)) return CaptureError::Connection;
  if (hooks.modeChosen) hooks.modeChosen(mode);
  return CaptureError::None;
}

bool PipeWireSource::setControl(std::uint32_t id, int value) {
  const auto control = std::find_if(knobs.begin(), knobs.end(),
                                    [id](const CameraControl& c) { return c.id == id; });
  if (control == knobs.end()) return false;
  std::uint8_t buffer[128];
  const spa_pod* pod = buildControlPod(*control, value, buffer, sizeof buffer);
  if (pod == nullptr || !session.setNodeParam(node.id, SPA_PARAM_Props, pod)) return false;
  control->value = value;
  return true;
}

CaptureError PipeWireSource::start(FrameSink& frameSink) {
  if (stream != nullptr) return CaptureError::None;
  if (!converter.usable()) return CaptureError::Run;
  std::uint8_t buffer[512];
  const spa_pod* format = buildFormatPod(current, buffer, sizeof buffer);
  if (format == nullptr) return CaptureError::Run;
  lost.store(false);
  {
    SessionLock hold(session);
    pw_properties* props = pw_properties_new(
        PW_KEY_MEDIA_TYPE, "Video", PW_KEY_MEDIA_CATEGORY, "Capture", PW_KEY_MEDIA_ROLE, "Camera",
        PW_KEY_NODE_DONT_RECONNECT, "true", PW_KEY_TARGET_OBJECT,
        std::to_string(node.serial).c_str(), nullptr);
    stream = pw_stream_new(session.core(), "Swish Cam", props);
    if (stream == nullptr) return CaptureError::Run;
    streamListener = std::make_unique<spa_hook>();
    pw_stream_add_listener(stream, streamListener.get(), &Events::stream, this);
    sink = &frameSink;
    const auto flags =
        static_cast<pw_stream_flags>(PW_STREAM_FLAG_AUTOCONNECT | PW_STREAM_FLAG_MAP_BUFFERS);
    if (pw_stream_connect(stream, PW_DIRECTION_INPUT, node.id, flags, &format, 1) < 0) {
      pw_stream_destroy(stream);
      stream = nullptr;
      sink = nullptr;
      return CaptureError::Run;
    }
  }
  session.resume();
  return CaptureError::None;
}

void PipeWireSource::stop() {
  if (stream == nullptr) return;
  {
    SessionLock hold(session);  // waits for a delivery in progress
    pw_stream_destroy(stream);
    stream = nullptr;
    sink = nullptr;
    session.roundtrip(wait);  // the daemon lets go of the node before the loop pauses
  }
  session.pause();
}

// The daemon agreed a format: the one asked for, though a node may pad its rows.
void PipeWireSource::onFormat(const spa_pod* format) {
  std::vector<CameraMode> agreed;
  appendPodModes(format, SPA_POD_SIZE(format), agreed);
  if (agreed.size() != 1 || agreed[0].pixelFormat != current.pixelFormat ||
      agreed[0].width != current.width || agreed[0].height != current.height) {
    loseStream();  // another size would not fit the field laid out for this one
    return;
  }
  std::uint8_t buffer[128];
  const spa_pod* buffers = buildBuffersPod(buffer, sizeof buffer);
  pw_stream_update_params(stream, &buffers, 1);
}

void PipeWireSource::onProcess() {
  std::uint64_t overtaken = 0;
  pw_buffer* newest = takeNewest<pw_buffer>(
      [this] { return pw_stream_dequeue_buffer(stream); },
      [this](pw_buffer* older) { pw_stream_queue_buffer(stream, older); }, overtaken);
  dropped.fetch_add(overtaken, std::memory_order_relaxed);
  if (newest == nullptr) return;
  const spa_buffer* buffer = newest->buffer;
  const spa_data* plane = buffer->n_datas > 0 ? &buffer->datas[0] : nullptr;
  bool delivered = false;
  if (plane != nullptr && plane->data != nullptr && plane->chunk != nullptr &&
      (plane->chunk->flags & SPA_CHUNK_FLAG_CORRUPTED) == 0 && plane->maxsize > 0) {
    // A padding node tells its stride with its first buffer; a negative one turns huge here
    // and is refused like any stride beyond a real row's.
    const auto stride = static_cast<std::uint64_t>(static_cast<std::int64_t>(plane->chunk->stride));
    const bool rowsFit = plane->chunk->stride == 0 || stride == geometry.planes[0].stride ||
                         checkStride(stride);
    const std::span<const std::uint8_t> picture =
        rowsFit ? deliveredPicture(geometry, static_cast<const std::uint8_t*>(plane->data),
                                   plane->maxsize, plane->chunk->offset, plane->chunk->size)
                : std::span<const std::uint8_t>();
    if (!picture.empty() && converter.convert(picture.data(), picture.size())) {
      const std::vector<std::uint8_t>& frame = converter.frame();
      sink->onFrame(0.0, frame.data(), frame.size());
      delivered = true;
    }
  }
  if (!delivered) dropped.fetch_add(1, std::memory_order_relaxed);
  pw_stream_queue_buffer(stream, newest);
}

void PipeWireSource::loseStream() {
  if (!lost.exchange(true) && hooks.streamLost) hooks.streamLost();
}
