#pragma once
#include <QDialog>

#include "model/GameSettings.h"

class QComboBox;

// "Environment Properties": five fixed lists. Works on its own copy of the values; OK
// stores the chosen entries in `values`, Cancel leaves them as they came in.
class EnvironmentDialog final : public QDialog {
  Q_OBJECT

 public:
  // `gravityUnit` is the gravitation, px/s², shown as 1.0 g.
  EnvironmentDialog(const EnvironmentSettings& initial, double gravityUnit,
                    QWidget* parent = nullptr);

  void accept() override;

  EnvironmentSettings values;

 private:
  void preselect();

  double gravityUnit;

  QComboBox* ballSizeList;
  QComboBox* basketSizeList;
  QComboBox* ringHeightList;
  QComboBox* skinList;
  QComboBox* gravityList;
};
