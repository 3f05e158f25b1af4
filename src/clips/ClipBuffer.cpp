#include "clips/ClipBuffer.h"

#include <chrono>
#include <ctime>
#include <system_error>

#include "clips/ClipNames.h"
#include "clips/Mp4Writer.h"
#include "platform/DrawLock.h"

namespace {

// Beyond the clip, the history keeps the group of frames a clip's start decodes from.
constexpr std::int64_t keptMs = clipMs + keyFrameMs;
// A hard bound on the kept frames whatever the encoder makes of the picture.
constexpr std::size_t keptByteLimit = 64u << 20;

}  // namespace

ClipBuffer::ClipBuffer(Reporter report, WriteCall write)
    : m_report(std::move(report)), m_write(write), m_history(keptMs, keptByteLimit) {
  quietCodecLogs();
  m_thread = std::thread([this] { encodeLoop(); });
}

ClipBuffer::~ClipBuffer() {
  finish();
  m_stop = true;
  handOver();
  m_thread.join();
}

// The game clock's ms wrap after 49 days; counted from the first tick, a run has 24 days.
std::int64_t ClipBuffer::gameMs(std::uint32_t tick) {
  if (!m_originTick) m_originTick = tick;
  return static_cast<std::int32_t>(tick - *m_originTick);
}

void ClipBuffer::handOver() {
  m_wake.fetch_add(1, std::memory_order_release);
  m_wake.notify_one();
}

void ClipBuffer::fieldLaidOut(int width, int height) {
  flush();
  std::lock_guard lock(m_mutex);
  cutReady(true);  // the frames kept so far cannot go on in a picture of another size
  m_history.clear();
  m_width = width;
  m_height = height;
  m_reopen = true;
}

// Under drawLock, held by the frame step.
void ClipBuffer::fieldShown(const FieldSurface& field, std::uint32_t tick) {
  if (field.width() != m_width || field.height() != m_height || m_width == 0) return;
  m_field.store(&field);
  m_shownMs = gameMs(tick);
  ++m_shownCount;
  m_lastShownMs.store(m_shownMs);
  m_handed.fetch_add(1);
  handOver();
}

void ClipBuffer::soundMade(Sound sound, float volume, std::uint32_t tick) {
  SoundMark* mark = m_sounds.reserve();
  if (mark == nullptr) return;  // 63 sounds in one frame: the clip can miss one
  *mark = {sound, volume, gameMs(tick)};
  m_sounds.commit();
  m_handed.fetch_add(1);
  handOver();
}

void ClipBuffer::flush() {
  const std::uint64_t handed = m_handed.load();
  for (std::uint64_t taken = m_taken.load(); taken < handed; taken = m_taken.load())
    m_taken.wait(taken);
}

void ClipBuffer::encodeLoop() {
  while (!m_stop.load()) {
    const std::uint32_t seen = m_wake.load(std::memory_order_acquire);
    const bool sounds = takeSounds();
    const bool frame = takeFrame();
    if (!sounds && !frame) m_wake.wait(seen, std::memory_order_acquire);
  }
}

bool ClipBuffer::takeSounds() {
  bool took = false;
  for (SoundMark* mark = m_sounds.front(); mark != nullptr; mark = m_sounds.front()) {
    {
      std::lock_guard lock(m_mutex);
      m_history.addSound(*mark);
      const bool basket = mark->sound == Sound::Swish2 || mark->sound == Sound::Swish3;
      if (basket && !m_basketFolder.empty())
        m_requests.push_back({mark->ms + afterBasketMs, mark->ms + afterBasketMs, m_basketFolder, true});
    }
    m_sounds.release();
    m_taken.fetch_add(1);
    m_taken.notify_all();
    took = true;
  }
  return took;
}

// Copies the newest picture, under drawLock so that the next frame step cannot draw into it
// halfway; the pictures shown since the last copy are left out.
bool ClipBuffer::takeNewestPicture(std::int64_t& ms) {
  const FieldSurface* field = m_field.load();
  if (field == nullptr) return false;
  std::uint64_t passedOver = 0;
  bool sameSize = false;
  {
    DrawLockGuard lock;
    if (m_shownCount == m_copiedCount) return false;
    // A layout may have made the field anew since it was shown: its picture is gone.
    sameSize = field->width() == m_width && field->height() == m_height;
    // Straight from the surface into the encoder's 4:2:0 frame: a copy of the whole field
    // on the way would push the game's own pictures out of the processor's caches.
    if (sameSize) m_encoder.takePicture(field->pixels(), m_width * pixelBytes);
    ms = m_shownMs;
    passedOver = m_shownCount - m_copiedCount - (sameSize ? 1 : 0);
    m_copiedCount = m_shownCount;
  }
  m_dropped.fetch_add(passedOver, std::memory_order_relaxed);
  m_taken.fetch_add(passedOver);
  if (!sameSize) m_taken.notify_all();
  return sameSize;
}

