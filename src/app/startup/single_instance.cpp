#include "app/startup/single_instance.h"

#include <unistd.h>

#include <QDir>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QThread>

namespace kardomel {
namespace {

const QByteArray kActivate = "activate\n";
// The first copy may hold the lock a moment before it listens.
constexpr int kConnectAttempts = 20;
constexpr int kConnectPauseMs = 50;
constexpr int kIoTimeoutMs = 1000;

}  // namespace

TSingleInstanceGuard::TSingleInstanceGuard(QString folder, QString name, QObject* parent)
    : QObject(parent),
      lockPath_(QDir(folder).filePath(name + ".lock")),
      socketPath_(QDir(folder).filePath(name + ".socket")) {}

TSingleInstanceGuard::~TSingleInstanceGuard() {
  if (server_.isListening()) server_.close();
  if (lock_) lock_->unlock();
}

QString TSingleInstanceGuard::DefaultFolder() {
  QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
  if (folder.isEmpty())
    folder = QDir::tempPath() + QStringLiteral("/kardomel-%1").arg(static_cast<qulonglong>(getuid()));
  QDir().mkpath(folder);
  return folder;
}

bool TSingleInstanceGuard::TryRunFirst(std::function<void()> onActivate) {
  lock_ = std::make_unique<QLockFile>(lockPath_);
  // A copy may run for days: only a dead owner makes the lock stale, never its age.
  lock_->setStaleLockTime(0);
  if (!lock_->tryLock(0)) {
    lock_.reset();
    SignalRunningCopy();
    return false;
  }
  onActivate_ = std::move(onActivate);
  // A socket file left by a crashed copy would block the listen.
  QLocalServer::removeServer(socketPath_);
  server_.setSocketOptions(QLocalServer::UserAccessOption);
  connect(&server_, &QLocalServer::newConnection, this, &TSingleInstanceGuard::AcceptConnections);
  // Without the socket the copy still runs alone; later starts then only end.
  server_.listen(socketPath_);
  return true;
}

void TSingleInstanceGuard::AcceptConnections() {
  while (QLocalSocket* socket = server_.nextPendingConnection()) {
    auto buffer = std::make_shared<QByteArray>();
    auto consume = [this, socket, buffer] {
      buffer->append(socket->readAll());
      if (buffer->startsWith(kActivate)) {
        buffer->clear();
        socket->disconnectFromServer();
        if (onActivate_) onActivate_();
      }
    };
    connect(socket, &QLocalSocket::readyRead, this, consume);
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    if (socket->bytesAvailable() > 0) consume();
  }
}

bool TSingleInstanceGuard::SignalRunningCopy() {
  for (int attempt = 0; attempt < kConnectAttempts; ++attempt) {
    QLocalSocket socket;
    socket.connectToServer(socketPath_);
    if (socket.waitForConnected(kIoTimeoutMs)) {
      socket.write(kActivate);
      bool sent = socket.waitForBytesWritten(kIoTimeoutMs);
      socket.disconnectFromServer();
      return sent;
    }
    QThread::msleep(kConnectPauseMs);
  }
  return false;
}

}  // namespace kardomel
