// Runs the window tests inside one QApplication, the program's own, which
// writes numbers the German way whatever the test's locale, so that texts
// such as "ca. 1,4 MB" are checked as the program shows them.
#include <gtest/gtest.h>

#include <QLocale>

#include "app/gui/application.h"

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  // Test discovery runs the program without the test environment.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  // The program's own application object, so that its error handler is in
  // place as in the program.
  kardomel::TApplication app(argc, argv);
  return RUN_ALL_TESTS();
}
