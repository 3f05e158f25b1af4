#include "clips/Mp4Writer.h"

#include <algorithm>
#include <cstring>
#include <memory>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
}

#include "audio/SoundSynth.h"
#include "clips/AvError.h"
#include "clips/SoundMix.h"

namespace {

constexpr AVRational msBase{1, 1000};
constexpr std::int64_t audioBitRate = 96000;  // bit/s, plenty for one synthesized voice
constexpr int ioBufferSize = 1 << 16;

// The file grows in memory; the muxer seeks back to fill in sizes.
struct MemoryFile {
  std::vector<std::uint8_t>& bytes;
  std::size_t at = 0;
};

// FFmpeg 5.1 hands the bytes through a pointer to non-const.
int writeBytes(void* opaque, std::uint8_t* data, int size) {
  auto& file = *static_cast<MemoryFile*>(opaque);
  if (file.at + size > file.bytes.size()) file.bytes.resize(file.at + size);
  std::memcpy(file.bytes.data() + file.at, data, static_cast<std::size_t>(size));
  file.at += static_cast<std::size_t>(size);
  return size;
}

std::int64_t seekBytes(void* opaque, std::int64_t offset, int whence) {
  auto& file = *static_cast<MemoryFile*>(opaque);
  switch (whence & ~AVSEEK_FORCE) {
    case SEEK_SET: file.at = static_cast<std::size_t>(offset); break;
    case SEEK_CUR: file.at = static_cast<std::size_t>(file.at + offset); break;
    case SEEK_END: file.at = static_cast<std::size_t>(file.bytes.size() + offset); break;
    case AVSEEK_SIZE: return static_cast<std::int64_t>(file.bytes.size());
    default: return AVERROR(EINVAL);
  }
  return static_cast<std::int64_t>(file.at);
}

struct ContextFree {
  void operator()(AVFormatContext* c) const {
    if (c->pb != nullptr) {
      av_freep(&c->pb->buffer);
      avio_context_free(&c->pb);
    }
    avformat_free_context(c);
  }
};
struct CodecFree {
  void operator()(AVCodecContext* c) const { avcodec_free_context(&c); }
};
struct PacketFree {
  void operator()(AVPacket* p) const { av_packet_free(&p); }
};
struct FrameFree {
  void operator()(AVFrame* f) const { av_frame_free(&f); }
};
using Muxer = std::unique_ptr<AVFormatContext, ContextFree>;
using Codec = std::unique_ptr<AVCodecContext, CodecFree>;
using Packet = std::unique_ptr<AVPacket, PacketFree>;
using Frame = std::unique_ptr<AVFrame, FrameFree>;

// A failure's FFmpeg code, carried out of the steps below.
struct Failed {
  int code;
};
void check(int result) {
  if (result < 0) throw Failed{result};
}

AVStream* addVideo(AVFormatContext* muxer, const ClipVideoFormat& video) {
  AVStream* stream = avformat_new_stream(muxer, nullptr);
  if (stream == nullptr) throw Failed{AVERROR(ENOMEM)};
  AVCodecParameters* p = stream->codecpar;
  p->codec_type = AVMEDIA_TYPE_VIDEO;
  p->codec_id = AV_CODEC_ID_H264;
  p->width = video.width;
  p->height = video.height;
  p->format = AV_PIX_FMT_YUV420P;
  p->extradata = static_cast<std::uint8_t*>(
      av_mallocz(video.header.size() + AV_INPUT_BUFFER_PADDING_SIZE));
  if (p->extradata == nullptr) throw Failed{AVERROR(ENOMEM)};
  std::copy(video.header.begin(), video.header.end(), p->extradata);
  p->extradata_size = static_cast<int>(video.header.size());
  stream->time_base = msBase;
  return stream;
}

Codec openAac() {
  const AVCodec* aac = avcodec_find_encoder_by_name("aac");
  if (aac == nullptr) throw Failed{AVERROR_ENCODER_NOT_FOUND};
  Codec codec(avcodec_alloc_context3(aac));
  if (!codec) throw Failed{AVERROR(ENOMEM)};
  codec->sample_fmt = AV_SAMPLE_FMT_FLTP;
  codec->sample_rate = soundSampleRate;
  av_channel_layout_default(&codec->ch_layout, 1);
  codec->bit_rate = audioBitRate;
  codec->time_base = {1, soundSampleRate};
  codec->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
  check(avcodec_open2(codec.get(), aac, nullptr));
  return codec;
}

void writeVideo(AVFormatContext* muxer, AVStream* stream, const ClipCut& clip) {
  Packet packet(av_packet_alloc());
  if (!packet) throw Failed{AVERROR(ENOMEM)};
  for (std::size_t i = 0; i < clip.frames.size(); ++i) {
    const EncodedFrame& frame = clip.frames[i];
    const std::int64_t next = i + 1 < clip.frames.size() ? clip.frames[i + 1].ms : clip.endMs;
    check(av_new_packet(packet.get(), static_cast<int>(frame.bytes->size())));
    std::copy(frame.bytes->begin(), frame.bytes->end(), packet->data);
    // Frames before the start get negative times, which the edit list hides.
    packet->pts = packet->dts = frame.ms - clip.startMs;
    packet->duration = std::max<std::int64_t>(1, next - frame.ms);
    packet->flags = frame.key ? AV_PKT_FLAG_KEY : 0;
    packet->stream_index = stream->index;
    av_packet_rescale_ts(packet.get(), msBase, stream->time_base);
    check(av_interleaved_write_frame(muxer, packet.get()));
  }
}

// Sends one block of samples (or the end, with null) and writes what comes out.
void encodeAudio(AVFormatContext* muxer, AVStream* stream, AVCodecContext* codec,
                 const AVFrame* block, AVPacket* packet) {
  check(avcodec_send_frame(codec, block));
  for (;;) {
    const int result = avcodec_receive_packet(codec, packet);
    if (result == AVERROR(EAGAIN) || result == AVERROR_EOF) return;
    check(result);
    packet->stream_index = stream->index;
    av_packet_rescale_ts(packet, codec->time_base, stream->time_base);
    check(av_interleaved_write_frame(muxer, packet));
  }
}

void writeAudio(AVFormatContext* muxer, AVStream* stream, AVCodecContext* codec,
                const ClipCut& clip) {
  const std::vector<float> samples = mixSounds(clip.sounds, clip.startMs, clip.endMs);
  Frame block(av_frame_alloc());
  Packet packet(av_packet_alloc());
  if (!block || !packet) throw Failed{AVERROR(ENOMEM)};
  block->format = codec->sample_fmt;
  block->nb_samples = codec->frame_size;
  block->sample_rate = codec->sample_rate;
  check(av_channel_layout_copy(&block->ch_layout, &codec->ch_layout));
  check(av_frame_get_buffer(block.get(), 0));
  for (std::size_t at = 0; at < samples.size(); at += static_cast<std::size_t>(codec->frame_size)) {
    check(av_frame_make_writable(block.get()));
    const std::size_t n = std::min<std::size_t>(codec->frame_size, samples.size() - at);
    auto* out = reinterpret_cast<float*>(block->data[0]);
    std::copy_n(samples.begin() + static_cast<std::ptrdiff_t>(at), n, out);
    std::fill(out + n, out + codec->frame_size, 0.0f);
    block->nb_samples = static_cast<int>(n);
    block->pts = static_cast<std::int64_t>(at);
    encodeAudio(muxer, stream, codec, block.get(), packet.get());
  }
  encodeAudio(muxer, stream, codec, nullptr, packet.get());
}

void writeClip(const ClipCut& clip, const ClipVideoFormat& video, MemoryFile& file) {
  AVFormatContext* raw = nullptr;
  check(avformat_alloc_output_context2(&raw, nullptr, "mp4", nullptr));
  Muxer muxer(raw);
  auto* buffer = static_cast<std::uint8_t*>(av_malloc(ioBufferSize));
  if (buffer == nullptr) throw Failed{AVERROR(ENOMEM)};
  muxer->pb = avio_alloc_context(buffer, ioBufferSize, 1, &file, nullptr, writeBytes, seekBytes);
  if (muxer->pb == nullptr) {
    av_free(buffer);
    throw Failed{AVERROR(ENOMEM)};
  }
  muxer->flags |= AVFMT_FLAG_CUSTOM_IO;
  AVStream* videoStream = addVideo(muxer.get(), video);
  Codec aac = openAac();
  AVStream* audioStream = avformat_new_stream(muxer.get(), nullptr);
  if (audioStream == nullptr) throw Failed{AVERROR(ENOMEM)};
  check(avcodec_parameters_from_context(audioStream->codecpar, aac.get()));
  audioStream->time_base = aac->time_base;
  check(avformat_write_header(muxer.get(), nullptr));
  writeVideo(muxer.get(), videoStream, clip);
  writeAudio(muxer.get(), audioStream, aac.get(), clip);
  check(av_write_trailer(muxer.get()));
  avio_flush(muxer->pb);
}

}  // namespace

std::string writeMp4(const ClipCut& clip, const ClipVideoFormat& video,
                     std::vector<std::uint8_t>& file) {
  file.clear();
  if (clip.frames.empty()) return "the clip has no pictures";
  MemoryFile memory{file};
  try {
    writeClip(clip, video, memory);
  } catch (const Failed& failed) {
    file.clear();
    return avErrorText(failed.code);
  }
  return {};
}
