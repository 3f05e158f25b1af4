#include "app/GameApp.h"

#include <QApplication>

#include "app/AppIcon.h"
#include "app/MainDialog.h"
#include "app/Runners.h"
#include "app/SingleInstance.h"
#include "capture/v4l2/V4l2Provider.h"
#include "engine/GameEngine.h"
#include "engine/SettingsFile.h"

std::filesystem::path settingsPathFor(const Options& options) {
  return options.settingsFile.empty() ? settingsPathBesideExecutable()
                                      : std::filesystem::path(options.settingsFile);
}

void applyOptions(GameEngine& engine, const Options& options) {
  if (options.leftName) engine.leftName = *options.leftName;
  if (options.rightName) engine.rightName = *options.rightName;
  engine.leftIsPerson = engine.leftName == "Computer" ? 0 : 1;
  engine.rightIsPerson = engine.rightName == "Computer" ? 0 : 1;
  if (options.skill) engine.computerSkill = static_cast<std::uint8_t>(*options.skill);
  if (options.periodMinutes) engine.periodMinutes = static_cast<std::uint8_t>(*options.periodMinutes);
  if (options.speed) engine.movesPerFrame = static_cast<std::uint8_t>(*options.speed);
  if (options.noMirror) engine.mirror = 0;
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

  // The cameras outlive the window, whose engine holds the device it opened.
  MainDialog* window = nullptr;
  V4l2Provider cameras([&window] {
    if (window != nullptr) window->reportStreamLost();
  });
  SourceCatalog catalog;
  catalog.add(cameras);
  MainDialog dialog(catalog, settingsPathFor(options));
  window = &dialog;
  applyOptions(dialog.engine(), options);
  QObject::connect(&instance, &SingleInstance::raiseRequested, &dialog, &MainDialog::bringToFront);
  if (!dialog.start()) return 1;
  dialog.exec();
  return 0;
}
