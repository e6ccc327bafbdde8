#include "app/gui/application.h"

#include <QWidget>
#include <exception>

#include "ui/german_locale.h"
#include "ui/qt_interaction.h"

namespace kardomel {

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv) {
  // Without Qt's translations only Qt's own texts stay English.
  UseGermanThroughout(*this);
}

bool TApplication::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (const std::exception& error) {
    ApplicationEventsException(error.what());
  } catch (...) {
    ApplicationEventsException("Unbekannter Fehler.");
  }
  return false;
}

void TApplication::ApplicationEventsException(const std::string& message) {
  TQtInteraction dialogs(activeWindow());
  dialogs.ShowMessageDialog("Fehlermeldung!", message, TMsgKind::Error, mbOK);
}

void BringToFront(QWidget& window) {
  if (window.isMinimized())
    window.showNormal();
  else
    window.raise();
  window.activateWindow();
}

}  // namespace kardomel
