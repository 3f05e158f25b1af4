#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "clips/ClipHistory.h"

struct AVCodecContext;
struct AVFrame;
struct AVPacket;

// The picture size a clip is encoded at: the field's, cut down to even numbers of pixels
// as 4:2:0 video needs.
struct ClipVideoFormat {
  int width = 0;                      // px, even
  int height = 0;                     // px, even
  std::vector<std::uint8_t> header;   // the stream's parameter sets, for the file's header
};

// libx264 prints its statistics at every close; only errors belong on the terminal. Call
// before any thread uses FFmpeg: the level is one global of the library.
void quietCodecLogs();

// H.264 through libx264, one picture in, its encoded bytes out at once: no frame is held back
// (no B frames, no look-ahead), so that the history is always up to date. Single-threaded:
// the game needs the other cores.
class H264Encoder {
 public:
  H264Encoder() = default;
  ~H264Encoder();
  H264Encoder(const H264Encoder&) = delete;
  H264Encoder& operator=(const H264Encoder&) = delete;

  // Opens for pictures of fieldWidth × fieldHeight; false with the reason in `why`.
  bool open(int fieldWidth, int fieldHeight, std::string& why);
  bool isOpen() const { return m_context != nullptr; }
  const ClipVideoFormat& format() const { return m_format; }

  // Takes a top-down picture of 4 bytes a pixel (blue, green, red, unused) with rows of
  // `stride` bytes into the encoder's own 4:2:0 frame: the caller may change it afterwards.
  // False when the encoder is not open or has no frame to take it into.
  bool takePicture(const std::uint8_t* bgrx, int stride);
  // Encodes the picture taken last, shown at `ms`; `key` forces a key frame. Nothing on a
  // failure, or when no picture was taken since the last encode.
  std::optional<EncodedFrame> encode(std::int64_t ms, bool key);

 private:
  void close();

  AVCodecContext* m_context = nullptr;
  AVFrame* m_picture = nullptr;
  AVPacket* m_packet = nullptr;
  ClipVideoFormat m_format;
  bool m_taken = false;  // a picture waits in m_picture
};
