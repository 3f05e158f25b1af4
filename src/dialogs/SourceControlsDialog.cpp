#include "dialogs/SourceControlsDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QSlider>
#include <QVBoxLayout>
#include <algorithm>
#include <functional>

namespace {

// A slider with the number it stands at beside it.
QWidget* sliderRow(const CameraControl& control, const std::function<void(int)>& apply) {
  auto* row = new QWidget;
  auto* slider = new QSlider(Qt::Horizontal, row);
  auto* number = new QLabel(QString::number(control.value), row);
  number->setMinimumWidth(number->fontMetrics().horizontalAdvance("-00000"));
  slider->setRange(control.minimum, control.maximum);
  slider->setSingleStep(control.step);
  slider->setPageStep(std::max(control.step, (control.maximum - control.minimum) / 10));
  slider->setValue(control.value);
  QObject::connect(slider, &QSlider::valueChanged, row, [number, apply](int value) {
    number->setNum(value);
    apply(value);
  });
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(slider);
  layout->addWidget(number);
  return row;
}

QWidget* menuRow(const CameraControl& control, const std::function<void(int)>& apply) {
  auto* list = new QComboBox;
  for (const auto& [value, label] : control.menu) {
    list->addItem(QString::fromStdString(label), value);
    if (value == control.value) list->setCurrentIndex(list->count() - 1);
  }
  QObject::connect(list, &QComboBox::currentIndexChanged, list,
                   [list, apply] { apply(list->currentData().toInt()); });
  return list;
}

QWidget* checkRow(const CameraControl& control, const std::function<void(int)>& apply) {
  auto* box = new QCheckBox;
  box->setChecked(control.value != 0);
  QObject::connect(box, &QCheckBox::toggled, box, [apply](bool on) { apply(on ? 1 : 0); });
  return box;
}

}  // namespace

SourceControlsDialog::SourceControlsDialog(QWidget* parent, CameraSettings& camera)
    : QDialog(parent), camera(camera) {
  setWindowTitle("Video Source");
  auto* form = new QFormLayout;
  const std::vector<CameraControl> controls = camera.controls();
  for (const CameraControl& control : controls)
    form->addRow(QString::fromStdString(control.name) + ":", editorFor(control));
  if (controls.empty()) form->addRow(new QLabel("This camera offers no picture settings."));
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(buttons);
}

QWidget* SourceControlsDialog::editorFor(const CameraControl& control) {
  const std::function<void(int)> apply = [this, id = control.id](int value) {
    camera.setControl(id, value);
  };
  QWidget* editor = nullptr;
  switch (control.kind) {
    case CameraControl::Kind::Slider: editor = sliderRow(control, apply); break;
    case CameraControl::Kind::CheckBox: editor = checkRow(control, apply); break;
    case CameraControl::Kind::Menu: editor = menuRow(control, apply); break;
  }
  editor->setEnabled(!control.readOnly);
  editor->setObjectName(QString::fromStdString(control.name));
  return editor;
}
