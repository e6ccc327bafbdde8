// Runs one guard: prints "first" and waits, printing "activated" (and the
// file handed over) for each later start, or prints "second" and ends with
// code 3. A third argument is the file this start hands over.
#include <cstdio>

#include <QCoreApplication>

#include "app/startup/single_instance.h"

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  if (argc != 3 && argc != 4) return 2;
  kardomel::TSingleInstanceGuard guard(QString::fromLocal8Bit(argv[1]),
                                       QString::fromLocal8Bit(argv[2]));
  const QString handOver = argc == 4 ? QString::fromLocal8Bit(argv[3]) : QString();
  if (!guard.TryRunFirst(
          [](const QString& file) {
            const QByteArray line = file.isEmpty() ? QByteArray("activated")
                                                   : "activated " + file.toLocal8Bit();
            std::puts(line.constData());
            std::fflush(stdout);
          },
          handOver)) {
    std::puts("second");
    return 3;
  }
  std::puts("first");
  std::fflush(stdout);
  return app.exec();
}
