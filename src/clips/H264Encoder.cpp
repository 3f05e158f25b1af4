#include "clips/H264Encoder.h"

#include <libyuv/convert.h>

#include <mutex>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavutil/error.h>
#include <libavutil/log.h>
#include <libavutil/opt.h>
}

#include "clips/AvError.h"

namespace {

// The stream's peak rate in bits per second for each pixel: it bounds the memory the last
// seconds take (3.8 Mbit/s for the 1068 × 600 field of a 640 × 480 camera, 16.9 Mbit/s for
// the 2348 × 1200 field of a 1080p one).
constexpr std::int64_t peakBitsPerPixel = 6;
constexpr int nominalFps = 30;  // a rate-control hint only: the time stamps give the real rate

}  // namespace

void quietCodecLogs() {
  static std::once_flag once;
  std::call_once(once, [] { av_log_set_level(AV_LOG_ERROR); });
}

H264Encoder::~H264Encoder() { close(); }

void H264Encoder::close() {
  avcodec_free_context(&m_context);
  av_frame_free(&m_picture);
  av_packet_free(&m_packet);
  m_format = {};
  m_taken = false;
}

bool H264Encoder::open(int fieldWidth, int fieldHeight, std::string& why) {
  close();
  const AVCodec* codec = avcodec_find_encoder_by_name("libx264");
  if (codec == nullptr) {
    why = "this FFmpeg has no libx264 encoder";
    return false;
  }
  m_context = avcodec_alloc_context3(codec);
  m_picture = av_frame_alloc();
  m_packet = av_packet_alloc();
  if (m_context == nullptr || m_picture == nullptr || m_packet == nullptr) {
    why = "out of memory";
    close();
    return false;
  }
  const int width = fieldWidth & ~1;
  const int height = fieldHeight & ~1;
  m_context->width = width;
  m_context->height = height;
  m_context->pix_fmt = AV_PIX_FMT_YUV420P;
  m_context->time_base = {1, 1000};  // ms, the game clock's unit
  m_context->framerate = {nominalFps, 1};
  m_context->gop_size = 10 * nominalFps;  // key frames are asked for by time instead
  m_context->max_b_frames = 0;
  m_context->thread_count = 1;
  m_context->rc_max_rate = peakBitsPerPixel * width * height;
  m_context->rc_buffer_size = static_cast<int>(m_context->rc_max_rate);
  m_context->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;  // MP4 keeps the parameter sets apart
  av_opt_set(m_context->priv_data, "preset", "ultrafast", 0);
  av_opt_set(m_context->priv_data, "tune", "zerolatency", 0);
  av_opt_set(m_context->priv_data, "crf", "23", 0);
  av_opt_set_int(m_context->priv_data, "forced-idr", 1, 0);
  int result = avcodec_open2(m_context, codec, nullptr);
  if (result >= 0) {
    m_picture->format = AV_PIX_FMT_YUV420P;
    m_picture->width = width;
    m_picture->height = height;
    result = av_frame_get_buffer(m_picture, 0);
  }
  if (result < 0) {
    why = avErrorText(result);
    close();
    return false;
  }
  m_format.width = width;
  m_format.height = height;
  m_format.header.assign(m_context->extradata, m_context->extradata + m_context->extradata_size);
  return true;
}

bool H264Encoder::takePicture(const std::uint8_t* bgrx, int stride) {
  m_taken = false;
  if (m_context == nullptr || av_frame_make_writable(m_picture) < 0) return false;
  // libyuv's "ARGB" is blue, green, red, alpha in memory: the field's order.
  libyuv::ARGBToI420(bgrx, stride, m_picture->data[0], m_picture->linesize[0],
                     m_picture->data[1], m_picture->linesize[1], m_picture->data[2],
                     m_picture->linesize[2], m_format.width, m_format.height);
  m_taken = true;
  return true;
}

std::optional<EncodedFrame> H264Encoder::encode(std::int64_t ms, bool key) {
  if (!m_taken) return std::nullopt;
  m_taken = false;
  m_picture->pts = ms;
  m_picture->pict_type = key ? AV_PICTURE_TYPE_I : AV_PICTURE_TYPE_NONE;
  if (avcodec_send_frame(m_context, m_picture) < 0) return std::nullopt;
  if (avcodec_receive_packet(m_context, m_packet) < 0) return std::nullopt;
  EncodedFrame frame;
  frame.ms = m_packet->pts;
  frame.key = (m_packet->flags & AV_PKT_FLAG_KEY) != 0;
  frame.bytes = std::make_shared<const std::vector<std::uint8_t>>(m_packet->data,
                                                                  m_packet->data + m_packet->size);
  av_packet_unref(m_packet);
  return frame;
}
