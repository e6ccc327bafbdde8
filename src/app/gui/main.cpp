// kardomel: the desktop program. Creates the application and shows the main
// window; the window does the rest.
#include <QApplication>

#include "app/gui/Main.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Kardomel"));
  QApplication::setApplicationVersion(QStringLiteral("9.00"));
  kardomel::TFrmMain window;
  window.show();
  return app.exec();
}
