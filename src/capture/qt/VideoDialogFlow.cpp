#include <QApplication>
#include <QWidget>

#include "app/DialogFlows.h"
#include "capture/qt/CameraPages.h"
#include "capture/qt/VideoDialog.h"
#include "engine/GameEngine.h"

namespace {

// Stop, release, new name, build; the build lays the court out with a new game.
bool rebuildCapture(GameEngine& engine, const std::string& deviceName) {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  engine.stopCapture();
  engine.releaseCaptureGraph();
  engine.videoDeviceName = deviceName;
  const bool built = engine.mainWindow != nullptr &&
                     engine.buildCaptureGraph(*engine.mainWindow) == 0;
  QApplication::restoreOverrideCursor();
  return built;
}

}  // namespace

bool videoDialogFlow(QWidget* owner, GameEngine& engine) {
  VideoDialog dialog(owner, engine.deviceNames, engine.deviceCount, engine.videoDeviceName,
                     static_cast<int>(engine.mirror.load()));
  dialog.onVideoFormat = [&] { showFormatPages(&dialog, engine); };
  dialog.onVideoSource = [&] { showSourcePages(&dialog, engine); };
  if (dialog.exec() != QDialog::Accepted) return true;
  if (owner != nullptr) owner->repaint();
  engine.mirror.store(static_cast<std::uint32_t>(dialog.flip));  // the next frame uses it
  // A camera that was unplugged is opened again even under the same name.
  const bool lost = engine.source != nullptr && engine.source->streamLost();
  if ((dialog.deviceName != engine.videoDeviceName || lost) &&
      !rebuildCapture(engine, dialog.deviceName))
    return false;
  if (owner != nullptr) owner->update();
  return true;
}
