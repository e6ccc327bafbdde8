// kardomel: the desktop program. One copy runs per user: a second start
// brings the running window to the front and ends before it shows anything.
// The window loads its settings, shows itself and then acts on the file the
// command line names.
#include <QPointer>
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

  QPointer<kardomel::TFrmMain> running;
  kardomel::TSingleInstanceGuard guard;
  if (!guard.TryRunFirst([&running] {
        if (running) kardomel::BringToFront(*running);
      }))
    return 0;

  kardomel::TFrmMain window;
  running = &window;
  window.FormCreate(kardomel::SettingsFilePath());
  window.SetCommandLine(std::vector<std::string>(argv + 1, argv + argc));
  window.show();
  return app.exec();
}
