#include "app/startup/settings_path.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "support/globals.h"

namespace kardomel {

std::string SettingsFilePath(const char* xdgConfigHome, const char* home,
                             const std::string& programFolder) {
  std::string base;
  if (xdgConfigHome && xdgConfigHome[0] == '/')
    base = xdgConfigHome;
  else if (home && home[0] == '/')
    base = AddBackslash(home) + ".config";
  if (base.empty()) return AddBackslash(programFolder) + "Kardomel.INI";
  std::string folder = AddBackslash(base) + "Kardomel/";
  std::error_code ignored;
  std::filesystem::create_directories(folder, ignored);
  return folder + "Kardomel.INI";
}

std::string SettingsFilePath() {
  return SettingsFilePath(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"), ProgramFolder());
}

std::string ProgramFolder() {
  std::error_code error;
  std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) return "./";
  return AddBackslash(exe.parent_path().string());
}

}  // namespace kardomel
