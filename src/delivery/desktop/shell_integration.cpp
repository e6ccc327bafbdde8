#include "delivery/desktop/shell_integration.h"

#include <sys/stat.h>

#include <cstdlib>
#include <functional>
#include <vector>

#include "delivery/desktop/desktop_texts.h"
#include "delivery/desktop/embedded_data.h"
#include "delivery/desktop/mimeapps_list.h"
#include "delivery/desktop/user_files.h"
#include "support/globals.h"

namespace kardomel {
namespace {

std::string FolderFromEnvironment(const char* variable, const char* home,
                                  const std::string& fallback) {
  const char* value = std::getenv(variable);
  if (value != nullptr && value[0] == '/') return AddBackslash(value);
  if (home == nullptr || home[0] != '/') return "";
  return AddBackslash(home) + fallback;
}

// One file of the integration: where it lies, what it holds, its mode.
struct TUserFile {
  std::string Path;
  std::string Content;
  mode_t Mode = 0644;
};

// Writes the file on "on", removes it on "off".
bool Apply(bool on, const TUserFile& file) {
  return on ? WriteUserFile(file.Path, file.Content, file.Mode) : RemoveUserFile(file.Path);
}

bool ApplyDefaultHandler(bool on, const std::string& mimeappsList) {
  std::string text;
  if (!ReadUserFile(mimeappsList, text)) return false;
  if (!on && text.empty()) return true;  // nothing to take out, nothing to create
  const std::string changed = on ? WithDefaultApplication(text, kKdmMimeType, kDesktopId)
                                 : WithoutDefaultApplication(text, kKdmMimeType, kDesktopId);
  return changed == text || WriteUserFile(mimeappsList, changed, 0644);
}

}  // namespace

bool ShellPathsFromEnvironment(TShellPaths& paths) {
  const char* home = std::getenv("HOME");
  paths.DataHome = FolderFromEnvironment("XDG_DATA_HOME", home, ".local/share/");
  paths.ConfigHome = FolderFromEnvironment("XDG_CONFIG_HOME", home, ".config/");
  return !paths.DataHome.empty() && !paths.ConfigHome.empty();
}

bool ApplyShellIntegration(bool on, const std::string& programPath, TLauncher& launcher,
                           const TShellPaths& paths) {
  // Every entry names the program on one line of its own.
  if (programPath.empty() || programPath[0] != '/' ||
      programPath.find_first_of("\r\n") != std::string::npos)
    return false;
  const std::string& data = paths.DataHome;
  const std::string& config = paths.ConfigHome;
  // The databases are rebuilt from the folders; without the tool the
  // desktop rebuilds them at its next start.
  auto updateDatabase = [&launcher](const std::string& tool, const std::string& folder) {
    return [&launcher, tool, folder] {
      struct stat info;
      if (::stat(folder.c_str(), &info) == 0) launcher.Run(tool, {folder});
      return true;
    };
  };
  auto file = [on](TUserFile f) { return [on, f] { return Apply(on, f); }; };

  std::vector<std::function<bool()>> steps;
  steps.push_back(file({data + "mime/packages/kardomel.xml",
                        std::string(EmbeddedDataFile("mime/packages/kardomel.xml"))}));
  steps.push_back(updateDatabase("update-mime-database", data + "mime"));
  for (const TEmbeddedFile& embedded : EmbeddedDataFiles()) {
    if (embedded.RelativePath.rfind("icons/", 0) == 0)
      steps.push_back(file({data + embedded.RelativePath, std::string(embedded.Content)}));
  }
  steps.push_back(file({data + "applications/" + kDesktopId, DesktopEntry(programPath)}));
  steps.push_back([on, config] { return ApplyDefaultHandler(on, config + "mimeapps.list"); });
  steps.push_back(updateDatabase("update-desktop-database", data + "applications"));
  steps.push_back(file({data + "Thunar/sendto/kardomel.desktop", ThunarSendTo(programPath)}));
  // Dolphin runs service menus outside the system folders only when executable.
  steps.push_back(
      file({data + "kio/servicemenus/kardomel.desktop", DolphinServiceMenu(programPath), 0755}));
  steps.push_back(file({data + "nautilus/scripts/Kardomel", FileManagerScript(programPath), 0755}));
  steps.push_back(file({config + "caja/scripts/Kardomel", FileManagerScript(programPath), 0755}));
  steps.push_back(file({data + "nemo/actions/kardomel.nemo_action", NemoAction(programPath)}));

  for (const auto& step : steps) {
    if (!step()) return false;
  }
  return true;
}

bool ApplyShellIntegration(bool on, const std::string& programPath, TLauncher& launcher) {
  TShellPaths paths;
  if (!ShellPathsFromEnvironment(paths)) return false;
  return ApplyShellIntegration(on, programPath, launcher, paths);
}

}  // namespace kardomel
