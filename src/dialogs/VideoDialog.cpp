#include "dialogs/VideoDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <vector>

namespace {

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
  // Created in tab order: OK, the check box, the two settings buttons, Cancel, the list.
  okButton = new QPushButton("OK", this);
  okButton->setDefault(true);
  flipBox = new QCheckBox("Flip horizontal", this);
  formatButton = new QPushButton("Video Format...", this);
  sourceButton = new QPushButton("Video Source...", this);
  cancelButton = new QPushButton("Cancel", this);
  deviceList = new QComboBox(this);
  arrange();

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

// Top to bottom: the list with its label, the two settings buttons side by side, the check
// box, OK and Cancel at the right. The layout sizes the dialog to its texts and fonts.
void VideoDialog::arrange() {
  auto* settings = new QHBoxLayout;
  settings->addWidget(formatButton);
  settings->addWidget(sourceButton);
  auto* closing = new QHBoxLayout;
  closing->addStretch();
  closing->addWidget(okButton);
  closing->addWidget(cancelButton);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel("Use video capture device:", this));
  layout->addWidget(deviceList);
  layout->addSpacing(layout->spacing());
  layout->addLayout(settings);
  layout->addWidget(flipBox);
  layout->addSpacing(layout->spacing());
  layout->addLayout(closing);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

void VideoDialog::accept() {
  flip = flipBox->isChecked() ? 1 : 0;
  deviceName = deviceList->currentText().toStdString().substr(0, 80);
  QDialog::accept();
}
