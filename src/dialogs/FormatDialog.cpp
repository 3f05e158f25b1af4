#include "dialogs/FormatDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QVBoxLayout>

namespace {

QString sizeText(const CameraMode& mode) {
  return QString("%1 × %2").arg(mode.width).arg(mode.height);
}

QString rateText(const CameraMode& mode) {
  if (mode.intervalNumerator == 0) return "Camera's default";
  return QString("%1 fps").arg(mode.framesPerSecond(), 0, 'g', 4);
}

qulonglong sizeKey(const CameraMode& mode) {
  return qulonglong(mode.width) << 32 | qulonglong(mode.height);
}

// Adds `text` with `key` unless it is listed already; selects it when it is `wanted`.
void addOnce(QComboBox* list, const QString& text, const QVariant& key, bool wanted) {
  int index = list->findData(key);
  if (index < 0) {
    list->addItem(text, key);
    index = list->count() - 1;
  }
  if (wanted) list->setCurrentIndex(index);
}

}  // namespace

FormatDialog::FormatDialog(QWidget* parent, std::vector<CameraMode> offered,
                           const CameraMode& inUse)
    : QDialog(parent), modes(std::move(offered)), current(inUse) {
  setWindowTitle("Video Format");
  formatList = new QComboBox(this);
  sizeList = new QComboBox(this);
  rateList = new QComboBox(this);
  auto* form = new QFormLayout;
  form->addRow("Pixel format:", formatList);
  form->addRow("Frame size:", sizeList);
  form->addRow("Frame rate:", rateList);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  for (const CameraMode& mode : modes)
    addOnce(formatList, QString::fromStdString(mode.formatName), mode.pixelFormat,
            mode.pixelFormat == current.pixelFormat);
  fillSizes();
  connect(formatList, &QComboBox::currentIndexChanged, this, [this] { fillSizes(); });
  connect(sizeList, &QComboBox::currentIndexChanged, this, [this] { fillRates(); });
}

bool FormatDialog::matches(const CameraMode& mode, int level) const {
  if (level >= 1 && formatList->currentData().toUInt() != mode.pixelFormat) return false;
  if (level >= 2 && sizeList->currentData().toULongLong() != sizeKey(mode)) return false;
  return true;
}

void FormatDialog::fillSizes() {
  const QSignalBlocker quiet(sizeList);
  sizeList->clear();
  for (const CameraMode& mode : modes)
    if (matches(mode, 1))
      addOnce(sizeList, sizeText(mode), sizeKey(mode), sizeKey(mode) == sizeKey(current));
  fillRates();
}

void FormatDialog::fillRates() {
  rateList->clear();
  for (std::size_t i = 0; i < modes.size(); ++i)
    if (matches(modes[i], 2))
      addOnce(rateList, rateText(modes[i]), qulonglong(i),
              modes[i].intervalNumerator == current.intervalNumerator &&
                  modes[i].intervalDenominator == current.intervalDenominator);
}

CameraMode FormatDialog::chosen() const {
  const QVariant index = rateList->currentData();
  return index.isValid() ? modes[index.toULongLong()] : current;
}
