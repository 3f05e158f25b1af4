#pragma once
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

// What a clip file holds, decoded the way a player decodes it.
struct ClipContents {
  bool opened = false;
  std::string videoCodec;
  int width = 0;
  int height = 0;
  std::vector<double> framesAt;  // s, each decoded picture's time
  double videoEndS = 0.0;        // s, when the last picture stops being shown
  std::string audioCodec;
  std::vector<float> audio;      // mono samples as decoded
  int sampleRate = 0;
};

// The loudness (RMS) of `samples` over [fromS, toS).
inline double loudness(const ClipContents& clip, double fromS, double toS) {
  const auto from = static_cast<std::size_t>(std::max(0.0, fromS * clip.sampleRate));
  const auto to = std::min(clip.audio.size(), static_cast<std::size_t>(toS * clip.sampleRate));
  double sum = 0.0;
  for (std::size_t i = from; i < to; ++i) sum += clip.audio[i] * clip.audio[i];
  return to > from ? std::sqrt(sum / static_cast<double>(to - from)) : 0.0;
}

inline void decodeInto(AVCodecContext* codec, const AVPacket* packet, AVFrame* frame,
                       const AVStream* stream, ClipContents& clip) {
  if (avcodec_send_packet(codec, packet) < 0) return;
  while (avcodec_receive_frame(codec, frame) >= 0) {
    if (codec->codec_type == AVMEDIA_TYPE_VIDEO) {
      const double at = frame->best_effort_timestamp * av_q2d(stream->time_base);
      clip.framesAt.push_back(at);
      clip.videoEndS = std::max(clip.videoEndS, at + frame->pkt_duration * av_q2d(stream->time_base));
    } else {
      const auto* samples = reinterpret_cast<const float*>(frame->data[0]);
      clip.audio.insert(clip.audio.end(), samples, samples + frame->nb_samples);
    }
    av_frame_unref(frame);
  }
}

inline ClipContents readClip(const std::string& path) {
  ClipContents clip;
  AVFormatContext* format = nullptr;
  if (avformat_open_input(&format, path.c_str(), nullptr, nullptr) < 0) return clip;
  avformat_find_stream_info(format, nullptr);
  std::vector<AVCodecContext*> codecs(format->nb_streams, nullptr);
  for (unsigned i = 0; i < format->nb_streams; ++i) {
    const AVCodecParameters* p = format->streams[i]->codecpar;
    const AVCodec* decoder = avcodec_find_decoder(p->codec_id);
    if (decoder == nullptr) continue;
    codecs[i] = avcodec_alloc_context3(decoder);
    avcodec_parameters_to_context(codecs[i], p);
    avcodec_open2(codecs[i], decoder, nullptr);
    if (p->codec_type == AVMEDIA_TYPE_VIDEO) {
      clip.videoCodec = decoder->name;
      clip.width = p->width;
      clip.height = p->height;
    } else if (p->codec_type == AVMEDIA_TYPE_AUDIO) {
      clip.audioCodec = decoder->name;
      clip.sampleRate = p->sample_rate;
    }
  }
  AVPacket* packet = av_packet_alloc();
  AVFrame* frame = av_frame_alloc();
  while (av_read_frame(format, packet) >= 0) {
    if (AVCodecContext* codec = codecs[packet->stream_index])
      decodeInto(codec, packet, frame, format->streams[packet->stream_index], clip);
    av_packet_unref(packet);
  }
  for (unsigned i = 0; i < format->nb_streams; ++i)
    if (codecs[i] != nullptr) {
      decodeInto(codecs[i], nullptr, frame, format->streams[i], clip);
      avcodec_free_context(&codecs[i]);
    }
  av_frame_free(&frame);
  av_packet_free(&packet);
  avformat_close_input(&format);
  clip.opened = true;
  return clip;
}
