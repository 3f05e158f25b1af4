#include <QApplication>
#include <QWidget>

#include "dialogs/DialogFlows.h"
#include "dialogs/CameraPages.h"
#include "dialogs/VideoDialog.h"
#include "engine/GameEngine.h"

namespace {

// Stop, release, new name, build; the build lays the court out with a new game.
bool rebuildCapture(GameEngine& engine, const std::string& deviceName) {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  engine.stopCapture();
  engine.closeCamera();
  engine.camera.videoDeviceName = deviceName;
  const bool built = engine.mainWindow != nullptr && engine.openCamera(*engine.mainWindow);
  QApplication::restoreOverrideCursor();
  return built;
}

}  // namespace

bool videoDialogFlow(QWidget* owner, GameEngine& engine) {
  CameraSide& camera = engine.camera;
  VideoDialog dialog(owner, camera.deviceNames, camera.deviceCount, camera.videoDeviceName,
                     camera.mirror.load() ? 1 : 0);
  dialog.onVideoFormat = [&] { showFormatPages(&dialog, engine); };
  dialog.onVideoSource = [&] { showSourcePages(&dialog, engine); };
  if (dialog.exec() != QDialog::Accepted) return true;
  if (owner != nullptr) owner->repaint();
  camera.mirror.store(dialog.flip != 0);  // the next frame uses it
  // A camera that was unplugged is opened again even under the same name.
  const bool lost = camera.source != nullptr && camera.source->streamLost();
  if ((dialog.deviceName != camera.videoDeviceName || lost) &&
      !rebuildCapture(engine, dialog.deviceName))
    return false;
  if (owner != nullptr) owner->update();
  return true;
}
