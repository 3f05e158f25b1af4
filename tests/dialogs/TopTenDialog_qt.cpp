#include <QFontInfo>
#include <QFontMetrics>
#include <QImage>
#include <QPushButton>
#include <QtTest>
#include <algorithm>
#include <cstring>

#include "dialogs/DialogTestSupport.h"
#include "dialogs/TopTenDialog.h"

namespace {

TopTenEntry entry(const char* name, int gameTime, int points, int score) {
  TopTenEntry row;
  row.gameTime = gameTime;
  row.points = points;
  row.score = score;
  std::memcpy(row.name, name, std::min(std::strlen(name), sizeof row.name - 1));
  return row;
}

const TopTenCell& cellAt(const TopTenGrid& grid, int row, int column) {
  return grid.cells[static_cast<std::size_t>(row * 4 + column)];
}

bool isTextYellow(QRgb pixel) {
  return qRed(pixel) > 200 && qGreen(pixel) > 200 && qBlue(pixel) < 80;
}

}  // namespace

class TopTenDialogTest : public QObject {
  Q_OBJECT

 private slots:
  void cleanup() { closeTopLevels(); }

  void fontStandsInAtTheAskedSize() {
    const QFont font = topTenFont();
    QCOMPARE(QFontInfo(font).family(), QString("Liberation Sans"));
    const QFontMetrics metrics(font);
    QCOMPARE(metrics.height(), 22);
    QCOMPARE(metrics.averageCharWidth(), 12);
  }

  void emptyTableShowsTenNumberedRowsOfZeros() {
    const TopTenGrid grid = layoutTopTen(TopTenTable{}, QFontMetrics(topTenFont()));
    QCOMPARE(grid.cells.size(), std::size_t(44));
    QStringList header;
    for (int c = 0; c < 4; ++c) header << cellAt(grid, 0, c).text;
    QCOMPARE(header,
             QStringList({"Player Name", "Total Game Time", "Total Points", "Total Score"}));
    for (int k = 0; k < 10; ++k) {
      QCOMPARE(cellAt(grid, k + 1, 0).text, QString("%1. ").arg(k + 1));
      for (int c = 1; c < 4; ++c) QCOMPARE(cellAt(grid, k + 1, c).text, QString("0"));
    }
  }

  void rowsKeepTheTableOrder() {
    TopTenTable table{};
    table[0] = entry("Zed", 5, 2, 9);
    table[1] = entry("Ann", 10, 30, 40);  // higher, but the dialog does not sort
    table[2] = entry("WWWWWWWWWWW", 5, 12, 29);
    const TopTenGrid grid = layoutTopTen(table, QFontMetrics(topTenFont()));
    QCOMPARE(cellAt(grid, 1, 0).text, QString("1. Zed"));
    QCOMPARE(cellAt(grid, 2, 0).text, QString("2. Ann"));
    QCOMPARE(cellAt(grid, 2, 1).text, QString("10"));
    QCOMPARE(cellAt(grid, 2, 2).text, QString("30"));
    QCOMPARE(cellAt(grid, 2, 3).text, QString("40"));
    QCOMPARE(cellAt(grid, 3, 0).text, QString("3. WWWWWWWWWWW"));
    QCOMPARE(cellAt(grid, 4, 0).text, QString("4. "));
  }

