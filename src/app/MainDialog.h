#pragma once
#include <QCursor>
#include <QDialog>
#include <QPointer>
#include <atomic>
#include <filesystem>
#include <string>

#include "app/FieldAreas.h"
#include "app/HeldEscapeFilter.h"
#include "app/HelpWindow.h"
#include "engine/GameEngine.h"
#include "platform/TickClock.h"
#include "platform/WindowLink.h"
#include "platform/qt/PresentQueue.h"
#include "platform/qt/QtFieldSurface.h"

// The "Swish Cam" window: its client area is the field. It owns the game, starts the capture
// when it opens, routes clicks on the field to the settings dialogs, lays the court out again
// after a resize at the next mouse movement, and runs the end of a game when the frame step
// reports it. Closing it stops the capture; destroying it saves the settings.
class MainDialog : public QDialog, public WindowLink {
  Q_OBJECT

 public:
  // Without a clock the game runs on the monotonic clock.
  MainDialog(SourceCatalog& sources, std::filesystem::path settingsPath,
             TickClock* clock = nullptr);
  ~MainDialog() override;

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
  HelpWindow* helpWindow() const { return m_help; }

  void accept() override {}  // Enter does nothing
  void done(int result) override;

  // WindowLink
  bool isWindow() const override { return m_alive.load(); }
  void postFrameEvent(std::intptr_t lParam) override;
  Size clientSize() const override;
  Size outerSize() const override;
  Size screenSize() const override;
  void placeWindow(int x, int y, int outerWidth, int outerHeight) override;
  void clearSizeChanged() override { m_sizeChanged = false; }
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
  void showHelp();

  SteadyTickClock m_steadyClock;
  QtFieldSurface m_surface;
  PresentQueue m_presents;  // outlives the engine, whose capture thread presents through it
  GameEngine m_engine;
  std::atomic<bool> m_alive{true};
  bool m_sizeChanged = false;
  QCursor m_fieldCursor;
  QPointer<HelpWindow> m_help;
  HeldEscapeFilter m_heldEscape;  // on the application while the window lives
};
