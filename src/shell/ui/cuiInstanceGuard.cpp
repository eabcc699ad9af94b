#include "shell/ui/cuiInstanceGuard.h"

#include <unistd.h>

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>

namespace {

constexpr int kAlertWaitMs = 500;
const QByteArray kAlertLine = QByteArrayLiteral("alert");

QString DefaultFolder() {
  // Without XDG_RUNTIME_DIR Qt would warn and pick a folder of its own; use ours.
  if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (!runtime.isEmpty()) return runtime;
  }
  return QDir::tempPath() + QStringLiteral("/rx93kit-%1").arg(::getuid());
}

// The name with every character outside [A-Za-z0-9._-] replaced by '_'.
QString SafeName(const std::string& name) {
  QString safe = QString::fromStdString(name);
  for (QChar& c : safe) {
    const char16_t u = c.unicode();
    const bool keep =
        (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9') || u == '.' || u == '_' || u == '-';
    if (!keep) c = QLatin1Char('_');
  }
  return safe;
}

}  // namespace

cuiInstanceGuard::cuiInstanceGuard(QObject* parent) : cuiInstanceGuard(DefaultFolder(), parent) {}

cuiInstanceGuard::cuiInstanceGuard(const QString& folder, QObject* parent) : QObject(parent), folder_(folder) {
  // A folder made here (the temp fallback) is private to the user.
  if (!QDir(folder_).exists() && QDir().mkpath(folder_))
    QFile::setPermissions(folder_, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

cuiInstanceGuard::~cuiInstanceGuard() { Release(); }

QString cuiInstanceGuard::LockPath(const std::string& name) const {
  return folder_ + QLatin1Char('/') + SafeName(name) + QStringLiteral(".lock");
}

QString cuiInstanceGuard::SocketPath(const std::string& name) const {
  return folder_ + QLatin1Char('/') + SafeName(name) + QStringLiteral("-%1.sock").arg(::getuid());
}

bool cuiInstanceGuard::Claim(const std::string& name) {
  if (lock_) return name == name_;
  name_ = name;
  auto lock = std::make_unique<QLockFile>(LockPath(name));
  // Only a lock whose process has gone is stale, however old it is.
  lock->setStaleLockTime(0);
  if (!lock->tryLock(0)) return false;
  lock_ = std::move(lock);

  // The lock is ours, so a socket file still present was left by a dead owner.
  const QString socket = SocketPath(name);
  QLocalServer::removeServer(socket);
  server_ = new QLocalServer(this);
  server_->setSocketOptions(QLocalServer::UserAccessOption);
  connect(server_, &QLocalServer::newConnection, this, &cuiInstanceGuard::OnConnection);
  // Without the socket the claim still holds; only the alerts are lost.
  server_->listen(socket);
  return true;
}

void cuiInstanceGuard::Release() {
  if (server_) {
    server_->close();
    delete server_;
    server_ = nullptr;
  }
  if (lock_) {
    lock_->unlock();
    lock_.reset();
  }
}

void cuiInstanceGuard::AlertOwner() {
  if (name_.empty()) return;
  QLocalSocket socket;
  socket.connectToServer(SocketPath(name_));
  if (!socket.waitForConnected(kAlertWaitMs)) return;
  socket.write(kAlertLine + '\n');
  socket.waitForBytesWritten(kAlertWaitMs);
  socket.disconnectFromServer();
}

void cuiInstanceGuard::OnConnection() {
  while (QLocalSocket* socket = server_->nextPendingConnection()) {
    auto readLines = [this, socket] {
      while (socket->canReadLine())
        if (socket->readLine().trimmed() == kAlertLine) emit alertRequested();
    };
    connect(socket, &QLocalSocket::readyRead, this, readLines);
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    readLines();
  }
}
