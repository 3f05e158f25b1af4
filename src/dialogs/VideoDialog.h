#pragma once
#include <QDialog>
#include <functional>
#include <string>

#include "capture/DeviceChoice.h"

class QCheckBox;
class QComboBox;
class QPushButton;

// "Video capture properties": the camera list (sorted, the one in use selected), the mirror
// switch and the buttons to the camera's own format and source settings. It only collects
// the choice; the opener applies it after OK.
class VideoDialog final : public QDialog {
  Q_OBJECT

 public:
  VideoDialog(QWidget* parent, const DeviceNames& names, int count, const std::string& inUse,
              int flip);

  void accept() override;

  int flip;                 // 0 or 1; read from the check box on OK
  std::string deviceName;   // the chosen entry's text; read on OK
  std::function<void()> onVideoFormat;  // "Video Format..." pressed
  std::function<void()> onVideoSource;  // "Video Source..." pressed

  QPushButton* okButton;
  QCheckBox* flipBox;
  QPushButton* formatButton;
  QPushButton* sourceButton;
  QPushButton* cancelButton;
  QComboBox* deviceList;

 private:
  void arrange();
};
