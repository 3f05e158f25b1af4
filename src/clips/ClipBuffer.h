#pragma once
#include <atomic>
#include <cstdint>
#include <ctime>
#include <filesystem>
#include <functional>
#include <future>
#include <list>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "clips/ClipHistory.h"
#include "clips/FrameTap.h"
#include "clips/H264Encoder.h"
#include "clips/SpscRing.h"
#include "platform/SafeFile.h"

// How a save ended.
struct ClipResult {
  std::filesystem::path path;  // where the clip went, or the file or folder it was to go to
  std::string problem;         // empty when saved, else the system's reason
  bool basket = false;         // saved by itself after a basket
};

inline constexpr std::int64_t clipMs = 10000;         // a clip's length
inline constexpr std::int64_t afterBasketMs = 2000;   // a basket's clip goes on this long
inline constexpr std::int64_t keyFrameMs = 1000;      // a clip starts at most this far after a key frame

// The last seconds of play, kept as H.264 in memory, and the saves of clips from them.
//
// The frame step only notes that the field has a new picture; the encoder thread converts
// it under drawLock, straight from the surface into the encoder's 4:2:0 frame, and encodes
// it. When the encoder falls behind, it takes the newest picture and the ones it passed over
// are left out of the clips, never out of the game, and counted. Each save runs on a thread
// of its own, so that neither the game nor the next save waits for a disk.
//
// Memory: the last 11 s at the encoder's peak rate (6 bit/s a pixel, with a second of
// slack), besides the encoder's own pictures. For the 1068 × 600 field of a 640 × 480
// camera: at most 12 × 0.48 MB, about 6 MB (the bench keeps 6.0 MB; the process grows by
// some 21 MB with the encoder); for the 2348 × 1200 field of a 1920 × 1080 camera: at most
// 12 × 2.1 MB, about 25 MB (the bench keeps 9.4 MB; some 37 MB in all).
class ClipBuffer final : public FrameTap {
 public:
  using Reporter = std::function<void(const ClipResult&)>;

  // `report` is called on the save's thread when a save ends; `write` is the system call
  // the files are written with.
  explicit ClipBuffer(Reporter report, WriteCall write = ::write);
  // Saves what waits for its end, then waits for every save.
  ~ClipBuffer() override;
  ClipBuffer(const ClipBuffer&) = delete;
  ClipBuffer& operator=(const ClipBuffer&) = delete;

  // FrameTap, on the capture thread (fieldLaidOut while it is stopped).
  void fieldLaidOut(int width, int height) override;
  void fieldShown(const FieldSurface& field, std::uint32_t tick) override;
  void soundMade(Sound sound, float volume, std::uint32_t tick) override;

  // Saves the last clipMs into `folder`, made when missing, named by the date and time.
  void saveLast(const std::filesystem::path& folder);
  // Saves a clip of every basket by itself into `folder`; an empty path stops it.
  void saveBaskets(const std::filesystem::path& folder);

  // Returns once the encoder has taken every frame and sound handed over so far.
  void flush();
  // Saves the clips still waiting for their end with what there is, and waits for every
  // save to end.
  void finish();

  std::uint64_t takeDropped() { return m_dropped.exchange(0); }  // frames left out since the last call
  std::uint64_t savedCount() const { return m_saved.load(); }
  // The kept frames, in bytes.
  std::size_t memoryBytes();

 private:
  // A clip waiting for its last frame.
  struct Request {
    std::int64_t readyAtMs = 0;          // it can be cut once a frame this late is kept
    std::optional<std::int64_t> endMs;   // none: until the newest frame stops being shown
    std::filesystem::path folder;
    bool basket = false;
  };

  std::int64_t gameMs(std::uint32_t tick);
  void handOver();
  void encodeLoop();
  bool takeSounds();
  bool takeNewestPicture(std::int64_t& ms);
  void openEncoderIfResized();
  bool takeFrame();
  void cutReady(bool all);
  void startSave(const Request& request);
  std::filesystem::path reserveName(const std::filesystem::path& folder, std::time_t when);
  void report(const ClipResult& result);

  Reporter m_report;
  WriteCall m_write;

  // Capture thread to encoder. The field, the time of its picture and the count of pictures
  // change together under drawLock.
  std::atomic<const FieldSurface*> m_field{nullptr};
  std::int64_t m_shownMs = 0;
  std::uint64_t m_shownCount = 0;
  SpscRing<SoundMark, 64> m_sounds;
  int m_width = 0;   // px, the field's; set while the capture is stopped
  int m_height = 0;
  std::optional<std::uint32_t> m_originTick;  // game time 0; capture thread only
  std::atomic<std::int64_t> m_lastShownMs{-1};
  std::atomic<std::uint64_t> m_handed{0};   // pictures and sounds handed over
  std::atomic<std::uint64_t> m_taken{0};    // of them, taken by the encoder
  std::atomic<std::uint32_t> m_wake{0};     // bumped for the encoder at every change
  std::atomic<std::uint64_t> m_dropped{0};
  std::atomic<bool> m_stop{false};

  // The encoder thread's own.
  std::uint64_t m_copiedCount = 0;      // pictures shown up to the last one copied
  H264Encoder m_encoder;
  std::int64_t m_lastKeyMs = 0;
  bool m_haveKey = false;

  std::mutex m_mutex;  // guards what follows; never taken on the capture thread
  ClipHistory m_history;
  ClipVideoFormat m_format;       // of the kept frames
  bool m_reopen = false;          // the field changed size: the encoder opens again
  std::string m_encoderProblem;   // why nothing is kept, when the encoder failed
  std::vector<Request> m_requests;
  std::filesystem::path m_basketFolder;
  std::set<std::filesystem::path> m_naming;  // names of the saves in progress
  std::list<std::future<void>> m_saves;
  std::atomic<std::uint64_t> m_saved{0};

  std::thread m_thread;  // last: starts once everything above is built
};
