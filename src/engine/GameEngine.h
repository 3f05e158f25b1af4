#pragma once
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "audio/SoundQueue.h"
#include "capture/CameraSide.h"
#include "capture/FrameSource.h"
#include "clips/FrameTap.h"
#include "engine/FrameTimes.h"
#include "engine/LightingCheck.h"
#include "engine/RunStats.h"
#include "engine/SettingsFile.h"
#include "engine/StallWatch.h"
#include "model/Ball.h"
#include "model/Court.h"
#include "model/GameSettings.h"
#include "model/Match.h"
#include "physics/ContactMask.h"
#include "platform/FieldSurface.h"
#include "platform/TickClock.h"
#include "platform/WindowLink.h"
#include "render/BallSprite.h"
#include "render/FrameComposition.h"

// The game: it composes the ball, the court, the match and the camera side, runs the frame
// step on the capture thread and the match flow on the window thread, and reaches the
// window, the field surface and the clock only through the links it is given. It holds the
// settings record and changes its parts itself: the window and the dialogs read the parts
// and ask for changes through the entry points below, each of which stops the capture,
// changes, lays the court out again and restarts. Parts change only while the capture is
// stopped, or while match.gameOver holds frames off; only camera.mirror changes while
// frames flow.
struct CameraMode;
struct Impacts;

class GameEngine final : public FrameSink {
 public:
  using ShowWinner = std::function<void(const std::string&)>;

  // Loads the settings file at `settingsPath`; the surface is the off-screen field image.
  GameEngine(TickClock& clock, FieldSurface& surface, SourceCatalog& sources,
             std::filesystem::path settingsPath);
  // Releases the capture and frees the buffers; saves the settings file unless the owner
  // has saved it (saveSettings), which is how a failed save reaches the user.
  ~GameEngine() override;
  GameEngine(const GameEngine&) = delete;
  GameEngine& operator=(const GameEngine&) = delete;

  Ball ball;
  Court court;
  Match match;
  CameraSide camera;
  RunStats stats;
  ContactMask contact;  // the ball step's scratch, sized by each layout
  BallSprite sprite;    // the ball's pictures, sized by each layout
  SoundQueue sounds;    // recorded by the frame step, played by the window thread
  FrameTimes times;     // the frame step's timing, for the readout
  LightingCheck lighting;
  StallWatch stall;     // frames that stop coming
  // The motion view: the sensed motion over the whole picture. `motion` is filled by the
  // frame step while the view is on; `shownMotion` is the last filled map, swapped in under
  // drawLock for the window to draw.
  MotionMap motion;
  std::vector<std::uint8_t> shownMotion;

  TickClock& clock;
  FieldSurface& surface;                 // the off-screen field image
  SourceCatalog& sources;                // every device this run can open
  std::filesystem::path settingsPath;
  WindowLink* mainWindow = nullptr;      // set by openCamera
  FrameTap* frameTap = nullptr;          // the clip recording; null while there is none

  // The frame step, on the capture thread.
  void onFrame(double sampleTime, const std::uint8_t* pixels, std::size_t size) override;

  // The end of a period, on the window thread: final scores, the winner's screen (shown by
  // `showWinner`, which returns when it has been closed; may be empty), the top ten, scores
  // back to 0; then frames flow again.
  void onPeriodOver(const ShowWinner& showWinner);

  const GameSettings& settings() const { return m_settings; }

  // The entry points for the window and the dialogs.
  // Ball, basket, ring height, gravitation and skin; the running game goes on.
  void applyEnvironment(const EnvironmentSettings& environment);
  // Period, speed, skill and the names; a laid-out court starts a new game.
  void applyPlayers(const TimingSettings& timing, std::string leftName, std::string rightName);
  // Mirroring at once; another device name, or a camera that went away, is opened in place
  // of the running one with a new game. False when none could be opened (its message shown).
  bool applyVideo(const VideoSettings& video);
  // A new frame format for the open camera; the court fits it and the game goes on. A mode
  // the camera refuses leaves the one in use.
  void applyCameraMode(const CameraMode& mode);
  // The motion view's map on or off; it is sized here so that the frame step never allocates.
  void showMotionView(bool on);
  bool showsMotion() const { return !motion.strength.empty(); }
  // The window changed size: the court is laid out for it, and the game goes on.
  void fitWindow();
  // The noise skin's generator, seeded from the clock at construction; a headless run seeds
  // it from --seed so that its pictures repeat.
  void seedNoise(std::uint32_t seed);

  // Device search by the stored name, open, frame format, a new game's layout, then the
  // stream. False after the failure's message has been shown.
  bool openCamera(WindowLink& window);
  // The same for this run only, by `deviceName` (the first device when empty): a headless
  // run's demo, replay or named camera. The settings keep the player's camera.
  bool openCameraOnce(WindowLink& window, const std::string& deviceName);
  void stopCapture();
  void startCapture();
  void closeCamera();
  // On the window thread, a few times a second: restarts a stream that sends no pictures,
  // quietly (no message on failure; it is tried again). A lost camera is left alone.
  void watchStall();
  // Reads the frame format again and lays the court out, with or without a new game; only
  // while the capture is stopped.
  void relayout(bool newGame);

  void showScore(int display, int points);
  void repaintField();

  // Replaces the record by the file's, if it can be used; only while the capture is stopped.
  SettingsReport loadSettings();
  SettingsReport saveSettings();  // also kept in lastSave
  SettingsReport settingsLoad;    // what the load at construction has to tell the user
  std::optional<SettingsReport> lastSave;  // nothing until the settings have been saved

 private:
  // Stops the capture, runs `change`, lays the court out and starts the capture again.
  template <typename Change>
  void whileStopped(bool newGame, Change&& change);
  bool openDevice(WindowLink& window, const std::string& wanted, bool remember);
  bool partsLocked() const;
  void shapeParts();
  void showMotion(bool on);
  FieldCanvas canvas() { return {surface, court, sprite}; }
  // Drawing stops at nothing once the window is gone.
  bool windowShown() const { return mainWindow != nullptr && mainWindow->isWindow(); }
  void readFrameFormat();
  void layoutField(bool newGame);
  void moveBall(double dt);
  void watchPicture(std::uint32_t now);
  void tapField(std::uint32_t now);
  void addPoints(int display, int points);
  void soundImpacts(const Impacts& impacts);
  void recordSound(Sound sound, float volume = 1.0f);
  void creditComputer();
  void endPeriodIfDue();
  void endGame(const ShowWinner& showWinner);

  GameSettings m_settings;
  bool m_capturing = false;  // the source was started and not stopped since
};
