#include "app/Options.h"

#include <sys/stat.h>

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
    "                [--snapshot OUT.png] [the options above]\n"
    "       swishcam --headless --camera NAME [--seconds S | --frames N] [--snapshot OUT.png]\n"
    "       swishcam --help | --version";

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

ValueReader text(std::string Options::*field) {
  return [field](const std::string& v, Options& o) {
    o.*field = v;
    return !v.empty();
  };
}

// A name fits a top-ten row as the players dialog lets it be typed.
constexpr std::size_t maxNameBytes = 11;  // UTF-8 bytes a top-ten row holds
constexpr const char* nameRule = "a name of at most 10 characters in at most 11 bytes of UTF-8";

// Characters of UTF-8 text: every byte but a continuation byte starts one.
std::size_t characterCount(const std::string& text) {
  std::size_t count = 0;
  for (const unsigned char byte : text) count += (byte & 0xC0) != 0x80 ? 1 : 0;
  return count;
}

ValueReader name(std::optional<std::string> Options::*field) {
  return [field](const std::string& v, Options& o) {
    o.*field = v;
    return characterCount(v) <= maxNameLength && v.size() <= maxNameBytes;
  };
}

template <typename Number, typename Field>
ValueReader numberIn(Field Options::*field, Number low, Number high) {
  return [field, low, high](const std::string& v, Options& o) {
    Number n{};
    if (!parseInRange(v, low, high, n)) return false;
    o.*field = n;
    return true;
  };
}

const std::map<std::string, std::pair<ValueReader, const char*>>& valueOptions() {
  static const std::map<std::string, std::pair<ValueReader, const char*>> table{
      {"--replay", {text(&Options::replayFile), "a file name"}},
      {"--record", {text(&Options::recordFile), "a file name"}},
      {"--snapshot", {text(&Options::snapshotFile), "a file name"}},
      {"--settings", {text(&Options::settingsFile), "a file name"}},
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
      {"--frames", {numberIn(&Options::frames, 1L, 100'000'000L), "a frame count, 1 to 100000000"}},
      {"--seed", {[](const std::string& v, Options& o) { return parseNumber(v, o.seed); },
                  "a whole number, 0 to 4294967295"}},
      {"--left", {name(&Options::leftName), nameRule}},
      {"--right", {name(&Options::rightName), nameRule}},
      {"--skill", {numberIn(&Options::skill, 0, 5), "0 to 5"}},
      {"--period", {numberIn(&Options::periodMinutes, 1, 255), "minutes, 1 to 255"}},
      {"--speed", {numberIn(&Options::speed, 2, 10), "2 to 10"}},
      {"--camera", {text(&Options::cameraName), "a camera's name as the game lists it"}},
  };
  return table;
}

std::string problem(const std::string& what) { return "swishcam: " + what + "\n" + usage; }

bool sameFile(const std::string& a, const std::string& b) {
  struct stat first {}, second {};
  return !a.empty() && !b.empty() && ::stat(a.c_str(), &first) == 0 &&
         ::stat(b.c_str(), &second) == 0 && first.st_dev == second.st_dev &&
         first.st_ino == second.st_ino;
}

// Two roles for one file would lose it: a recording written over the video it plays, the
// settings saved over either. Empty when every file is a file of its own.
std::string sharedFile(const Options& o) {
  const std::pair<const char*, const std::string*> files[] = {
      {"--replay", &o.replayFile}, {"--record", &o.recordFile}, {"--settings", &o.settingsFile}};
  for (std::size_t i = 0; i < std::size(files); ++i)
    for (std::size_t j = i + 1; j < std::size(files); ++j)
      if (sameFile(*files[i].second, *files[j].second))
        return std::string(files[i].first) + " and " + files[j].first + " name the same file (" +
               *files[j].second + "); it was left untouched";
  return {};
}

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
  if (!o.cameraName.empty() && (o.demo || !o.replayFile.empty()))
    return "--camera plays on a live camera, --demo and --replay on none";
  if (!o.headless) {
    for (const char* name : {"--seconds", "--frames", "--snapshot", "--camera"})
      if (has(name)) return std::string(name) + " needs --headless";
  }
  return sharedFile(o);
}

}  // namespace

std::optional<Options> parseOptions(const std::vector<std::string>& arguments, std::string& error) {
  Options options;
  std::vector<std::string> given;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& name = arguments[i];
    given.push_back(name);
    if (name == "--help" || name == "-h" || name == "--version") {
      (name == "--version" ? options.version : options.help) = true;
      return options;
    }
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

const char* usageText() { return usage; }
