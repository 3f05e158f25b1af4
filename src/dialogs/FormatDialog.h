#pragma once
#include <QDialog>
#include <vector>

#include "capture/CameraSettings.h"

class QComboBox;

// "Video Format": the camera's pixel formats, the frame sizes of the chosen format and the
// frame rates of the chosen size, starting at the mode in use.
class FormatDialog final : public QDialog {
  Q_OBJECT

 public:
  FormatDialog(QWidget* parent, std::vector<CameraMode> modes, const CameraMode& current);

  // The mode the three lists show; the current one when the camera offered none.
  CameraMode chosen() const;

  QComboBox* formatList;
  QComboBox* sizeList;
  QComboBox* rateList;

 private:
  void fillSizes();
  void fillRates();
  // Modes matching the lists above `level` (0: none, 1: format, 2: format and size).
  bool matches(const CameraMode& mode, int level) const;

  std::vector<CameraMode> modes;
  CameraMode current;
};
