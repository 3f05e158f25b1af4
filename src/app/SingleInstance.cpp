#include "app/SingleInstance.h"

#include <unistd.h>

#include <QDir>
#include <QLocalSocket>
#include <QStandardPaths>

namespace {

const QByteArray raiseRequest = QByteArrayLiteral("raise\n");
constexpr int connectTimeoutMs = 2000;  // a hung first copy must not hold the second one long

}  // namespace

SingleInstance::SingleInstance(const QString& key, QObject* parent)
    : QObject(parent),
      m_socketName(QStringLiteral("%1-%2").arg(key).arg(getuid())),
      m_lock(lockPath(key)) {
  m_lock.setStaleLockTime(0);  // held for the program's life: only a dead owner makes it stale
  m_server.setSocketOptions(QLocalServer::AbstractNamespaceOption);
  connect(&m_server, &QLocalServer::newConnection, this, [this] {
    while (QLocalSocket* client = m_server.nextPendingConnection()) {
      connect(client, &QLocalSocket::disconnected, client, &QObject::deleteLater);
      connect(client, &QLocalSocket::readyRead, this, [this, client] {
        if (client->canReadLine() && client->readLine() == raiseRequest) emit raiseRequested();
      });
    }
  });
}

QString SingleInstance::lockPath(const QString& key) {
  // The runtime folder is the user's own; the shared temporary folder is the fallback, hence
  // the user id in the name.
  const QString folder = qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")
                             ? QDir::tempPath()
                             : QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
  return QDir(folder).filePath(QStringLiteral("%1-%2.lock").arg(key).arg(getuid()));
}

bool SingleInstance::claim() {
  if (!m_lock.tryLock(0)) return false;
  // Without the socket later starts cannot raise this copy, but it still runs alone.
  m_server.listen(m_socketName);
  return true;
}

bool SingleInstance::askRunningCopyToRaise() {
  QLocalSocket socket;
  socket.setSocketOptions(QLocalSocket::AbstractNamespaceOption);
  socket.connectToServer(m_socketName);
  if (!socket.waitForConnected(connectTimeoutMs)) return false;
  socket.write(raiseRequest);
  const bool sent = socket.waitForBytesWritten(connectTimeoutMs);
  socket.disconnectFromServer();
  return sent;
}
