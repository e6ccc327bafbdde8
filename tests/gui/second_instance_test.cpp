// The desktop program as a process: a second start while one copy runs ends
// at once, shows nothing and writes no settings; the file it names goes to
// the running copy, which runs no command on it.
#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QTest>

namespace {

QProcessEnvironment ProgramEnvironment(const QTemporaryDir& dir) {
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("QT_QPA_PLATFORM", "offscreen");
  env.insert("XDG_RUNTIME_DIR", dir.filePath("run"));
  env.insert("XDG_CONFIG_HOME", dir.filePath("config"));
  env.insert("HOME", dir.path());
  return env;
}

TEST(SecondInstance, EndsAtOnceWhileTheFirstRuns) {
  QTemporaryDir dir;
  ASSERT_TRUE(QDir().mkpath(dir.filePath("run")));
  QFile::setPermissions(dir.filePath("run"), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                 QFileDevice::ExeOwner);
  const QString ini = dir.filePath("config/Kardomel/Kardomel.INI");

  QProcess first;
  first.setProcessEnvironment(ProgramEnvironment(dir));
  first.start(KARDOMEL_PATH, {});
  ASSERT_TRUE(first.waitForStarted());
  // The first copy is ready once it listens beside its lock.
  ASSERT_TRUE(QTest::qWaitFor(
      [&] { return QFileInfo::exists(dir.filePath("run/kardomel.socket")); }, 10000));

  QProcess second;
  second.setProcessEnvironment(ProgramEnvironment(dir));
  QElapsedTimer clock;
  clock.start();
  second.start(KARDOMEL_PATH, {dir.filePath("some.001")});
  ASSERT_TRUE(second.waitForFinished(10000));
  EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(second.exitCode(), 0);
  EXPECT_LT(clock.elapsed(), 5000);
  EXPECT_EQ(first.state(), QProcess::Running);
  EXPECT_FALSE(QFileInfo::exists(ini)) << "the second copy saved settings";

  first.terminate();
  ASSERT_TRUE(first.waitForFinished(10000));
}

TEST(SecondInstance, HandsItsFileToTheFirstWhichDoesNotJoinIt) {
  QTemporaryDir dir;
  ASSERT_TRUE(QDir().mkpath(dir.filePath("run")));
  ASSERT_TRUE(QDir().mkpath(dir.filePath("set")));
  QFile::setPermissions(dir.filePath("run"), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                 QFileDevice::ExeOwner);
  // A start with such a member alone would join the set at once.
  for (const char* name : {"set/data.001", "set/data.002"}) {
    QFile part(dir.filePath(name));
    ASSERT_TRUE(part.open(QIODevice::WriteOnly));
    part.write("0123456789");
  }
  const QStringList set = QDir(dir.filePath("set")).entryList(QDir::Files);

  QProcess first;
  first.setProcessEnvironment(ProgramEnvironment(dir));
  first.start(KARDOMEL_PATH, {});
  ASSERT_TRUE(first.waitForStarted());
  ASSERT_TRUE(QTest::qWaitFor(
      [&] { return QFileInfo::exists(dir.filePath("run/kardomel.socket")); }, 10000));

  // Started from the set's folder with a relative name, as a file manager may.
  QProcess second;
  second.setProcessEnvironment(ProgramEnvironment(dir));
  second.setWorkingDirectory(dir.filePath("set"));
  second.start(KARDOMEL_PATH, {"data.001"});
  ASSERT_TRUE(second.waitForFinished(10000));
  EXPECT_EQ(second.exitCode(), 0);
  // Time for the first to read the folder and select; a join would show here.
  QTest::qWait(1500);
  EXPECT_EQ(first.state(), QProcess::Running);
  EXPECT_EQ(QDir(dir.filePath("set")).entryList(QDir::Files), set);

  first.terminate();
  ASSERT_TRUE(first.waitForFinished(10000));
}

}  // namespace
