#pragma once
#include <QColor>
#include <QDialog>
#include <QFont>
#include <QRect>
#include <QString>
#include <array>
#include <vector>

#include "model/TopTen.h"

class QFontMetrics;
class QPushButton;

// One painted cell of the table: its fill, its text and where the text's top-left corner
// goes.
struct TopTenCell {
  QRect rect;
  QColor fill;
  QString text;
  QPoint textAt;
};

// The table's geometry, computed from measured texts so that it can be checked without
// painting. `cells` holds the header row, then the ten rows in table order, four cells each.
struct TopTenGrid {
  std::array<int, 4> columnWidth{};  // px: ten W, then the three number headers
  int rowHeight = 0;                 // px
  int margin = 10;                   // px
  std::vector<TopTenCell> cells;

  int tableWidth() const;   // px from the client's left edge to the table's right margin
  int tableBottom() const;  // px from the client's top edge to the last row's bottom
};

TopTenGrid layoutTopTen(const TopTenTable& rows, const QFontMetrics& metrics);

// The table font. It stands in for "MS Sans Serif" with a cell height of 22 and an average
// width of 12: Liberation Sans at 20 pixels measures exactly that.
QFont topTenFont();

// "Top Ten": the table painted as a coloured grid, sized to its texts, with OK in the
// bottom-right corner. It shows a copy of the table and changes nothing.
class TopTenDialog final : public QDialog {
  Q_OBJECT

 public:
  explicit TopTenDialog(const TopTenTable& rows, QWidget* parent = nullptr);

  const TopTenGrid& grid() const { return table; }
  QPushButton* okButton() const { return ok; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QFont tableFont;
  TopTenGrid table;
  QPushButton* ok;
};
