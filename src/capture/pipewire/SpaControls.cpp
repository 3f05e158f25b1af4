#include "capture/pipewire/SpaControls.h"

#include <spa/param/props.h>
#include <spa/pod/builder.h>

#include <algorithm>
#include <string>

#include "capture/pipewire/SpaPod.h"

namespace {

int asInt(const PodValues& v, std::uint32_t index) { return static_cast<int>(v.word(index)); }

// Fills kind, range and default from the property's type pod; false for kinds not offered.
bool readKind(const PodValues& v, CameraControl& control) {
  if (v.type == SPA_TYPE_Bool) {
    control.kind = CameraControl::Kind::CheckBox;
    control.maximum = 1;
    control.defaultValue = control.value = asInt(v, 0) != 0;
    return true;
  }
  if (v.type != SPA_TYPE_Int) return false;
  control.defaultValue = control.value = asInt(v, 0);
  if ((v.choice == SPA_CHOICE_Range || v.choice == SPA_CHOICE_Step) && v.count >= 3) {
    control.kind = CameraControl::Kind::Slider;
    control.minimum = asInt(v, 1);
    control.maximum = asInt(v, 2);
    control.step = v.choice == SPA_CHOICE_Step && v.count >= 4 ? std::max(1, asInt(v, 3)) : 1;
    return control.minimum <= control.maximum;
  }
  if (v.choice == SPA_CHOICE_Enum && v.count >= 2) {
    control.kind = CameraControl::Kind::Menu;
    for (std::uint32_t i = 1; i < v.count; ++i)
      control.menu.emplace_back(asInt(v, i), std::to_string(asInt(v, i)));
    return true;
  }
  return false;
}

}  // namespace

void appendPodControl(const void* pod, std::size_t length, std::vector<CameraControl>& controls) {
  CameraControl control;
  bool hasId = false;
  bool usable = false;
  std::string description;
  std::vector<std::pair<int, std::string>> labels;
  std::uint32_t objectType = 0;
  const bool read = forEachPodProperty(pod, length, objectType, [&](std::uint32_t key,
                                                                     const PodValues& v) {
    switch (key) {
      case SPA_PROP_INFO_id:
        hasId = v.type == SPA_TYPE_Id;
        control.id = hasId ? v.word(0) : 0;
        break;
      case SPA_PROP_INFO_name: control.name = v.text(); break;
      case SPA_PROP_INFO_description: description = v.text(); break;
      case SPA_PROP_INFO_type: usable = readKind(v, control); break;
      case SPA_PROP_INFO_labels: labels = v.labels(); break;
      default: break;
    }
  });
  if (!read || objectType != SPA_TYPE_OBJECT_PropInfo || !hasId || !usable) return;
  if (!description.empty()) control.name = description;
  for (auto& [value, label] : control.menu)
    for (const auto& [labelled, text] : labels)
      if (labelled == value && !text.empty()) label = text;
  if (control.name.empty()) return;
  const bool known = std::any_of(controls.begin(), controls.end(),
                                 [&control](const CameraControl& c) { return c.id == control.id; });
  if (!known) controls.push_back(std::move(control));
}

void takePodValues(const void* pod, std::size_t length, std::vector<CameraControl>& controls) {
  std::uint32_t objectType = 0;
  std::vector<std::pair<std::uint32_t, int>> values;
  const bool read = forEachPodProperty(pod, length, objectType, [&values](std::uint32_t key,
                                                                         const PodValues& v) {
    if (v.type == SPA_TYPE_Int || v.type == SPA_TYPE_Bool) values.emplace_back(key, asInt(v, 0));
  });
  if (!read || objectType != SPA_TYPE_OBJECT_Props) return;
  for (const auto& [key, value] : values)
    for (CameraControl& control : controls)
      if (control.id == key) control.value = control.kind == CameraControl::Kind::CheckBox ? value != 0 : value;
}

const spa_pod* buildControlPod(const CameraControl& control, int value, std::uint8_t* buffer,
                               std::size_t size) {
  spa_pod_builder builder;
  spa_pod_builder_init(&builder, buffer, static_cast<std::uint32_t>(size));
  spa_pod_frame frame;
  spa_pod_builder_push_object(&builder, &frame, SPA_TYPE_OBJECT_Props, SPA_PARAM_Props);
  spa_pod_builder_prop(&builder, control.id, 0);
  if (control.kind == CameraControl::Kind::CheckBox)
    spa_pod_builder_bool(&builder, value != 0);
  else
    spa_pod_builder_int(&builder, value);
  auto* pod = static_cast<const spa_pod*>(spa_pod_builder_pop(&builder, &frame));
  return builder.state.offset <= size ? pod : nullptr;
}
