#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

// A checked walk over one SPA object pod as it came over the wire: no read leaves the bytes
// it was given, whatever their sizes say. The pods a PipeWire node sends are untrusted input.

// The values of one property: a plain value is one value with choice 0 (none); a choice
// lists its default first, then its range ends or alternatives.
struct PodValues {
  std::uint32_t choice = 0;       // enum spa_choice_type
  std::uint32_t type = 0;         // enum spa_type of every value
  const std::uint8_t* data = nullptr;
  std::uint32_t count = 0;
  std::uint32_t size = 0;         // bytes per value

  std::uint32_t word(std::uint32_t index, std::uint32_t part = 0) const;
  // A String value up to its NUL (or its end); empty for other types.
  std::string text() const;
  // A Struct value as (Int, String) pairs, the way a node labels the values of a menu;
  // empty for other types. Reading stops at the first pair of other types.
  std::vector<std::pair<int, std::string>> labels() const;
};

// Copies the pod into aligned memory, checks that it is an object (its type goes to
// `objectType`: a format, property info, properties…), and calls `visit` once
// per property (key, values) whose value is readable. False when it is not an object pod.
bool forEachPodProperty(const void* pod, std::size_t length, std::uint32_t& objectType,
                        const std::function<void(std::uint32_t key, const PodValues&)>& visit);
