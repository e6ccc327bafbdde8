#include "app/startup/single_instance.h"

#include <unistd.h>

#include <QDir>
#include <QFileInfo>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QThread>

namespace kardomel {
namespace {

// One line: "activate", then a space and the percent-encoded file when the
// later start names one (the encoding keeps a line break in a name inside).
const QByteArray kActivate = "activate";
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

bool TSingleInstanceGuard::TryRunFirst(std::function<void(const QString& file)> onActivate,
                                       const QString& handOver) {
  lock_ = std::make_unique<QLockFile>(lockPath_);
  // A copy may run for days: only a dead owner makes the lock stale, never its age.
  lock_->setStaleLockTime(0);
  if (!lock_->tryLock(0)) {
    lock_.reset();
    // The running copy has another working folder: only an absolute path
    // names the same file there.
    SignalRunningCopy(handOver.isEmpty() ? QString() : QFileInfo(handOver).absoluteFilePath());
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
      const qsizetype end = buffer->indexOf('\n');
      if (end < 0) return;
      const QByteArray line = buffer->left(end);
      buffer->clear();
      socket->disconnectFromServer();
      QString file;
      if (line.startsWith(kActivate + ' '))
        file = QString::fromUtf8(QByteArray::fromPercentEncoding(line.mid(kActivate.size() + 1)));
      else if (line != kActivate)
        return;
      if (onActivate_) onActivate_(file);
    };
    connect(socket, &QLocalSocket::readyRead, this, consume);
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    if (socket->bytesAvailable() > 0) consume();
  }
}

bool TSingleInstanceGuard::SignalRunningCopy(const QString& file) {
  QByteArray message = kActivate;
  if (!file.isEmpty()) message += ' ' + file.toUtf8().toPercentEncoding();
  message += '\n';
  for (int attempt = 0; attempt < kConnectAttempts; ++attempt) {
    QLocalSocket socket;
    socket.connectToServer(socketPath_);
    if (socket.waitForConnected(kIoTimeoutMs)) {
      socket.write(message);
      bool sent = socket.waitForBytesWritten(kIoTimeoutMs);
      socket.disconnectFromServer();
      return sent;
    }
    QThread::msleep(kConnectPauseMs);
  }
  return false;
}

}  // namespace kardomel
