#include "app/Options.h"

#include <charconv>
#include <cmath>
#include <functional>
#include <map>

#include "capture/FrameRate.h"

namespace {

constexpr const char* usage =
    "usage: swishcam [--demo | --replay FILE] [--record FILE.y4m] [--size WxH] [--fps F]\n"
    "                [--seed N] [--settings FILE] [--left NAME] [--right NAME] [--skill 0-5]\n"
    "                [--period MINUTES] [--speed 2-10] [--no-mirror]\n"
    "       swishcam --headless [--demo | --replay FILE] [--seconds S | --frames N]\n"
    "                [--snapshot OUT.png] [the options above]";

constexpr int minFrameSide = 32;     // px; smaller pictures cannot hold the ball's motion
constexpr int maxFrameSide = 4096;   // px
constexpr std::size_t maxNameLength = 10;  // as the players dialog allows

template <typename Number>
bool parseNumber(const std::string& text, Number& value) {
  const char* end = text.data() + text.size();
  auto [stop, error] = std::from_chars(text.data(), end, value);
  return error == std::errc() && stop == end && !text.empty();
}

bool parseSize(const std::string& text, int& width, int& height) {
  const std::size_t x = text.find('x');
  if (x == std::string::npos) return false;
  return parseNumber(text.substr(0, x), width) && parseNumber(text.substr(x + 1), height) &&
         width >= minFrameSide && width <= maxFrameSide && height >= minFrameSide &&
         height <= maxFrameSide;
}

template <typename Number>
bool parseInRange(const std::string& text, Number low, Number high, Number& value) {
  return parseNumber(text, value) && value >= low && value <= high;
}

// The reading of one option's value; false when the value is bad.
using ValueReader = std::function<bool(const std::string&, Options&)>;

const std::map<std::string, std::pair<ValueReader, const char*>>& valueOptions() {
  static const std::map<std::string, std::pair<ValueReader, const char*>> table{
      {"--replay", {[](const std::string& v, Options& o) { o.replayFile = v; return !v.empty(); },
                    "a file name"}},
      {"--record", {[](const std::string& v, Options& o) { o.recordFile = v; return !v.empty(); },
                    "a file name"}},
      {"--snapshot", {[](const std::string& v, Options& o) { o.snapshotFile = v; return !v.empty(); },
                      "a file name"}},
      {"--settings", {[](const std::string& v, Options& o) { o.settingsFile = v; return !v.empty(); },
                      "a file name"}},
      {"--size", {[](const std::string& v, Options& o) { return parseSize(v, o.width, o.height); },
                  "WIDTHxHEIGHT, each 32 to 4096"}},
      {"--fps", {[](const std::string& v, Options& o) {
                   return parseNumber(v, o.fps) && isUsableFrameRate(o.fps);
                 },
                 "frames per second, 1 to 240"}},
      {"--seconds", {[](const std::string& v, Options& o) {
                       double s = 0;
                       if (!parseNumber(v, s) || !std::isfinite(s) || s <= 0 || s > 1e6) return false;
                       o.seconds = s;
                       return true;
                     },
                     "simulated seconds, above 0 and at most 1000000"}},
      {"--frames", {[](const std::string& v, Options& o) {
                      long n = 0;
                      if (!parseInRange(v, 1L, 100'000'000L, n)) return false;
                      o.frames = n;
                      return true;
                    },
                    "a frame count, 1 to 100000000"}},
      {"--seed", {[](const std::string& v, Options& o) { return parseNumber(v, o.seed); },
                  "a whole number, 0 to 4294967295"}},
      {"--left", {[](const std::string& v, Options& o) {
                    o.leftName = v;
                    return v.size() <= maxNameLength;
                  },
                  "a name of at most 10 characters"}},
      {"--right", {[](const std::string& v, Options& o) {
                     o.rightName = v;
                     return v.size() <= maxNameLength;
                   },
                   "a name of at most 10 characters"}},
      {"--skill", {[](const std::string& v, Options& o) {
                     int n = 0;
                     if (!parseInRange(v, 0, 5, n)) return false;
                     o.skill = n;
                     return true;
                   },
                   "0 to 5"}},
      {"--period", {[](const std::string& v, Options& o) {
                      int n = 0;
                      if (!parseInRange(v, 1, 255, n)) return false;
                      o.periodMinutes = n;
                      return true;
                    },
                    "minutes, 1 to 255"}},
      {"--speed", {[](const std::string& v, Options& o) {
                     int n = 0;
                     if (!parseInRange(v, 2, 10, n)) return false;
                     o.speed = n;
                     return true;
                   },
                   "2 to 10"}},
  };
  return table;
}

std::string problem(const std::string& what) { return "swishcam: " + what + "\n" + usage; }

// Combinations that make no sense; empty when the options agree.
std::string conflict(const Options& o, const std::vector<std::string>& given) {
  auto has = [&](const char* name) {
    for (const std::string& g : given)
      if (g == name) return true;
    return false;
  };
  if (o.demo && !o.replayFile.empty()) return "--demo and --replay exclude each other";
  if (o.seconds && o.frames) return "--seconds and --frames exclude each other";
  if (!o.replayFile.empty() && (has("--size") || has("--fps")))
    return "--size and --fps belong to the demo camera; a replay runs at its file's size and rate";
  if (!o.headless) {
    for (const char* name : {"--seconds", "--frames", "--snapshot"})
      if (has(name)) return std::string(name) + " needs --headless";
  }
  return {};
}

}  // namespace

std::optional<Options> parseOptions(const std::vector<std::string>& arguments, std::string& error) {
  Options options;
  std::vector<std::string> given;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& name = arguments[i];
    given.push_back(name);
    if (name == "--headless") {
      options.headless = true;
    } else if (name == "--demo") {
      options.demo = true;
    } else if (name == "--no-mirror") {
      options.noMirror = true;
    } else if (auto found = valueOptions().find(name); found != valueOptions().end()) {
      if (i + 1 >= arguments.size()) {
        error = problem(name + " needs a value: " + found->second.second);
        return std::nullopt;
      }
      const std::string& value = arguments[++i];
      if (!found->second.first(value, options)) {
        error = problem("bad value '" + value + "' for " + name + ": expected " +
                        found->second.second);
        return std::nullopt;
      }
    } else {
      error = problem("unknown option '" + name + "'");
      return std::nullopt;
    }
  }
  if (std::string why = conflict(options, given); !why.empty()) {
    error = problem(why);
    return std::nullopt;
  }
  return options;
}
