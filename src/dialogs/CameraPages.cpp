#include "dialogs/CameraPages.h"

#include "capture/CameraSettings.h"
#include "dialogs/FormatDialog.h"
#include "dialogs/SourceControlsDialog.h"
#include "engine/GameEngine.h"

namespace {

CameraSettings* settingsOf(GameEngine& engine) {
  return engine.camera.source ? engine.camera.source->settings() : nullptr;
}

}  // namespace

void showFormatPages(QWidget* owner, GameEngine& engine) {
  CameraSettings* camera = settingsOf(engine);
  if (camera == nullptr) return;
  FormatDialog dialog(owner, camera->modes(), camera->mode());
  if (dialog.exec() == QDialog::Accepted) engine.applyCameraMode(dialog.chosen());
}

void showSourcePages(QWidget* owner, GameEngine& engine) {
  CameraSettings* camera = settingsOf(engine);
  if (camera == nullptr) return;
  SourceControlsDialog dialog(owner, *camera);
  dialog.exec();
}
