#include <QApplication>
#include <QWidget>

#include "dialogs/DialogFlows.h"
#include "dialogs/CameraPages.h"
#include "dialogs/VideoDialog.h"
#include "engine/GameEngine.h"

bool videoDialogFlow(QWidget* owner, GameEngine& engine) {
  const CameraSide& camera = engine.camera;
  const VideoSettings& video = engine.settings().video;
  VideoDialog dialog(owner, camera.deviceNames, camera.deviceCount, video.videoDeviceName,
                     static_cast<int>(video.mirror));
  dialog.onVideoFormat = [&] { showFormatPages(&dialog, engine); };
  dialog.onVideoSource = [&] { showSourcePages(&dialog, engine); };
  if (dialog.exec() != QDialog::Accepted) return true;
  if (owner != nullptr) owner->repaint();
  // Opening another camera can take a while.
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const bool open = engine.applyVideo({dialog.flip != 0 ? 1u : 0u, dialog.deviceName});
  QApplication::restoreOverrideCursor();
  if (open && owner != nullptr) owner->update();
  return open;
}
