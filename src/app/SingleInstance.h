#pragma once
#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QString>

// Keeps one copy of the program running per user. The first copy holds a lock file (a lock
// left by a crashed copy is recognised as stale and taken over) and listens on a local socket
// in Linux's abstract namespace, which leaves no file behind; a later start connects to it
// to ask the first copy to come to the front, then ends.
class SingleInstance final : public QObject {
  Q_OBJECT

 public:
  // `key` names the lock file and the socket; one key per program.
  explicit SingleInstance(const QString& key, QObject* parent = nullptr);

  // True when no other copy runs; this copy then holds the lock and listens.
  bool claim();
  // From a later start: asks the running copy to raise itself. False when it cannot be reached.
  bool askRunningCopyToRaise();

  static QString lockPath(const QString& key);

 signals:
  void raiseRequested();

 private:
  QString m_socketName;
  QLockFile m_lock;
  QLocalServer m_server;
};
