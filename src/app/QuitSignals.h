#pragma once
#include <QObject>

class QSocketNotifier;

// Turns SIGTERM, SIGINT and SIGHUP into a Qt signal on the window thread, so that a
// logout or Ctrl+C closes the game the normal way: capture stopped, settings saved.
class QuitSignals final : public QObject {
  Q_OBJECT
 public:
  QuitSignals();
  ~QuitSignals() override;

 signals:
  void quitRequested();

 private:
  QSocketNotifier* m_notifier = nullptr;
};
