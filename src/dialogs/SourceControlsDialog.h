#pragma once
#include <QDialog>

#include "capture/CameraSettings.h"

// "Video Source": one row per picture control of the camera (sliders, check boxes, menus).
// Every change goes to the camera at once; neither OK nor Cancel undoes it.
class SourceControlsDialog final : public QDialog {
  Q_OBJECT

 public:
  SourceControlsDialog(QWidget* parent, CameraSettings& camera);

 private:
  QWidget* editorFor(const CameraControl& control);

  CameraSettings& camera;
};
