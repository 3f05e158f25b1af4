#pragma once
#include <QDialog>
#include <QImage>
#include <QString>

// "Game Over!": a 200 × 200 gold medal with the winner's name, modal over the main window.
// The picture is drawn once; any key or a left or right mouse button closes the window, a
// mouse move, the middle button or the wheel do not.
class WinnerScreen final : public QDialog {
 public:
  WinnerScreen(QWidget* owner, const QString& winnerText);

  const QString& winnerText() const { return m_winnerText; }
  const QImage& medal() const { return m_medal; }

  // The medal picture, 200 × 200, for the given middle line.
  static QImage drawMedal(const QString& winnerText);

 protected:
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  QString m_winnerText;
  QImage m_medal;
};
