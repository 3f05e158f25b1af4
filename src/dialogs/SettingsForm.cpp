#include "dialogs/SettingsForm.h"

#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QPushButton>
#include <cmath>

QComboBox* makeChoiceList(const QStringList& entries, int defaultIndex, const QString& name) {
  auto* list = new QComboBox;
  list->setObjectName(name);
  list->setEditable(false);
  for (int i = 0; i < entries.size(); ++i)
    list->addItem(i == defaultIndex ? entries[i] + defaultMark : entries[i]);
  return list;
}

int nearestEntry(std::span<const double> entries, double value) {
  int best = 0;
  for (int i = 1; i < static_cast<int>(entries.size()); ++i)
    if (std::abs(entries[i] - value) < std::abs(entries[best] - value)) best = i;
  return best;
}

QGroupBox* labelledGroup(const QString& title,
                         std::initializer_list<std::pair<QString, QWidget*>> rows) {
  auto* group = new QGroupBox(title);
  auto* form = new QFormLayout(group);
  for (const auto& [label, field] : rows) form->addRow(label, field);
  return group;
}

QDialogButtonBox* confirmButtons(QDialog& dialog, const QString& confirmText) {
  auto* buttons = new QDialogButtonBox;
  QPushButton* confirm = buttons->addButton(confirmText, QDialogButtonBox::AcceptRole);
  confirm->setObjectName(QStringLiteral("confirm"));
  confirm->setDefault(true);
  buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole)
      ->setObjectName(QStringLiteral("cancel"));
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  return buttons;
}
