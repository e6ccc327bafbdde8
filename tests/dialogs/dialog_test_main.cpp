// Runs the dialog tests inside one QApplication on the offscreen platform.
#include <gtest/gtest.h>

#include <QApplication>

#include "ui/german_locale.h"

namespace {

QtMessageHandler standardHandler = nullptr;

// The offscreen platform reports every fixed-size layout it cannot pass on;
// that is noise in a test log.
void QuietHandler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (message.contains(QLatin1String("propagateSizeHints"))) return;
  standardHandler(type, context, message);
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  standardHandler = qInstallMessageHandler(QuietHandler);
  QApplication app(argc, argv);
  // As in the program: German whatever the locale the tests run under.
  kardomel::UseGermanThroughout(app);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
