#pragma once
#include <string>

extern "C" {
#include <libavutil/error.h>
}

// FFmpeg's text for an error code, such as "No space left on device".
inline std::string avErrorText(int code) {
  char text[AV_ERROR_MAX_STRING_SIZE] = {};
  av_strerror(code, text, sizeof text);
  return text;
}
