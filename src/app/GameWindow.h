#pragma once
#include <QCursor>
#include <QDialog>
#include <QElapsedTimer>
#include <QImage>
#include <QTimer>
#include <atomic>
#include <filesystem>
#include <string>

#include "app/FieldAreas.h"
#include "app/FieldView.h"
#include "app/HelpKey.h"
#include "app/Preferences.h"
#include "app/SoundOutput.h"
#include "app/HeldEscapeFilter.h"
#include "clips/ClipBuffer.h"
#include "engine/GameEngine.h"
#include "platform/TickClock.h"
#include "platform/WindowLink.h"
#include "platform/qt/PresentQueue.h"
#include "platform/qt/QtFieldSurface.h"

// The "Swish Cam" window: its client area is the field. It owns the game, starts the capture
// when it opens, routes clicks on the field to the settings dialogs, lays the court out again
// after a resize at the next mouse movement, and runs the end of a game when the frame step
// reports it. Closing it stops the capture and saves the settings, as does destroying it
// unclosed; a settings file that cannot be used or saved is told in a message.
//
// The window grows to hold the field and is centred on the screen; a field larger than the
// screen is shown scaled down to fit it, as in full screen.
//
// Keys: F1 help, F2 the frame-rate readout, F3 the motion view, F11 full screen (the field
// keeps its size and is shown scaled), M mute, S saves the last seconds as a clip, Escape
// leaves full screen or ends the game. These choices are kept in the preferences file,
// as is the choice of a clip of every basket.
class GameWindow : public QDialog, public WindowLink {
  Q_OBJECT

 public:
  // Without a clock the game runs on the monotonic clock.
  GameWindow(SourceCatalog& sources, std::filesystem::path settingsPath,
             TickClock* clock = nullptr, QString preferencesPath = preferencesFile());
  ~GameWindow() override;

  // Builds the capture for this window, which lays the court out and shows the window.
  // False when it failed; its message has been shown.
  bool start();
  // Brings the window to the front, as far as the window system allows.
  void bringToFront();
  // From the capture thread: the open camera went away. Tells the user on the window thread.
  void reportStreamLost();

  GameEngine& engine() { return m_engine; }
  QtFieldSurface& surface() { return m_surface; }
  bool sizeChanged() const { return m_sizeChanged; }
  HelpWindow* helpWindow() const { return m_helpKey.window(); }
  const Preferences& preferences() const { return m_prefs; }
  const FieldView& fieldView() const { return m_view; }
  const SoundDelays& soundDelays() const { return m_soundDelays; }
  ClipBuffer& clips() { return m_clips; }
  // The line shown over the top of the field for a few seconds, empty when none is.
  const QString& fieldLine() const { return m_hint; }
  // Where the sounds go; none plays them until this is set. Must outlive the window.
  void setSoundOutput(SoundOutput* output) { m_sound = output; }

  void setFullScreen(bool on);
  void setReadout(bool on);
  void setMotionView(bool on);
  void setMuted(bool on);

  void accept() override {}  // Enter does nothing
  void done(int result) override;

  // WindowLink
  bool isWindow() const override { return m_alive.load(); }
  void postPeriodOver() override;
  Size fitField(Size needed) override;
  void showMessage(const std::string& text) override;
  void beginRelayout() override;
  void endRelayout() override;

 protected:
  // Runs the settings flow of one area; false when the program must end.
  virtual bool openFlow(FieldArea area);
  // The winner's screen, modal; returns when it has been closed.
  virtual void showWinner(const std::string& winnerText);

  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void customEvent(QEvent* event) override;

 private:
  void dispatchClick(int x, int y);
  void layoutIfResized();
  void showPlaced();
  void noteWindowManagerAnswer(QSize size);
  Rect availableArea() const;
  QSize fieldRoom() const;
  QSize fieldSize() const;
  QSize frameExtent();
  void showPresented(const QRect& field);
  void playSounds();
  void takeLightingHint();
  void showFieldLine(const QString& text);
  void saveClip();
  void showClipResult(const ClipResult& result);
  void watchStall();
  void paintField(QPainter& painter, const QRect& area);
  void paintMotion(QPainter& painter);
  void paintOverlays(QPainter& painter);
  void updateView();
  void savePreferences();
  std::uint64_t sourceDropped() const;

  SteadyTickClock m_steadyClock;
  QtFieldSurface m_surface;
  PresentQueue m_presents;  // outlives the engine, whose capture thread presents through it
  ClipBuffer m_clips;       // outlives the engine, whose capture thread hands it the field
  GameEngine m_engine;
  std::atomic<bool> m_alive{true};
  bool m_sizeChanged = false;
  QSize m_asked;       // client size the last placement asked for, until an answer or a move
  QSize m_refused;     // what the window manager gave instead; no layout at this size
  QCursor m_fieldCursor;
  HelpKey m_helpKey{this};

  QString m_prefsFile;
  Preferences m_prefs;
  FieldView m_view;               // the field's place in the window
  bool m_fullScreen = false;
  bool m_shrunk = false;          // the field does not fit the screen: shown scaled down
  QSize m_frame;                  // outer minus client size, as last seen in a window
  QRect m_windowed;               // outer place and client size out of full screen
  SoundOutput* m_sound = nullptr;
  SoundDelays m_soundDelays;
  QImage m_motionImage;           // reused for every paint of the motion view
  QString m_hint;                 // the lighting hint or a clip's line while it is shown
  QTimer m_hintTimer;
  QTimer m_stallTimer;            // looks for a camera that sends nothing
  bool m_stallShown = false;
  QTimer m_readoutTimer;          // a new readout line every second
  QElapsedTimer m_readoutClock;
  QString m_readoutLine;
  double m_latencyMs = 0.0;       // frame arrival to the end of the paint that showed it
  std::uint64_t m_sourceDropped = 0;  // the source's count at the last readout line
  HeldEscapeFilter m_heldEscape;  // on the application while the window lives
};
