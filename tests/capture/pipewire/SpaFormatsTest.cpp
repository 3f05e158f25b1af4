#include "capture/pipewire/SpaFormats.h"

#include <gtest/gtest.h>
#include <spa/param/format.h>
#include <spa/param/video/raw.h>
#include <spa/pod/builder.h>

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

TEST(SpaFormats, AFixedFormatIsOneMode) {
  PodWriter pod(SPA_MEDIA_SUBTYPE_raw);
  pod.formats({SPA_VIDEO_FORMAT_YUY2});
  pod.size(640, 480);
  pod.rates(SPA_CHOICE_None, {{30, 1}});
  const std::vector<CameraMode> modes = pod.modes();
  ASSERT_EQ(modes.size(), 1u);
  EXPECT_EQ(modes[0].pixelFormat, yuyv);
  EXPECT_EQ(modes[0].formatName, "YUY2");
  EXPECT_EQ(modes[0].width, 640);
  EXPECT_EQ(modes[0].height, 480);
  EXPECT_EQ(modes[0].intervalNumerator, 1u);
  EXPECT_EQ(modes[0].intervalDenominator, 30u);
}

TEST(SpaFormats, OnlyFormatsTheConvertersKnowAreOffered) {
  PodWriter pod(SPA_MEDIA_SUBTYPE_raw);
  pod.formats({SPA_VIDEO_FORMAT_YVYU, SPA_VIDEO_FORMAT_NV12, SPA_VIDEO_FORMAT_BGRx});
  pod.size(320, 240);
  const std::vector<CameraMode> modes = pod.modes();
  const bool padded = pixelLayoutOf(fourcc('X', 'R', '2', '4')) != PixelLayout::Unsupported;
  ASSERT_EQ(modes.size(), padded ? 2u : 1u);
  EXPECT_EQ(modes[0].pixelFormat, fourcc('N', 'V', '1', '2'));
  EXPECT_EQ(modes[0].intervalNumerator, 0u);  // no rate named: any rate
}

TEST(SpaFormats, ASizeRangeOffersItsDefaultAndTheCommonSizesInside) {
  PodWriter pod(SPA_MEDIA_SUBTYPE_raw);
  pod.formats({SPA_VIDEO_FORMAT_I420});
  pod.sizeRange({800, 600}, {320, 240}, {1280, 720});
  pod.rates(SPA_CHOICE_Range, {{30, 1}, {1, 1}, {60, 1}});
  std::vector<std::pair<int, double>> seen;
  for (const CameraMode& m : pod.modes()) seen.emplace_back(m.width, m.framesPerSecond());
  const std::vector<std::pair<int, double>> expected = {
      {800, 30}, {800, 60}, {320, 30}, {320, 60}, {640, 30}, {640, 60}, {1280, 30}, {1280, 60}};
  EXPECT_EQ(seen, expected);
}

TEST(SpaFormats, MjpegAndEnumeratedRatesWithoutRepeats) {
  PodWriter pod(SPA_MEDIA_SUBTYPE_mjpg);
  pod.size(1280, 720);
  pod.rates(SPA_CHOICE_Enum, {{30, 1}, {30, 1}, {15, 1}, {0, 1}});
  const std::vector<CameraMode> modes = pod.modes();
  ASSERT_EQ(modes.size(), 3u);
  EXPECT_EQ(modes[0].pixelFormat, mjpg);
  EXPECT_EQ(modes[0].formatName, "MJPG");
  EXPECT_DOUBLE_EQ(modes[0].framesPerSecond(), 30.0);
  EXPECT_DOUBLE_EQ(modes[1].framesPerSecond(), 15.0);
  EXPECT_EQ(modes[2].intervalNumerator, 0u);  // 0/1: a variable rate
}

TEST(SpaFormats, ABuiltFormatReadsBackAsTheSameMode) {
  CameraMode asked;
  asked.pixelFormat = fourcc('N', 'V', '1', '2');
  asked.width = 1280;
  asked.height = 720;
  asked.intervalNumerator = 1001;
  asked.intervalDenominator = 30000;
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
