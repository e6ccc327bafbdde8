// Runs one guard: prints "first" and waits, printing "activated" for each
// later start, or prints "second" and ends with code 3.
#include <cstdio>

#include <QCoreApplication>

#include "app/startup/single_instance.h"

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  if (argc != 3) return 2;
  kardomel::TSingleInstanceGuard guard(QString::fromLocal8Bit(argv[1]),
                                       QString::fromLocal8Bit(argv[2]));
  if (!guard.TryRunFirst([] {
        std::puts("activated");
        std::fflush(stdout);
      })) {
    std::puts("second");
    return 3;
  }
  std::puts("first");
  std::fflush(stdout);
  return app.exec();
}
