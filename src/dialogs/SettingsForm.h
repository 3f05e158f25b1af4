#pragma once
#include <QString>
#include <QStringList>
#include <initializer_list>
#include <span>
#include <utility>

class QComboBox;
class QDialog;
class QDialogButtonBox;
class QGroupBox;
class QWidget;

// Building blocks the settings dialogs share.

// Appended to the entry a list starts with when nothing has been changed.
inline const QString defaultMark = QStringLiteral(" (default value)");

// A drop-down list of fixed entries that cannot be typed into; the entry at `defaultIndex`
// (if any) carries the default mark.
QComboBox* makeChoiceList(const QStringList& entries, int defaultIndex, const QString& name);

// The index of the entry nearest to `value`, the first of equally near ones. Values that
// match no entry (a settings file is read without range checks) so still preselect a
// listed value, which OK then stores.
int nearestEntry(std::span<const double> entries, double value);

// A titled group of labelled fields, one a row, in tab order.
QGroupBox* labelledGroup(const QString& title,
                         std::initializer_list<std::pair<QString, QWidget*>> rows);

// The confirm and "Cancel" buttons, wired to the dialog's accept and reject; Enter confirms.
QDialogButtonBox* confirmButtons(QDialog& dialog, const QString& confirmText);
