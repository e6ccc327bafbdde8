// One running copy per user. The first start holds a lock file for its whole
// run and listens on a local socket beside it; a later start finds the lock
// taken, tells the first over the socket to come to the front, hands it the
// file it was started with, and ends before it shows anything. A lock left by
// a crashed copy does not count.
#pragma once

#include <functional>

#include <QByteArray>
#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QString>

#include <memory>

namespace kardomel {

class TSingleInstanceGuard : public QObject {
  Q_OBJECT

 public:
  // The guard named Name in Folder (lock "<Name>.lock", socket "<Name>.socket").
  // Defaults: the user's runtime folder and "kardomel".
  explicit TSingleInstanceGuard(QString folder = DefaultFolder(), QString name = "kardomel",
                                QObject* parent = nullptr);
  ~TSingleInstanceGuard() override;

  // True when this is the only running copy: the lock is held until the guard
  // is destroyed, and OnActivate runs (on this thread's event loop) each time a
  // later start asks, with the absolute path of the file that start names
  // (empty when it names none). False when another copy runs; it has been
  // asked to come to the front and handed HandOver. Call once.
  bool TryRunFirst(std::function<void(const QString& file)> onActivate,
                   const QString& handOver = {});

  // The per-user folder for the lock and the socket.
  static QString DefaultFolder();

 private:
  void AcceptConnections();
  // Asks the running copy to come to the front with File; false when it did
  // not answer.
  bool SignalRunningCopy(const QString& file);

  QString lockPath_;
  QString socketPath_;
  std::unique_ptr<QLockFile> lock_;
  QLocalServer server_;
  std::function<void(const QString& file)> onActivate_;
};

}  // namespace kardomel
