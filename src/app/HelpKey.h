#pragma once
#include <QObject>
#include <QPointer>

#include "app/HelpWindow.h"

class QWidget;

// F1 anywhere shows the help window: one filter on the application sees the key in every
// window, the settings dialogs and the winner's screen included. The key still reaches its
// window afterwards, so the winner's screen closes on it as on any key.
class HelpKey final : public QObject {
 public:
  // The help window is made the first time it is asked for, owned by `owner`.
  explicit HelpKey(QWidget* owner);

  // Shows the help window, usable even beside a modal dialog.
  void showHelp();
  HelpWindow* window() const { return m_help; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* m_owner;
  QPointer<HelpWindow> m_help;
};