void ClipBuffer::openEncoderIfResized() {
  bool reopen = false;
  {
    std::lock_guard lock(m_mutex);
    std::swap(reopen, m_reopen);
  }
  if (!reopen) return;
  std::string why;
  m_haveKey = false;
  const bool opened = m_encoder.open(m_width, m_height, why);
  std::lock_guard lock(m_mutex);
  m_format = m_encoder.format();
  m_encoderProblem = opened ? std::string() : "the video encoder failed: " + why;
}

bool ClipBuffer::takeFrame() {
  std::int64_t ms = 0;
  openEncoderIfResized();
  if (!takeNewestPicture(ms)) return false;
  const bool key = !m_haveKey || ms - m_lastKeyMs >= keyFrameMs;
  std::optional<EncodedFrame> frame = m_encoder.encode(ms, key);
  if (frame) {
    if (frame->key) {
      m_lastKeyMs = frame->ms;
      m_haveKey = true;
    }
    std::lock_guard lock(m_mutex);
    m_history.addFrame(std::move(*frame));
    cutReady(false);
  }
  m_taken.fetch_add(1);
  m_taken.notify_all();
  return true;
}

// Under m_mutex. `all`: also the clips whose end has not come, with what there is.
void ClipBuffer::cutReady(bool all) {
  for (auto request = m_requests.begin(); request != m_requests.end();) {
    if (!all && (m_history.empty() || m_history.newestMs() < request->readyAtMs)) {
      ++request;
      continue;
    }
    startSave(*request);
    request = m_requests.erase(request);
  }
}

void ClipBuffer::saveLast(const std::filesystem::path& folder) {
  const std::int64_t last = m_lastShownMs.load();
  std::lock_guard lock(m_mutex);
  if (last < 0) {
    report({folder, m_encoderProblem.empty() ? "nothing has been recorded yet" : m_encoderProblem, false});
    return;
  }
  m_requests.push_back({last, std::nullopt, folder, false});
  cutReady(false);
}

void ClipBuffer::saveBaskets(const std::filesystem::path& folder) {
  std::lock_guard lock(m_mutex);
  m_basketFolder = folder;
}

// Under m_mutex: cuts the clip and leaves naming and writing to a thread of its own, as
// either may wait for the disk.
void ClipBuffer::startSave(const Request& request) {
  m_saves.remove_if([](const std::future<void>& save) {
    return save.wait_for(std::chrono::seconds(0)) == std::future_status::ready;
  });
  const std::int64_t end =
      request.endMs.value_or(m_history.newestMs() + m_history.newestIntervalMs());
  std::optional<ClipCut> clip = m_history.cut(end, clipMs);
  if (!clip) {
    report({request.folder,
            m_encoderProblem.empty() ? "nothing has been recorded yet" : m_encoderProblem,
            request.basket});
    return;
  }
  m_saves.push_back(std::async(std::launch::async, [this, clip = std::move(*clip),
                                                    format = m_format, request,
                                                    when = std::time(nullptr)] {
    ClipResult result{request.folder, {}, request.basket};
    std::error_code made;
    std::filesystem::create_directories(request.folder, made);
    if (made) {
      result.problem = made.message();
    } else {
      result.path = reserveName(request.folder, when);
      std::vector<std::uint8_t> file;
      result.problem = writeMp4(clip, format, file);
      if (result.problem.empty()) result.problem = replaceFile(result.path, file, m_write);
      std::lock_guard lock(m_mutex);
      m_naming.erase(result.path);
    }
    if (result.problem.empty()) m_saved.fetch_add(1);
    report(result);
  }));
}

// A name no file has and no other save is writing, kept for this save until it ends.
std::filesystem::path ClipBuffer::reserveName(const std::filesystem::path& folder,
                                              std::time_t when) {
  return clipPath(folder, when, [this](const std::filesystem::path& name) {
    std::error_code ignored;
    if (std::filesystem::exists(name, ignored)) return true;
    std::lock_guard lock(m_mutex);
    return !m_naming.insert(name).second;
  });
}

void ClipBuffer::report(const ClipResult& result) {
  if (m_report) m_report(result);
}

void ClipBuffer::finish() {
  flush();
  std::list<std::future<void>> saves;
  {
    std::lock_guard lock(m_mutex);
    cutReady(true);
    saves.swap(m_saves);
  }
  for (std::future<void>& save : saves) save.wait();
}

std::size_t ClipBuffer::memoryBytes() {
  std::lock_guard lock(m_mutex);
  return m_history.bytes();
}
