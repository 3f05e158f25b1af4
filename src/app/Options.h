#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// What the command line asks for. Without options the game opens its window on the cameras.
struct Options {
  bool help = false;                  // print the usage and end
  bool version = false;               // print the version and end
  bool headless = false;
  bool demo = false;                  // offer the demo camera after the real ones
  std::string replayFile;             // offer a recorded Y4M file after the real ones
  int width = 640;                    // demo camera frame size
  int height = 480;
  double fps = 30.0;                  // demo camera rate
  std::optional<double> seconds;      // headless: simulated length
  std::optional<long> frames;         // headless: number of frames
  std::uint32_t seed = 1;             // demo player and, headless, the noise skin
  std::string snapshotFile;           // headless: PNG of the field after the last frame
  std::string settingsFile;           // instead of the one beside the executable
  std::optional<std::string> leftName;
  std::optional<std::string> rightName;
  std::optional<int> skill;           // 0–5
  std::optional<int> periodMinutes;
  std::optional<int> speed;           // moves per frame, 2–10
  bool noMirror = false;
  std::string recordFile;             // Y4M of every frame the engine receives
  std::string clipsDir;               // headless: a clip of every basket into this folder
  std::string cameraName;             // headless: play in real time on this live camera
};

// Parses the arguments after the program's name as GNU tools do: a value after its option or
// joined to it by "=", "--" ending the options. On a bad option or value returns nothing
// and sets `error` to the problem and the usage. --help (-h) and --version win over
// everything else. Files that are one and the same (by another path or a link) are refused
// as a replay, a recording or the settings file, before anything has been opened.
std::optional<Options> parseOptions(const std::vector<std::string>& arguments, std::string& error);
// The command line's summary and every option.
std::string usageText();
