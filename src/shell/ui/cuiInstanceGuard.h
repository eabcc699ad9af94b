#pragma once
// The single-instance guard of a user: a lock file in the user's runtime folder holds
// the claim (a lock left by a dead process is taken over), and a local socket beside
// it, listened on by the owner, lets a second process ask the owner for attention:
// the owner then emits alertRequested().
#include <QObject>
#include <QString>
#include <memory>

#include "runtime/cmcInstanceGuard.h"

class QLocalServer;
class QLockFile;

class cuiInstanceGuard : public QObject, public cmcInstanceGuard {
  Q_OBJECT

 public:
  // Keeps the lock and the socket in the user's runtime folder (else a per-user temp folder).
  explicit cuiInstanceGuard(QObject* parent = nullptr);
  // Keeps them in the given folder, created when missing.
  explicit cuiInstanceGuard(const QString& folder, QObject* parent = nullptr);
  ~cuiInstanceGuard() override;

  bool Claim(const std::string& name) override;
  void Release() override;
  // Sends the alert to the owner of the name last passed to Claim; waits at most
  // 500 ms for it to be written, and does nothing when no owner listens.
  void AlertOwner() override;

  // The lock file and the socket path that a name maps to.
  QString LockPath(const std::string& name) const;
  QString SocketPath(const std::string& name) const;

 signals:
  // Another process asked for attention.
  void alertRequested();

 private:
  void OnConnection();

  QString folder_;
  std::string name_;
  std::unique_ptr<QLockFile> lock_;
  QLocalServer* server_ = nullptr;
};