  void gridIsSizedFromTheMeasuredTexts() {
    const QFontMetrics metrics(topTenFont());
    TopTenTable table{};
    table[0] = entry("WWWWWWWWWWW", 5, 12, 29);  // names never widen the column
    const TopTenGrid grid = layoutTopTen(table, metrics);
    const std::array<int, 4> widths = {
        metrics.horizontalAdvance("WWWWWWWWWW"), metrics.horizontalAdvance("Total Game Time"),
        metrics.horizontalAdvance("Total Points"), metrics.horizontalAdvance("Total Score")};
    QCOMPARE(grid.columnWidth, widths);
    QCOMPARE(grid.rowHeight, 22);
    QCOMPARE(grid.margin, 10);
    int left = 10;
    for (int c = 0; c < 4; ++c) {
      for (int r = 0; r <= 10; ++r)
        QCOMPARE(cellAt(grid, r, c).rect, QRect(left, 10 + r * 22, widths[c] + 20, 22));
      left += widths[c] + 20;
    }
    // Header texts centred, names one margin in, numbers centred; all at the row's top.
    const QRect header = cellAt(grid, 0, 0).rect;
    QCOMPARE(cellAt(grid, 0, 0).textAt,
             QPoint(10 + (header.width() - metrics.horizontalAdvance("Player Name")) / 2, 10));
    QCOMPARE(cellAt(grid, 1, 0).textAt, QPoint(20, 32));
    const QRect score = cellAt(grid, 1, 3).rect;
    QCOMPARE(cellAt(grid, 1, 3).textAt,
             QPoint(score.left() + (score.width() - metrics.horizontalAdvance("29")) / 2, 32));
  }

  void cellsAreColouredByRowAndColumn() {
    const TopTenGrid grid = layoutTopTen(TopTenTable{}, QFontMetrics(topTenFont()));
    const std::array<QColor, 4> header = {QColor(160, 0, 0), QColor(140, 0, 0), QColor(160, 0, 0),
                                          QColor(140, 0, 0)};
    const std::array<QColor, 4> even = {QColor(0, 140, 0), QColor(0, 120, 0), QColor(0, 140, 0),
                                        QColor(0, 120, 0)};
    const std::array<QColor, 4> odd = {QColor(0, 0, 140), QColor(0, 0, 120), QColor(0, 0, 140),
                                       QColor(0, 0, 120)};
    for (int c = 0; c < 4; ++c) {
      QCOMPARE(cellAt(grid, 0, c).fill, header[c]);
      for (int k = 0; k < 10; ++k)
        QCOMPARE(cellAt(grid, k + 1, c).fill, k % 2 == 0 ? even[c] : odd[c]);
    }
  }

  void windowFitsTheTableWithOkInTheCorner() {
    TopTenDialog dialog(TopTenTable{});
    const TopTenGrid& grid = dialog.grid();
    const int sum =
        grid.columnWidth[0] + grid.columnWidth[1] + grid.columnWidth[2] + grid.columnWidth[3];
    QPushButton* ok = dialog.okButton();
    QCOMPARE(dialog.windowTitle(), QString("Top Ten"));
    QCOMPARE(ok->text(), QString("OK"));
    QCOMPARE(dialog.size(), QSize(sum + 100, 11 * 22 + 3 * 10 + ok->height()));
    QCOMPARE(ok->geometry().right() + 1, dialog.width() - 10);
    QCOMPARE(ok->geometry().bottom() + 1, dialog.height() - 10);
    QVERIFY(ok->isDefault());
  }

  void allTenRowsArePainted() {
    TopTenDialog dialog(TopTenTable{});
    const QImage image = dialog.grab().toImage();
    for (const TopTenCell& cell : dialog.grid().cells)
      QCOMPARE(QColor(image.pixel(cell.rect.left() + 2, cell.rect.top() + 2)), cell.fill);
    // "10. " in yellow in the last row's first cell.
    const TopTenCell& last = cellAt(dialog.grid(), 10, 0);
    bool yellow = false;
    for (int y = last.rect.top(); y <= last.rect.bottom(); ++y)
      for (int x = last.textAt.x(); x < last.textAt.x() + 30; ++x)
        yellow = yellow || isTextYellow(image.pixel(x, y));
    QVERIFY(yellow);
  }

  void okCloses() {
    TopTenDialog dialog(TopTenTable{});
    whenModal<TopTenDialog>(
        [](TopTenDialog& open) { QTest::mouseClick(open.okButton(), Qt::LeftButton); });
    QCOMPARE(dialog.exec(), int(QDialog::Accepted));
  }
};

QTEST_MAIN(TopTenDialogTest)
#include "TopTenDialog_qt.moc"
