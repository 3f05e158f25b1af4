#pragma once
#include <array>
#include <atomic>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "capture/DeviceChoice.h"
#include "capture/FrameSource.h"
#include "engine/Geometry.h"
#include "engine/SettingsFile.h"
#include "engine/TopTen.h"
#include "platform/FieldSurface.h"
#include "platform/TickClock.h"
#include "platform/WindowLink.h"

using Bytes = std::vector<std::uint8_t>;

// The whole game in one object with plain fields: capture, frame buffers, ball, court,
// players, scores, settings and the top ten. It receives the camera frames (BufferCB) and
// everything that moves happens inside that call, on the capture thread. The window thread
// changes fields only while the capture is stopped, or while gameOver holds frames off.
//
// Its operations are defined next to the concept they belong to: the frame loop and match
// flow in engine/, the capture build in capture/, the ball in physics/, the drawing in
// render/.
class GameEngine final : public FrameSink {
 public:
  // Loads the settings file at `settingsPath`; the surface is the off-screen field image.
  GameEngine(TickClock& clock, FieldSurface& surface, SourceCatalog& sources,
             std::filesystem::path settingsPath);
  // Releases the capture and frees the buffers; saves the settings file unless the owner
  // has saved it (saveSettings), which is how a failed save reaches the user.
  ~GameEngine() override;
  GameEngine(const GameEngine&) = delete;
  GameEngine& operator=(const GameEngine&) = delete;

  // ---- Platform links ----
  TickClock& clock;
  FieldSurface& surface;                 // the off-screen field image (memoryDC)
  SourceCatalog& sources;                // every device this run can open
  std::filesystem::path settingsPath;    // where the settings file lives
  WindowLink* mainWindow = nullptr;      // drawing target, receiver of WM_FRAME_EVENT

  // ---- Capture (capture/CaptureGraph.cpp) ----
  std::unique_ptr<FrameSource> source;   // the running capture; null while there is none
  DeviceNames deviceNames;               // names found by the last device search
  int deviceCount = 0;                   // filled entries of deviceNames, 0 to 10

  // ---- Sizes ----
  int ballRadius = 30;     // px; the ball box is 2 × ballRadius square
  int frameHeight = 0;     // px, camera frames as negotiated
  int frameWidth = 0;      // px
  int fieldWidth = 0;      // px, client area and off-screen image
  int fieldHeight = 0;     // px

  // ---- Frame and ball buffers (allocated by each layout; empty means none) ----
  Bytes workFrame;         // current camera frame (FrameImage), as copied or mirrored
  Bytes shownFrame;        // camera frame of the previous frame step
  Bytes ballImage;         // finished ball box, 2r × 2r × 3, bottom-up
  Bytes ballBackground;    // picture under the ball box, 2r × 2r × 3
  Bytes ballOverlayColor;  // front layer colour under the box, 2r × 2r × 3
  Bytes ballOverlayAlpha;  // front layer coverage under the box, 2r × 2r
  Bytes ballMask;          // contact mask, 2r × 2r, rows top to bottom

  // Motion sensing planes (three channel differences and the filter's work plane), each
  // (2r)² values, sized by the layout so that a ball step never allocates.
  std::array<std::vector<std::int32_t>, 3> motionPlanes;
  std::vector<std::int32_t> motionWork;

  // ---- Court pictures, field-sized, bottom-up ----
  Bytes backdrop;          // the court as shown, 3 bytes a pixel
  Bytes overlayColor;      // front layer colour, 3 bytes a pixel
  Bytes overlayAlpha;      // front layer coverage 0–255
  Bytes courtMap;          // solidity: 0 free, above 12 solid, 254 soft

  // ---- Court geometry (field coordinates unless said otherwise) ----
  Rect frameRect;          // the camera picture
  Rect fieldRect;          // the client rectangle (0, 0, W, H)
  Rect leftRingRect;       // left ring and net
  Rect rightRingRect;      // right ring and net
  Rect scoreBoxRect;       // score box
  std::array<PixelBox, 7> digitSegments{};  // first digit's segments, image coordinates
  int backboardHeight = 200;   // px
  int backboardThickness = 10; // px
  int digitPitch = 0;          // px between digits of one score
  int secondScoreOffset = 0;   // px from display 1 to display 2

  // ---- Ball ----
  double ballX = 395.0;    // px, centre
  double ballY = 50.0;     // px, centre, y downward
  double ballVX = 0.0;     // px/s
  double ballVY = 0.0;     // px/s, positive downward
  double ballAngle = 10.0; // rad, never wrapped
  double ballSpin = 0.0;   // rad/s
  int drawnBallX = 395;    // px, where the ball was last drawn into the surface
  int drawnBallY = 50;     // px
  double gravity = 600.0;      // px/s², downward
  double gravityUnit = 600.0;  // px/s² shown as 1.0 g
  double tangentFactor = 0.7;  // share of tangential speed a bounce keeps
  double spinFactor = 0.3;     // share of surface speed added to the tangential speed
  double hitThreshold = 0.0;   // push strength to exceed over the camera picture
  double restitution = 0.9;    // factor on the normal speed of a bounce
  int shotX = 0;               // px, ball x at the last strike from motion

