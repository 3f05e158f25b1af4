#include "app/GameApp.h"

#include <QApplication>
#include <cstdio>

#include "app/AppIcon.h"
#include "app/GameWindow.h"
#include "app/PlayOptions.h"
#include "app/QuitSignals.h"
#include "app/Runners.h"
#include "app/SingleInstance.h"
#include "app/SoundPlayer.h"
#include "app/WindowSources.h"
#include "engine/SettingsLocation.h"

std::filesystem::path settingsPathFor(const Options& options) {
  return options.settingsFile.empty() ? settingsPath()
                                      : std::filesystem::path(options.settingsFile);
}

int runWindowed(int argc, char** argv, const Options& options) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Swish Cam"));
  QApplication::setApplicationVersion(QStringLiteral(SWISH_VERSION));
  QApplication::setDesktopFileName(QStringLiteral("swishcam"));
  QApplication::setWindowIcon(appIcon());

  SingleInstance instance(QStringLiteral("swishcam"));
  if (!instance.claim()) {
    instance.askRunningCopyToRaise();
    return 0;
  }

  // The sources outlive the window, whose engine holds the device it opened.
  GameWindow* window = nullptr;
  WindowSources sources([&window] {
    if (window != nullptr) window->reportStreamLost();
  });
  SoundPlayer sound;  // outlives the window that plays through it
  GameWindow dialog(sources.catalog, settingsPathFor(options));
  dialog.setSoundOutput(&sound);
  window = &dialog;
  if (!dialog.engine().settingsLoad.ok()) printForUser(dialog.engine().settingsLoad.message);
  applyPlayOptions(options, dialog.engine());
  std::string error;
  if (!sources.build(options, dialog.engine(), error)) {
    std::fprintf(stderr, "swishcam: %s\n", error.c_str());
    return 1;
  }
  QObject::connect(&instance, &SingleInstance::raiseRequested, &dialog, &GameWindow::bringToFront);
  if (!dialog.start()) return 1;
  QuitSignals quit;
  QObject::connect(&quit, &QuitSignals::quitRequested, &app, &QApplication::closeAllWindows);
  dialog.exec();
  const std::optional<SettingsReport>& saved = dialog.engine().lastSave;
  if (!saved || saved->ok()) return 0;
  printForUser(saved->message);
  return 1;
}
