#include "capture/qt/VideoDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <algorithm>
#include <vector>

namespace {

// Dialog units of an 8-point dialog font, in pixels.
QRect dialogUnits(int x, int y, int width, int height) {
  auto horizontal = [](int units) { return units * 3 / 2; };
  auto vertical = [](int units) { return units * 13 / 8; };
  return {horizontal(x), vertical(y), horizontal(width), vertical(height)};
}

template <typename Widget>
Widget* place(Widget* widget, const QRect& area) {
  widget->setGeometry(area);
  return widget;
}

// The list keeps its entries sorted as the player reads them, ignoring case.
std::vector<QString> sortedNames(const DeviceNames& names, int count) {
  std::vector<QString> sorted;
  for (int i = 0; i < count && i < maxDevices; ++i)
    sorted.push_back(QString::fromStdString(names[i]));
  std::stable_sort(sorted.begin(), sorted.end(), [](const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) < 0;
  });
  return sorted;
}

}  // namespace

VideoDialog::VideoDialog(QWidget* parent, const DeviceNames& names, int count,
                         const std::string& inUse, int flip)
    : QDialog(parent), flip(flip) {
  setWindowTitle("Video capture properties");
  setFixedSize(dialogUnits(0, 0, 192, 130).size());
  // Created in tab order: OK, the check box, the two settings buttons, Cancel, the list.
  okButton = place(new QPushButton("OK", this), dialogUnits(68, 106, 50, 14));
  okButton->setDefault(true);
  flipBox = place(new QCheckBox("Flip horizontal", this), dialogUnits(21, 81, 60, 15));
  formatButton = place(new QPushButton("Video Format...", this), dialogUnits(10, 47, 80, 20));
  sourceButton = place(new QPushButton("Video Source...", this), dialogUnits(100, 47, 80, 20));
  cancelButton = place(new QPushButton("Cancel", this), dialogUnits(129, 106, 50, 14));
  deviceList = place(new QComboBox(this), dialogUnits(10, 17, 170, 14));
  place(new QLabel("Use video capture device:", this), dialogUnits(12, 7, 118, 10));

  flipBox->setChecked(flip != 0);
  for (const QString& name : sortedNames(names, count)) deviceList->addItem(name);
  // Exact and case-sensitive, so "Cam" in use is never taken for "Cam 2".
  deviceList->setCurrentIndex(deviceList->findText(QString::fromStdString(inUse),
                                                   Qt::MatchExactly | Qt::MatchCaseSensitive));

  connect(okButton, &QPushButton::clicked, this, &VideoDialog::accept);
  connect(cancelButton, &QPushButton::clicked, this, &VideoDialog::reject);
  connect(formatButton, &QPushButton::clicked, this, [this] {
    if (onVideoFormat) onVideoFormat();
    activateWindow();
  });
  connect(sourceButton, &QPushButton::clicked, this, [this] {
    if (onVideoSource) onVideoSource();
    activateWindow();
  });
}

void VideoDialog::accept() {
  flip = flipBox->isChecked() ? 1 : 0;
  deviceName = deviceList->currentText().toStdString().substr(0, 80);
  QDialog::accept();
}
