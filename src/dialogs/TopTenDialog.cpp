#include "dialogs/TopTenDialog.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPushButton>
#include <numeric>

namespace {

const std::array<QString, 4> headers = {
    QStringLiteral("Player Name"), QStringLiteral("Total Game Time"),
    QStringLiteral("Total Points"), QStringLiteral("Total Score")};

const QColor textColor(255, 255, 0);

// Columns 0 and 2 are the brighter ones in every row.
QColor cellFill(int row, int column) {
  const int level = column % 2 == 0 ? 140 : 120;
  if (row == 0) return QColor(column % 2 == 0 ? 160 : 140, 0, 0);
  return (row - 1) % 2 == 0 ? QColor(0, level, 0) : QColor(0, 0, level);
}

std::array<QString, 4> rowTexts(int k, const TopTenEntry& entry) {
  const QByteArray name(entry.nameView().data(), static_cast<qsizetype>(entry.nameView().size()));
  return {QString::asprintf("%d. ", k + 1) + QString::fromUtf8(name),
          QString::number(entry.gameTime), QString::number(entry.points),
          QString::number(entry.score)};
}

}  // namespace

int TopTenGrid::tableWidth() const {
  return std::accumulate(columnWidth.begin(), columnWidth.end(), 0) + 10 * margin;
}

int TopTenGrid::tableBottom() const { return margin + 11 * rowHeight; }

TopTenGrid layoutTopTen(const TopTenTable& rows, const QFontMetrics& metrics) {
  TopTenGrid grid;
  const std::array<QString, 4> measured = {QStringLiteral("WWWWWWWWWW"), headers[1], headers[2],
                                           headers[3]};
  for (int c = 0; c < 4; ++c) grid.columnWidth[c] = metrics.horizontalAdvance(measured[c]);
  // A text's extent is ascent plus descent, without the line spacing's leading.
  grid.rowHeight = metrics.boundingRect(headers[3]).height();
  const int m = grid.margin;
  for (int r = 0; r <= 10; ++r) {
    const std::array<QString, 4> texts = r == 0 ? headers : rowTexts(r - 1, rows[r - 1]);
    int left = m;
    for (int c = 0; c < 4; ++c) {
      const QRect rect(left, m + r * grid.rowHeight, grid.columnWidth[c] + 2 * m, grid.rowHeight);
      // Names start one margin into their cell; everything else is centred.
      const int textX =
          r > 0 && c == 0 ? rect.left() + m
                          : rect.left() + (rect.width() - metrics.horizontalAdvance(texts[c])) / 2;
      grid.cells.push_back({rect, cellFill(r, c), texts[c], QPoint(textX, rect.top())});
      left += rect.width();
    }
  }
  return grid;
}

QFont topTenFont() {
  QFont font(QStringLiteral("Liberation Sans"));
  font.setPixelSize(20);
  font.setWeight(QFont::Normal);
  font.setStyleHint(QFont::SansSerif);
  return font;
}

TopTenDialog::TopTenDialog(const TopTenTable& rows, QWidget* parent)
    : QDialog(parent), tableFont(topTenFont()), table(layoutTopTen(rows, QFontMetrics(tableFont))) {
  setWindowTitle(QStringLiteral("Top Ten"));
  ok = new QPushButton(QStringLiteral("OK"), this);
  ok->setDefault(true);
  ok->resize(ok->sizeHint());
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  const int m = table.margin;
  setFixedSize(table.tableWidth(), table.tableBottom() + 2 * m + ok->height());
  ok->move(width() - m - ok->width(), height() - m - ok->height());
}

void TopTenDialog::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setFont(tableFont);
  painter.setPen(textColor);
  const int ascent = QFontMetrics(tableFont).ascent();
  for (const TopTenCell& cell : table.cells) {
    painter.fillRect(cell.rect, cell.fill);
    painter.drawText(cell.textAt.x(), cell.textAt.y() + ascent, cell.text);
  }
}
