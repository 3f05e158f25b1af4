#include "capture/pipewire/SpaPod.h"

#include <spa/pod/iter.h>

#include <cstring>

namespace {

// The byte size each value of a type must have to be read here; 0 for types not read.
std::uint32_t valueSizeOf(std::uint32_t type) {
  switch (type) {
    case SPA_TYPE_Bool:
    case SPA_TYPE_Id:
    case SPA_TYPE_Int: return 4;
    case SPA_TYPE_Rectangle:
    case SPA_TYPE_Fraction: return 8;
    default: return 0;
  }
}

// A choice pod's body: its kind, then one child header giving the type and size of every
// value, then the values back to back.
bool readChoice(const spa_pod* value, PodValues& out) {
  if (value->size < sizeof(spa_pod_choice_body)) return false;
  const auto* body = reinterpret_cast<const spa_pod_choice_body*>(SPA_POD_BODY_CONST(value));
  out.choice = body->type;
  out.type = body->child.type;
  out.size = valueSizeOf(out.type);
  if (out.size == 0 || body->child.size != out.size) return false;
  out.data = static_cast<const std::uint8_t*>(SPA_POD_BODY_CONST(value)) + sizeof *body;
  out.count = (value->size - sizeof *body) / out.size;
  return out.count > 0;
}

bool readValues(const spa_pod* value, PodValues& out) {
  if (value->type == SPA_TYPE_Choice) return readChoice(value, out);
  if (value->type == SPA_TYPE_String || value->type == SPA_TYPE_Struct) {
    out.type = value->type;
    out.data = static_cast<const std::uint8_t*>(SPA_POD_BODY_CONST(value));
    out.size = value->size;
    out.count = 1;
    return true;
  }
  out.choice = SPA_CHOICE_None;
  out.type = value->type;
  out.size = valueSizeOf(out.type);
  if (out.size == 0 || value->size < out.size) return false;
  out.data = static_cast<const std::uint8_t*>(SPA_POD_BODY_CONST(value));
  out.count = 1;
  return true;
}

}  // namespace

std::uint32_t PodValues::word(std::uint32_t index, std::uint32_t part) const {
  std::uint32_t value = 0;
  std::memcpy(&value, data + std::size_t(index) * size + part * 4u, sizeof value);
  return value;
}

std::string PodValues::text() const {
  if (type != SPA_TYPE_String) return {};
  const auto* begin = reinterpret_cast<const char*>(data);
  return std::string(begin, strnlen(begin, size));
}

std::vector<std::pair<int, std::string>> PodValues::labels() const {
  std::vector<std::pair<int, std::string>> pairs;
  if (type != SPA_TYPE_Struct) return pairs;
  // `data` is the struct's body inside the aligned copy: its children are aligned pods.
  const spa_pod* child = nullptr;
  bool haveValue = false;
  int value = 0;
  for (child = static_cast<const spa_pod*>(static_cast<const void*>(data));
       spa_pod_is_inside(data, size, child);
       child = static_cast<const spa_pod*>(spa_pod_next(child))) {
    if (!haveValue) {
      if (child->type != SPA_TYPE_Int || child->size < 4) break;
      std::memcpy(&value, SPA_POD_BODY_CONST(child), sizeof value);
      haveValue = true;
      continue;
    }
    if (child->type != SPA_TYPE_String) break;
    const auto* text = static_cast<const char*>(SPA_POD_BODY_CONST(child));
    pairs.emplace_back(value, std::string(text, strnlen(text, child->size)));
    haveValue = false;
  }
  return pairs;
}

bool forEachPodProperty(const void* pod, std::size_t length, std::uint32_t& objectType,
                        const std::function<void(std::uint32_t, const PodValues&)>& visit) {
  constexpr std::size_t largestPod = 1 << 20;  // a format or a control is a few hundred bytes
  if (pod == nullptr || length < sizeof(spa_pod_object) || length > largestPod) return false;
  std::vector<std::uint64_t> aligned((length + 7) / 8);
  std::memcpy(aligned.data(), pod, length);
  const auto* object = reinterpret_cast<const spa_pod_object*>(aligned.data());
  if (object->pod.type != SPA_TYPE_Object || object->pod.size < sizeof(spa_pod_object_body) ||
      object->pod.size > length - sizeof(spa_pod))
    return false;
  objectType = object->body.type;
  const spa_pod_prop* property = nullptr;
  SPA_POD_OBJECT_FOREACH(object, property) {
    PodValues values;
    if (readValues(&property->value, values)) visit(property->key, values);
  }
  return true;
}
