#pragma once
#include <QDialog>

class QPushButton;

// F1 help: how to play, where to click for the settings, what the settings do. Not modal, so
// the game goes on beside it; its "About Swish Cam..." button opens the About box.
class HelpWindow final : public QDialog {
 public:
  explicit HelpWindow(QWidget* owner);

  QPushButton* aboutButton() const { return m_about; }

  static QString helpText();

 private:
  QPushButton* m_about = nullptr;
};
