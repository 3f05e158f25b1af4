#include "capture/pipewire/SpaControls.h"

#include <gtest/gtest.h>
#include <spa/param/props.h>
#include <spa/pod/builder.h>

namespace {

// One PropInfo pod as a camera node writes it: an id, a name and a type whose choice gives
// the default and the range or the alternatives.
struct PropInfoWriter {
  std::uint8_t bytes[512];
  spa_pod_builder builder;
  spa_pod_frame object;

  PropInfoWriter(std::uint32_t id, const char* name) {
    spa_pod_builder_init(&builder, bytes, sizeof bytes);
    spa_pod_builder_push_object(&builder, &object, SPA_TYPE_OBJECT_PropInfo, SPA_PARAM_PropInfo);
    spa_pod_builder_prop(&builder, SPA_PROP_INFO_id, 0);
    spa_pod_builder_id(&builder, id);
    spa_pod_builder_prop(&builder, SPA_PROP_INFO_name, 0);
    spa_pod_builder_string(&builder, name);
  }
  PropInfoWriter& ints(std::uint32_t choiceType, std::initializer_list<int> values) {
    spa_pod_frame choice;
    spa_pod_builder_prop(&builder, SPA_PROP_INFO_type, 0);
    spa_pod_builder_push_choice(&builder, &choice, choiceType, 0);
    for (int v : values) spa_pod_builder_int(&builder, v);
    spa_pod_builder_pop(&builder, &choice);
    return *this;
  }
  PropInfoWriter& labels(std::initializer_list<std::pair<int, const char*>> pairs, bool damaged = false) {
    spa_pod_frame list;
    spa_pod_builder_prop(&builder, SPA_PROP_INFO_labels, 0);
    spa_pod_builder_push_struct(&builder, &list);
    for (const auto& [value, text] : pairs) {
      spa_pod_builder_int(&builder, value);
      if (damaged) spa_pod_builder_int(&builder, value);  // a number where the label belongs
      else spa_pod_builder_string(&builder, text);
    }
    spa_pod_builder_pop(&builder, &list);
    return *this;
  }
  PropInfoWriter& boolean(bool value) {
    spa_pod_builder_prop(&builder, SPA_PROP_INFO_type, 0);
    spa_pod_builder_bool(&builder, value);
    return *this;
  }
  void addTo(std::vector<CameraControl>& controls) {
    const auto* pod = static_cast<const spa_pod*>(spa_pod_builder_pop(&builder, &object));
    appendPodControl(pod, SPA_POD_SIZE(pod), controls);
  }
};

TEST(SpaControls, RangesBooleansAndEnumerationsBecomeEditors) {
  std::vector<CameraControl> controls;
  PropInfoWriter(0x10001, "Brightness").ints(SPA_CHOICE_Step, {128, 0, 255, 2}).addTo(controls);
  PropInfoWriter(0x10002, "Horizontal Flip").boolean(true).addTo(controls);
  PropInfoWriter(0x10003, "Power Line Frequency").ints(SPA_CHOICE_Enum, {1, 0, 1, 2})
      .labels({{0, "Disabled"}, {1, "50 Hz"}, {2, "60 Hz"}}).addTo(controls);
  // Listed twice by the node: once here.
  PropInfoWriter(0x10001, "Brightness").ints(SPA_CHOICE_Range, {1, 0, 2}).addTo(controls);
  ASSERT_EQ(controls.size(), 3u);
  using Kind = CameraControl::Kind;
  const CameraControl &slider = controls[0], &box = controls[1], &menu = controls[2];
  EXPECT_EQ(std::tuple(slider.kind, slider.name, slider.minimum, slider.maximum, slider.step, slider.defaultValue),
            std::tuple(Kind::Slider, "Brightness", 0, 255, 2, 128));
  EXPECT_EQ(std::tuple(box.kind, box.value, menu.kind, menu.value), std::tuple(Kind::CheckBox, 1, Kind::Menu, 1));
  EXPECT_EQ(menu.menu, (std::vector<std::pair<int, std::string>>{{0, "Disabled"}, {1, "50 Hz"}, {2, "60 Hz"}}));
}

TEST(SpaControls, AMenuWithoutUsableLabelsShowsItsNumbers) {
  std::vector<CameraControl> controls;
  PropInfoWriter(0x10007, "Scene").ints(SPA_CHOICE_Enum, {0, 0, 3}).labels({{0, "Auto"}, {3, "Night"}}, true).addTo(controls);
  ASSERT_EQ(controls.size(), 1u);
  EXPECT_EQ(controls[0].menu, (std::vector<std::pair<int, std::string>>{{0, "0"}, {3, "3"}}));
}

// Nothing to choose, an inverted range, and every cut of a good pod add nothing.
TEST(SpaControls, KindsWeCannotEditAndDamagedPodsAreSkipped) {
  std::vector<CameraControl> controls;
  PropInfoWriter(0x10004, "Fixed").ints(SPA_CHOICE_None, {3}).addTo(controls);
  PropInfoWriter(0x10005, "Inverted").ints(SPA_CHOICE_Range, {5, 10, 0}).addTo(controls);
  EXPECT_TRUE(controls.empty());
  PropInfoWriter good(0x10006, "Contrast");
  good.ints(SPA_CHOICE_Range, {32, 0, 64});
  const auto* pod = static_cast<const spa_pod*>(spa_pod_builder_pop(&good.builder, &good.object));
  for (std::size_t cut = 0; cut < SPA_POD_SIZE(pod); ++cut) appendPodControl(pod, cut, controls);
  EXPECT_TRUE(controls.empty());
  appendPodControl(pod, SPA_POD_SIZE(pod), controls);
  EXPECT_EQ(controls.size(), 1u);
}

TEST(SpaControls, AWrittenValueReadsBackThroughProps) {
  std::vector<CameraControl> controls(2);
  controls[0].id = 0x10001;
  controls[1].id = 0x10002, controls[1].kind = CameraControl::Kind::CheckBox;
  std::uint8_t buffer[128];
  for (auto [control, written] : {std::pair{&controls[0], -7}, {&controls[1], 5}}) {
    const spa_pod* pod = buildControlPod(*control, written, buffer, sizeof buffer);
    ASSERT_NE(pod, nullptr);
    takePodValues(pod, SPA_POD_SIZE(pod), controls);
  }
  EXPECT_EQ(std::pair(controls[0].value, controls[1].value), std::pair(-7, 1));
  EXPECT_EQ(buildControlPod(controls[0], 1, buffer, 8), nullptr);
}

}  // namespace
