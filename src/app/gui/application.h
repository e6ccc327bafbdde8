// TApplication: the desktop program's application object. Any exception
// that an event handler lets through ends up here and is shown under
// "Fehlermeldung!"; the program goes on.
#pragma once

#include <QApplication>
#include <string>

class QWidget;

namespace kardomel {

class TApplication : public QApplication {
  Q_OBJECT
 public:
  TApplication(int& argc, char** argv);

  bool notify(QObject* receiver, QEvent* event) override;

  // The error message of an exception no command handled: kind error,
  // instruction "Fehlermeldung!", the message as content, OK.
  static void ApplicationEventsException(const std::string& message);
};

// What a second start asks of the running window: restored when it is
// minimised, else raised, and made the active window.
void BringToFront(QWidget& window);

}  // namespace kardomel
