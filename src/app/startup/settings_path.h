// Where the settings file lives: $XDG_CONFIG_HOME/Kardomel/Kardomel.INI
// (~/.config when the variable is unset), else beside the program.
#pragma once

#include <string>

namespace kardomel {

// The settings file's path from the two variables (null when unset). Creates
// the "Kardomel" folder with its parents; a folder that cannot be created is
// not reported and keeps the path (saving fails later). Only when neither
// variable names an absolute folder: ProgramFolder + "Kardomel.INI".
std::string SettingsFilePath(const char* xdgConfigHome, const char* home,
                             const std::string& programFolder);

// SettingsFilePath for this process's environment and program file.
std::string SettingsFilePath();

// Folder of the running program file, ending in '/'; "./" when unknown.
std::string ProgramFolder();

}  // namespace kardomel
