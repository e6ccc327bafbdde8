#include "app/startup/single_instance.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace kardomel {
namespace {

TEST(SingleInstance, SecondGuardEndsAndActivatesTheFirst) {
  QTemporaryDir dir;
  int activations = 0;
  QString handedFile = "unset";
  auto first = std::make_unique<TSingleInstanceGuard>(dir.path(), "k");
  ASSERT_TRUE(first->TryRunFirst([&](const QString& file) {
    ++activations;
    handedFile = file;
  }));

  QElapsedTimer timer;
  timer.start();
  TSingleInstanceGuard second(dir.path(), "k");
  EXPECT_FALSE(second.TryRunFirst(
      [](const QString&) { ADD_FAILURE() << "the second copy was activated"; }));
  EXPECT_LT(timer.elapsed(), 1000);
  QTRY_COMPARE_WITH_TIMEOUT(activations, 1, 3000);
  EXPECT_EQ(handedFile, QString());

  // A relative name means the later start's working folder; a line break or
  // a non-ASCII letter in it does not cut the message.
  const QString name = QString::fromUtf8("Teil\nä %41.001");
  TSingleInstanceGuard third(dir.path(), "k");
  EXPECT_FALSE(third.TryRunFirst({}, name));
  QTRY_COMPARE_WITH_TIMEOUT(activations, 2, 3000);
  EXPECT_EQ(handedFile, QDir::current().absoluteFilePath(name));

  // Another name is another program; after the first ends, a new start runs.
  TSingleInstanceGuard other(dir.path(), "other");
  EXPECT_TRUE(other.TryRunFirst({}));
  first.reset();
  TSingleInstanceGuard next(dir.path(), "k");
  EXPECT_TRUE(next.TryRunFirst({}));
}

// Reads lines from a running probe until Line shows up.
bool WaitForLine(QProcess& process, const QByteArray& line) {
  QByteArray seen;
  QElapsedTimer timer;
  timer.start();
  while (timer.elapsed() < 5000) {
    if (process.waitForReadyRead(100)) seen += process.readAll();
    if (seen.contains(line + "\n")) return true;
  }
  return false;
}

TEST(SingleInstance, SeparateProcessesAndACrashedFirstCopy) {
  QTemporaryDir dir;
  QProcess first;
  first.start(PROBE_PATH, {dir.path(), "k"});
  ASSERT_TRUE(WaitForLine(first, "first"));

  QProcess second;
  second.start(PROBE_PATH, {dir.path(), "k", "/data/set.kdm"});
  ASSERT_TRUE(second.waitForFinished(3000));
  EXPECT_EQ(second.exitCode(), 3);
  EXPECT_EQ(second.readAllStandardOutput(), "second\n");
  EXPECT_TRUE(WaitForLine(first, "activated /data/set.kdm"));

  // Killed without clean-up: its lock and socket file stay behind.
  first.kill();
  first.waitForFinished(3000);
  QProcess after;
  after.start(PROBE_PATH, {dir.path(), "k"});
  EXPECT_TRUE(WaitForLine(after, "first"));
  // It listens again on the stale socket's place: a later start reaches it.
  QProcess later;
  later.start(PROBE_PATH, {dir.path(), "k"});
  ASSERT_TRUE(later.waitForFinished(3000));
  EXPECT_EQ(later.exitCode(), 3);
  EXPECT_TRUE(WaitForLine(after, "activated"));
  after.kill();
  after.waitForFinished(3000);
}

}  // namespace
}  // namespace kardomel
