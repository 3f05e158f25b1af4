#include "app/Options.h"

#include <sys/stat.h>

#include <QCommandLineParser>
#include <charconv>
#include <cmath>
#include <functional>

#include "capture/FrameRate.h"

namespace {

constexpr const char* synopsis =
    "usage: swishcam [--demo | --replay FILE] [--record FILE.y4m] [--size WxH] [--fps F]\n"
    "                [--seed N] [--settings FILE] [--left NAME] [--right NAME] [--skill 0-5]\n"
    "                [--period MINUTES] [--speed 2-10] [--no-mirror]\n"
    "       swishcam --headless [--demo | --replay FILE] [--seconds S | --frames N]\n"
    "                [--snapshot OUT.png] [--clips DIR] [the options above]\n"
    "       swishcam --headless --camera NAME [--seconds S | --frames N] [--snapshot OUT.png]\n"
    "       swishcam --help | --version\n"
    "An option's value follows it (--size 640x480) or is joined to it (--size=640x480);\n"
    "-- ends the options.";

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

bool readSeconds(const std::string& v, Options& o) {
  double s = 0;
  if (!parseNumber(v, s) || !std::isfinite(s) || s <= 0 || s > 1e6) return false;
  o.seconds = s;
  return true;
}

struct ValueOption {
  const char* name;       // without the dashes
  const char* valueName;  // as the usage shows it
  const char* what;       // what it does, for the usage
  const char* expected;   // a good value, for the usage and for a bad value's message
  ValueReader read;
};

const std::vector<ValueOption>& valueOptions() {
  static const std::vector<ValueOption> table{
      {"replay", "FILE", "Offer a recorded Y4M file after the real cameras", "a file name",
       text(&Options::replayFile)},
      {"record", "FILE.y4m", "Write every frame the game receives to a Y4M file", "a file name",
       text(&Options::recordFile)},
      {"size", "WxH", "Frame size of the demo camera", "WIDTHxHEIGHT, each 32 to 4096",
       [](const std::string& v, Options& o) { return parseSize(v, o.width, o.height); }},
      {"fps", "F", "Frame rate of the demo camera", "frames per second, 1 to 240",
       [](const std::string& v, Options& o) {
         return parseNumber(v, o.fps) && isUsableFrameRate(o.fps);
       }},
      {"seed", "N", "Seed of the demo camera's automatic player",
       "a whole number, 0 to 4294967295",
       [](const std::string& v, Options& o) { return parseNumber(v, o.seed); }},
      {"settings", "FILE", "Keep the settings and the top ten in this file", "a file name",
       text(&Options::settingsFile)},
      {"left", "NAME", "Player 1's name; Computer lets the computer play", nameRule,
       name(&Options::leftName)},
      {"right", "NAME", "Player 2's name; Computer lets the computer play", nameRule,
       name(&Options::rightName)},
      {"skill", "0-5", "The computer's skill", "0 to 5", numberIn(&Options::skill, 0, 5)},
      {"period", "MINUTES", "The length of a game", "minutes, 1 to 255",
       numberIn(&Options::periodMinutes, 1, 255)},
      {"speed", "2-10", "Ball steps per camera frame", "2 to 10", numberIn(&Options::speed, 2, 10)},
      {"camera", "NAME", "Headless: play in real time on this live camera",
       "a camera's name as the game lists it", text(&Options::cameraName)},
      {"clips", "DIR", "Headless: save a clip of every basket into this folder", "a folder",
       text(&Options::clipsDir)},
      {"seconds", "S", "Headless: simulated seconds to play",
       "simulated seconds, above 0 and at most 1000000", readSeconds},
      {"frames", "N", "Headless: camera frames to play", "a frame count, 1 to 100000000",
       numberIn(&Options::frames, 1L, 100'000'000L)},
      {"snapshot", "OUT.png", "Headless: save the field after the last frame", "a file name",
       text(&Options::snapshotFile)},
  };
  return table;
}

struct Flag {
  QStringList names;
  const char* what;
  bool Options::*field;
};

const std::vector<Flag>& flags() {
  static const std::vector<Flag> table{
      {{"demo"}, "Offer the demo camera, with its automatic player, after the real cameras.",
       &Options::demo},
      {{"no-mirror"}, "Show the camera picture as the camera sees it, not mirrored.",
       &Options::noMirror},
      {{"headless"}, "Play without a window on a simulated clock and print a JSON summary.",
       &Options::headless},
      {{"h", "help"}, "Show this help and end.", &Options::help},
      {{"version"}, "Show the version and end.", &Options::version},
  };
  return table;
}

void describeOptions(QCommandLineParser& parser) {
  for (const Flag& flag : flags())
    parser.addOption(QCommandLineOption(flag.names, QString::fromUtf8(flag.what)));
  for (const ValueOption& option : valueOptions())
    parser.addOption(QCommandLineOption(
        QString::fromUtf8(option.name),
        QString::fromUtf8(option.what) + " (" + QString::fromUtf8(option.expected) + ").",
        QString::fromUtf8(option.valueName)));
}

std::string spelled(const QString& name) {
  return (name.size() == 1 ? "-" : "--") + name.toStdString();
}

std::string usage() {
  QCommandLineParser parser;
  describeOptions(parser);
  // Qt's own first line names the program by the path it was started from; ours is fixed.
  const QString help = parser.helpText();
  return std::string(synopsis) + "\n\n" + help.mid(help.indexOf("Options:")).trimmed().toStdString();
}

std::string problem(const std::string& what) { return "swishcam: " + what + "\n" + usage(); }

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
std::string conflict(const Options& o, const QCommandLineParser& given) {
  if (o.demo && !o.replayFile.empty()) return "--demo and --replay exclude each other";
  if (o.seconds && o.frames) return "--seconds and --frames exclude each other";
  if (!o.replayFile.empty() && (given.isSet("size") || given.isSet("fps")))
    return "--size and --fps belong to the demo camera; a replay runs at its file's size and rate";
  if (!o.cameraName.empty() && (o.demo || !o.replayFile.empty()))
    return "--camera plays on a live camera, --demo and --replay on none";
  if (!o.headless) {
    for (const char* name : {"seconds", "frames", "snapshot", "camera", "clips"})
      if (given.isSet(name)) return spelled(name) + " needs --headless";
  }
  return sharedFile(o);
}

// Why the parser refused the line: an unknown option, a value missing at the end, or a
// value given to an option that takes none.
std::string refusal(const QCommandLineParser& parser, const QStringList& arguments) {
  if (!parser.unknownOptionNames().isEmpty())
    return "unknown option '" + spelled(parser.unknownOptionNames().first()) + "'";
  const QString last = arguments.last();
  for (const ValueOption& option : valueOptions())
    if (last == "--" + QString::fromUtf8(option.name))
      return last.toStdString() + " needs a value: " + option.expected;
  return parser.errorText().toStdString();
}

// Reads the values given; empty when all are good, else the first bad one's message.
std::string readValues(const QCommandLineParser& parser, Options& options) {
  for (const ValueOption& option : valueOptions()) {
    const QString name = QString::fromUtf8(option.name);
    if (!parser.isSet(name)) continue;
    for (const QString& given : parser.values(name)) {  // in order: the last one stays
      const std::string value = given.toStdString();
      if (!option.read(value, options))
        return "bad value '" + value + "' for --" + option.name + ": expected " + option.expected;
    }
  }
  return {};
}

}  // namespace

std::optional<Options> parseOptions(const std::vector<std::string>& arguments, std::string& error) {
  QStringList line{QStringLiteral("swishcam")};
  for (const std::string& argument : arguments) line << QString::fromStdString(argument);
  QCommandLineParser parser;
  describeOptions(parser);
  const bool parsed = parser.parse(line);
  Options options;
  for (const Flag& flag : flags()) options.*flag.field = parser.isSet(flag.names.last());
  if (options.help || options.version) return options;
  std::string why = parsed ? std::string() : refusal(parser, line);
  if (why.empty() && !parser.positionalArguments().isEmpty())
    why = "unexpected argument '" + parser.positionalArguments().first().toStdString() + "'";
  if (why.empty()) why = readValues(parser, options);
  if (why.empty()) why = conflict(options, parser);
  if (!why.empty()) {
    error = problem(why);
    return std::nullopt;
  }
  return options;
}

std::string usageText() { return usage(); }
