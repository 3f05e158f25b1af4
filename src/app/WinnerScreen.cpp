#include "app/WinnerScreen.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QPolygon>
#include <cmath>
#include <numbers>

#include "platform/qt/QtFont.h"

namespace {

constexpr int medalSize = 200;
constexpr double pi = std::numbers::pi;

QColor gold(int level) { return QColor(level, level, 0); }

// A circle of 61 chords about (100, 100) whose colour turns with the angle: shade −32 is
// brightest towards the upper left, +32 towards the lower right.
void drawShadedCircle(QPainter& painter, int radius, int shade) {
  QPoint from(static_cast<int>(radius + 100.0), 100);
  const int steps = static_cast<int>(2 * pi * 30.5 / pi + 0.5);
  for (int i = 0; i < steps; ++i) {
    const double a = i * pi / 30;
    const int level = static_cast<int>(std::cos(a - pi / 4) * shade + 200);
    const QPoint to(static_cast<int>(std::cos(a) * radius + 100),
                    static_cast<int>(std::sin(a) * radius + 100));
    painter.setPen(QPen(gold(level), 2, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(from, to);
    from = to;
  }
}

// The text's cell centred on (x, y), halves truncated.
void drawCentredText(QPainter& painter, int x, int y, const QString& text, int width, int height,
                     const QColor& colour) {
  const QFont font = makeFont(TextFont{height, width});
  const QFontMetrics metrics(font);
  painter.setFont(font);
  painter.setPen(colour);
  const int left = x - metrics.horizontalAdvance(text) / 2;
  const int top = y - height / 2;
  painter.drawText(QPoint(left, top + metrics.ascent()), text);
}

bool closesScreen(const QEvent& event) {
  switch (event.type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
      return true;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick: {
      const Qt::MouseButton button = static_cast<const QMouseEvent&>(event).button();
      return button == Qt::LeftButton || button == Qt::RightButton;
    }
    default:
      return false;
  }
}

}  // namespace

WinnerScreen::WinnerScreen(QWidget* owner, const QString& winnerText)
    : QDialog(owner), m_winnerText(winnerText), m_medal(drawMedal(winnerText)) {
  setWindowTitle(QStringLiteral("Game Over!"));
  setFixedSize(medalSize, medalSize);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

QImage WinnerScreen::drawMedal(const QString& winnerText) {
  QImage medal(medalSize, medalSize, QImage::Format_RGB32);
  QPainter painter(&medal);
  painter.fillRect(0, 0, medalSize, medalSize, QColor(0, 128, 64));

  painter.setPen(QPen(gold(200), 1));
  painter.setBrush(gold(200));
  painter.drawEllipse(QRect(0, 0, medalSize - 1, medalSize - 1));  // the pen adds the last pixel
  painter.setBrush(Qt::NoBrush);

  QPolygon rim;
  rim << QPoint(200, 100);
  for (int i = 0; i <= 60; ++i)
    rim << QPoint(static_cast<int>((std::cos(i * pi / 30) + 1) * 100),
                  static_cast<int>((std::sin(i * pi / 30) + 1) * 100));
  painter.setPen(QPen(gold(168), 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  painter.drawPolyline(rim);

  drawShadedCircle(painter, 98, -32);
  drawShadedCircle(painter, 88, 32);
  drawShadedCircle(painter, 74, 32);
  drawShadedCircle(painter, 76, -32);

  // Dark, middle and bright copies, each one pixel up and left of the one before: embossed.
  for (int pass = 0; pass < 3; ++pass) {
    const int c = 101 - pass;
    const QColor colour = gold(150 + 40 * pass);
    drawCentredText(painter, c, c - 30, QStringLiteral("Gold Medal"), 10, 20, colour);
    drawCentredText(painter, c, c + 30, QStringLiteral("~ W I N ~"), 10, 20, colour);
    drawCentredText(painter, c, c, winnerText, 11, 22, colour);
  }
  return medal;
}

bool WinnerScreen::event(QEvent* event) {
  if (closesScreen(*event)) {
    close();
    return true;
  }
  return QDialog::event(event);
}

void WinnerScreen::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawImage(0, 0, m_medal);
}
