// kardomel: the desktop program. One copy runs per user: a second start
// brings the running window to the front, hands it its file to select, and
// ends before it shows anything.
// The window loads its settings, shows itself and then acts on the file the
// command line names.
#include <QPointer>
#include <QTimer>
#include <string>
#include <vector>

#include "app/gui/frm_main.h"
#include "app/gui/action_icons.h"
#include "app/gui/application.h"
#include "app/startup/settings_path.h"
#include "app/startup/single_instance.h"
#include "dialogs/update/version_number.h"

int main(int argc, char** argv) {
  kardomel::TApplication app(argc, argv);
  kardomel::TApplication::setApplicationName(QStringLiteral("Kardomel"));
  kardomel::TApplication::setApplicationVersion(
      QString::fromStdString(kardomel::GetVersionString("ProductVersion")));
  kardomel::TApplication::setWindowIcon(kardomel::DrawnIcon(kardomel::TActionIcon::Split));

  const std::vector<std::string> args(argv + 1, argv + argc);
  QPointer<kardomel::TFrmMain> running;
  kardomel::TSingleInstanceGuard guard;
  if (!guard.TryRunFirst(
          [&running](const QString& file) {
            if (!running) return;
            kardomel::BringToFront(*running);
            if (file.isEmpty()) return;
            // The selection waits for the list to read the folder; it runs
            // after the socket's handler has returned, not inside it.
            QTimer::singleShot(0, running, [window = running, file] {
              if (window) window->SelectHandedFile(file.toStdString());
            });
          },
          args.empty() ? QString() : QString::fromLocal8Bit(args.front().c_str())))
    return 0;

  kardomel::TFrmMain window;
  running = &window;
  window.FormCreate(kardomel::SettingsFilePath());
  window.SetCommandLine(args);
  window.show();
  return app.exec();
}
