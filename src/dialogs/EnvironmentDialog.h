#pragma once
#include <QDialog>

class QComboBox;

// The court's geometry and physics as the environment dialog edits them.
struct EnvironmentValues {
  double gravity = 600.0;      // px/s², downward
  double gravityUnit = 600.0;  // px/s² shown as 1.0 g; never changed here
  int ballRadius = 30;         // px
  int basketSize = 112;        // px, ring width
  int ringHeight = 200;        // px
  int skinIndex = 3;           // backdrop skin, 0 to 4
};

// "Environment Properties": five fixed lists. Works on its own copy of the values; OK
// stores the chosen entries in `values`, Cancel leaves them as they came in.
class EnvironmentDialog final : public QDialog {
  Q_OBJECT

 public:
  explicit EnvironmentDialog(const EnvironmentValues& initial, QWidget* parent = nullptr);

  void accept() override;

  EnvironmentValues values;

 private:
  void preselect();

  QComboBox* ballSizeList;
  QComboBox* basketSizeList;
  QComboBox* ringHeightList;
  QComboBox* skinList;
  QComboBox* gravityList;
};
