// Ties the program into the desktop for the current user, freedesktop
// style and without root: descriptor files (*.kdm) open with the program,
// and the file managers offer it for any file. "On" writes every entry,
// "off" removes them; a run that finds its entries in place changes nothing.
#pragma once

#include <string>

#include "delivery/launcher.h"

namespace kardomel {

// The user's data and configuration folders, each ending in '/'.
struct TShellPaths {
  std::string DataHome;    // $XDG_DATA_HOME, else ~/.local/share/
  std::string ConfigHome;  // $XDG_CONFIG_HOME, else ~/.config/
};

// The folders as the environment names them; relative values do not count
// (as the base-directory rules say). False when neither they nor HOME are set.
bool ShellPathsFromEnvironment(TShellPaths& paths);

// The entries, in the order they are written (and removed), with their
// places under DataHome or ConfigHome:
//   mime/packages/kardomel.xml, then update-mime-database on DataHome/mime;
//   the icons under icons/hicolor/ (all sizes and scalable);
//   applications/kardomel.desktop (Exec = ProgramPath), the default handler
//   line in ConfigHome/mimeapps.list, then update-desktop-database;
//   Thunar/sendto/kardomel.desktop, kio/servicemenus/kardomel.desktop
//   (executable), nautilus/scripts/Kardomel and ConfigHome/caja/scripts/Kardomel
//   (executable scripts), nemo/actions/kardomel.nemo_action.
// Thunar's custom actions (uca.xml) are shared with other programs and not
// touched. The database tools run through Launcher; a missing one is passed
// over. The first step that fails ends the run silently; the steps before
// it stay done. Returns whether every step succeeded; a ProgramPath that
// is not absolute or holds a line break writes nothing.
bool ApplyShellIntegration(bool on, const std::string& programPath, TLauncher& launcher,
                           const TShellPaths& paths);

// The same for the folders of the environment. Called by the options
// dialog's OK with the state of "Verknüpfung zu Kardomel-Dateien erstellen"
// and the absolute path of the running program, and by
// "kardomel-cli integrate on|off".
bool ApplyShellIntegration(bool on, const std::string& programPath, TLauncher& launcher);

}  // namespace kardomel