  // ---- Baskets and scores ----
  int ringHeight = 200;    // px, backboards' lower edge above the bottom row
  int basketSize = 112;    // px, ring width
  int leftScore = 0;       // player 1
  int rightScore = 0;      // player 2
  std::uint32_t ballInRing = 0;      // a shot entered a ring from above; the game cannot end
  std::uint32_t ballThroughRing = 0; // the shot left through the bottom (within one test)
  std::uint32_t rightIsPerson = 1;   // 0 when player 2 is "Computer"
  std::uint32_t leftIsPerson = 1;    // 0 when player 1 is "Computer"

  // ---- Game clock, ms of the tick clock ----
  std::uint32_t gameStartTick = 0;   // start of the running game
  std::uint32_t computerTick = 0;    // computer side's last points (or game start)
  std::uint32_t frameDoneTick = 0;   // when the current frame was finished
  std::uint32_t lastFrameTick = 0;   // previous frame, for the time step

  // ---- Settings and players ----
  std::atomic<std::uint32_t> mirror{1};  // set by the video dialog while frames flow
  std::string leftName = "Player1";
  std::string rightName = "Player2";
  std::uint8_t periodMinutes = 5;    // length of a game
  std::uint8_t movesPerFrame = 2;    // extra ball steps per frame
  std::uint8_t computerSkill = 0;    // 0 to 5
  std::uint8_t skinIndex = 3;        // 0 to 4; others select the noise skin
  std::atomic<std::uint32_t> gameOver{0};  // period ended and reported, not yet handled
  TopTenTable topTen{};
  std::string videoDeviceName;       // device in use, at most 79 characters

  // ---- Run statistics (not part of the game's rules; the headless runner reports them) ----
  std::uint64_t strikeCount = 0;     // strikes from motion
  std::uint64_t basketCount = 0;     // baskets scored through rings

  // ---- Frame loop and match flow (engine/) ----
  void BufferCB(double sampleTime, const std::uint8_t* buffer, long bufferLength) override;
  static std::uint32_t computerInterval(int skill);  // ms between computer baskets
  std::string winnerText() const;
  // The end of a game on the window thread: final scores, the winner's screen (shown by
  // `showWinner`, which returns when it has been closed), the top ten, scores back to 0.
  void endGame(const std::function<void(const std::string&)>& showWinner);
  // WM_FRAME_EVENT: lParam 2 runs endGame; any lParam then clears gameOver.
  void onFrameEvent(std::intptr_t lParam,
                    const std::function<void(const std::string&)>& showWinner);
  SettingsReport loadSettings();
  SettingsReport saveSettings();  // also kept in lastSave
  SettingsReport settingsLoad;    // what the load at construction has to tell the user
  std::optional<SettingsReport> lastSave;  // nothing until the settings have been saved

  // ---- Capture (capture/) ----
  int buildCaptureGraph(WindowLink& window);  // 0, or E_FAIL after showing a message
  void stopCapture();
  void startCapture();
  void releaseCaptureGraph();
  void readFrameFormat();
  void relayout(int newGame);

  // ---- Ball (physics/) ----
  void stepBall(double dt);
  void bounceBall(double nx, double ny, double kick, std::uint8_t code);
  void copyCourtUnderBall();
  void senseMotion(const Rect& region);
  int testRing(bool leftRing, int prevX, int prevY);

  // ---- Court and drawing (render/) ----
  void layoutCourt(int newGame);
  void buildBackdrop(int newGame);
  void prepareFieldImage();
  void releaseCourtBuffers();
  void allocateFrameAndBallBuffers();
  void drawSoftLine(int x1, int y1, int x2, int y2, int red, int green, int blue, int code,
                    bool toOverlay);
  void fillBox(int x1, int y1, int x2, int y2, int red, int green, int blue);
  void drawHalfEllipse(int x1, int y1, int x2, int y2, int red, int green, int blue,
                       int direction, bool toOverlay);
  void drawBasket(int x, int y);
  void showScore(int display, int points);
  void drawPlayerNames();
  void renderBall(double angle);
  void saveUnderBall(int x, int y, const std::uint8_t* picture);
  void drawBallStep(int x, int y);
  void composeFrame(int x, int y);
  void repaintField();

 private:
  void creditComputer();
  void endPeriodIfDue();
};

// Failure status of the capture build (negative, like the platform's E_FAIL).
constexpr int E_FAIL = static_cast<int>(0x80004005u);
