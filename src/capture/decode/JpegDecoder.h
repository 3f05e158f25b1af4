#pragma once
#include <cstddef>
#include <cstdint>

// Decodes the camera's MJPEG pictures straight into FrameImages (FrameImage.h: 32-bit
// pixels, top row first) with libturbojpeg. One decoder per capture thread.
class JpegDecoder {
 public:
  JpegDecoder();
  ~JpegDecoder();
  JpegDecoder(const JpegDecoder&) = delete;
  JpegDecoder& operator=(const JpegDecoder&) = delete;

  // False for a picture that is not exactly width × height or that decodes with any error
  // or warning (a truncated or damaged frame): such a frame must not be shown, since its
  // grey remainder would look like motion.
  bool decode(const std::uint8_t* jpeg, std::size_t length, int width, int height,
              std::uint8_t* frame);

 private:
  void* handle;
};
