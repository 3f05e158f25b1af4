#include "capture/pipewire/SpaFormats.h"

#include <gtest/gtest.h>
#include <spa/param/format.h>
#include <spa/param/video/raw.h>
#include <spa/pod/builder.h>

#include <functional>

#include "capture/PixelConverters.h"

namespace {

constexpr std::uint32_t yuyv = fourcc('Y', 'U', 'Y', 'V');
constexpr std::uint32_t mjpg = fourcc('M', 'J', 'P', 'G');

// A node's EnumFormat entry, written the way PipeWire's nodes write theirs.
struct PodWriter {
  std::uint8_t bytes[1024];
  spa_pod_builder builder;
  spa_pod_frame object;

  explicit PodWriter(std::uint32_t subtype) {
    spa_pod_builder_init(&builder, bytes, sizeof bytes);
    spa_pod_builder_push_object(&builder, &object, SPA_TYPE_OBJECT_Format, SPA_PARAM_EnumFormat);
    spa_pod_builder_add(&builder, SPA_FORMAT_mediaType, SPA_POD_Id(SPA_MEDIA_TYPE_video),
                        SPA_FORMAT_mediaSubtype, SPA_POD_Id(subtype), 0);
  }
  void formats(std::initializer_list<std::uint32_t> ids) {
    spa_pod_frame choice;
    spa_pod_builder_prop(&builder, SPA_FORMAT_VIDEO_format, 0);
    spa_pod_builder_push_choice(&builder, &choice, SPA_CHOICE_Enum, 0);
    spa_pod_builder_id(&builder, *ids.begin());
    for (std::uint32_t id : ids) spa_pod_builder_id(&builder, id);
    spa_pod_builder_pop(&builder, &choice);
  }
  void size(std::uint32_t w, std::uint32_t h) {
    spa_pod_builder_prop(&builder, SPA_FORMAT_VIDEO_size, 0);
    spa_pod_builder_rectangle(&builder, w, h);
  }
  void sizeRange(spa_rectangle def, spa_rectangle low, spa_rectangle high) {
    spa_pod_frame choice;
    spa_pod_builder_prop(&builder, SPA_FORMAT_VIDEO_size, 0);
    spa_pod_builder_push_choice(&builder, &choice, SPA_CHOICE_Range, 0);
    for (const spa_rectangle& r : {def, low, high}) spa_pod_builder_rectangle(&builder, r.width, r.height);
    spa_pod_builder_pop(&builder, &choice);
  }
  void rates(std::uint32_t choiceType, std::initializer_list<spa_fraction> values) {
    spa_pod_frame choice;
    spa_pod_builder_prop(&builder, SPA_FORMAT_VIDEO_framerate, 0);
    spa_pod_builder_push_choice(&builder, &choice, choiceType, 0);
    for (const spa_fraction& f : values) spa_pod_builder_fraction(&builder, f.num, f.denom);
    spa_pod_builder_pop(&builder, &choice);
  }
  std::vector<CameraMode> modes() {
    const auto* pod = static_cast<const spa_pod*>(spa_pod_builder_pop(&builder, &object));
    std::vector<CameraMode> found;
    appendPodModes(pod, SPA_POD_SIZE(pod), found);
    return found;
  }
};

TEST(SpaFormats, MapsEachFormatTheConvertersTakeBothWays) {
  const struct {
    std::uint32_t spa;
    std::uint32_t code;
  } table[] = {
      {SPA_VIDEO_FORMAT_YUY2, yuyv},
      {SPA_VIDEO_FORMAT_UYVY, fourcc('U', 'Y', 'V', 'Y')},
      {SPA_VIDEO_FORMAT_NV12, fourcc('N', 'V', '1', '2')},
      {SPA_VIDEO_FORMAT_I420, fourcc('Y', 'U', '1', '2')},
      {SPA_VIDEO_FORMAT_RGB, fourcc('R', 'G', 'B', '3')},
      {SPA_VIDEO_FORMAT_BGR, fourcc('B', 'G', 'R', '3')},
      {SPA_VIDEO_FORMAT_BGRx, fourcc('X', 'R', '2', '4')},
      {SPA_VIDEO_FORMAT_RGBx, fourcc('X', 'B', '2', '4')},
  };
  for (const auto& row : table) {
    EXPECT_EQ(fourccOfSpaFormat(row.spa), row.code) << row.spa;
    EXPECT_EQ(spaFormatOfFourcc(row.code), row.spa) << row.spa;
  }
  EXPECT_EQ(fourccOfSpaFormat(SPA_VIDEO_FORMAT_YVYU), 0u);
  EXPECT_EQ(spaFormatOfFourcc(mjpg), std::uint32_t(SPA_VIDEO_FORMAT_UNKNOWN));
}

// Each mode as "code name width x height interval", the code as its four characters.
std::vector<std::string> shown(const std::vector<CameraMode>& modes) {
  std::vector<std::string> texts;
  for (const CameraMode& m : modes)
    texts.push_back(std::string(reinterpret_cast<const char*>(&m.pixelFormat), 4) + " " + m.formatName + " " +
                    std::to_string(m.width) + "x" + std::to_string(m.height) + " " +
                    std::to_string(m.intervalNumerator) + "/" + std::to_string(m.intervalDenominator));
  return texts;
}

// Only formats the converters know are offered; no rate named is any rate (0/0), and so is
// 0/1, a variable one; a size range offers its default and the common sizes inside.
TEST(SpaFormats, EachEntryOffersTheModesTheConvertersTake) {
  std::vector<std::string> known{"NV12 NV12 320x240 0/0", "XR24 BGRx 320x240 0/0"};
  if (pixelLayoutOf(fourcc('X', 'R', '2', '4')) == PixelLayout::Unsupported) known.pop_back();
  std::vector<std::string> ranged;
  for (const char* size : {"800x600", "320x240", "640x480", "1280x720"})
    for (const char* interval : {"1/30", "1/60"}) ranged.push_back(std::string("YU12 I420 ") + size + " " + interval);
  const struct {
    std::uint32_t subtype;
    std::function<void(PodWriter&)> write;
    std::vector<std::string> modes;
  } rows[] = {
      {SPA_MEDIA_SUBTYPE_raw, [](PodWriter& pod) { pod.formats({SPA_VIDEO_FORMAT_YUY2}), pod.size(640, 480),
                                                   pod.rates(SPA_CHOICE_None, {{30, 1}}); },
       {"YUYV YUY2 640x480 1/30"}},
      {SPA_MEDIA_SUBTYPE_raw, [](PodWriter& pod) {
         pod.formats({SPA_VIDEO_FORMAT_YVYU, SPA_VIDEO_FORMAT_NV12, SPA_VIDEO_FORMAT_BGRx}), pod.size(320, 240); }, known},
      {SPA_MEDIA_SUBTYPE_raw, [](PodWriter& pod) { pod.formats({SPA_VIDEO_FORMAT_I420}),
         pod.sizeRange({800, 600}, {320, 240}, {1280, 720}), pod.rates(SPA_CHOICE_Range, {{30, 1}, {1, 1}, {60, 1}}); },
       ranged},
      {SPA_MEDIA_SUBTYPE_mjpg, [](PodWriter& pod) {
         pod.size(1280, 720), pod.rates(SPA_CHOICE_Enum, {{30, 1}, {30, 1}, {15, 1}, {0, 1}}); },
       {"MJPG MJPG 1280x720 1/30", "MJPG MJPG 1280x720 1/15", "MJPG MJPG 1280x720 0/0"}},
  };
  for (const auto& row : rows) {
    PodWriter pod(row.subtype);
    row.write(pod);
    EXPECT_EQ(shown(pod.modes()), row.modes);
  }
}

TEST(SpaFormats, ABuiltFormatReadsBackAsTheSameMode) {
  CameraMode asked{fourcc('N', 'V', '1', '2'), "", 1280, 720, 1001, 30000};
  std::uint8_t buffer[512];
  const spa_pod* pod = buildFormatPod(asked, buffer, sizeof buffer);
  ASSERT_NE(pod, nullptr);
  std::vector<CameraMode> read;
  appendPodModes(pod, SPA_POD_SIZE(pod), read);
  ASSERT_EQ(read.size(), 1u);
  EXPECT_TRUE(read[0].sameAs(asked));
  EXPECT_EQ(buildFormatPod(asked, buffer, 16), nullptr);  // too small
  asked.pixelFormat = fourcc('Y', 'V', 'Y', 'U');
  EXPECT_EQ(buildFormatPod(asked, buffer, sizeof buffer), nullptr);  // not a format we ask for
}

TEST(SpaFormats, DamagedPodsAddNothing) {
  PodWriter writer(SPA_MEDIA_SUBTYPE_raw);
  writer.formats({SPA_VIDEO_FORMAT_YUY2});
  writer.size(640, 480);
  const auto* pod = static_cast<const spa_pod*>(spa_pod_builder_pop(&writer.builder, &writer.object));
  const std::size_t whole = SPA_POD_SIZE(pod);
  std::vector<CameraMode> modes;
  for (std::size_t cut = 0; cut < whole; ++cut) appendPodModes(pod, cut, modes);
  EXPECT_TRUE(modes.empty());
  std::vector<std::uint8_t> bad(writer.bytes, writer.bytes + whole);
  bad[4] = SPA_TYPE_Struct;  // not an object
  appendPodModes(bad.data(), bad.size(), modes);
  appendPodModes(nullptr, 100, modes);
  EXPECT_TRUE(modes.empty());
  appendPodModes(pod, whole, modes);
  EXPECT_EQ(modes.size(), 1u);
}

}  // namespace
