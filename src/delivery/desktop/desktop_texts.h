// The texts of the per-user desktop integration: the desktop entry and the
// "Send To" entries of the file managers, each starting the program at
// ProgramPath with the chosen file.
#pragma once

#include <string>

namespace kardomel {

inline constexpr const char* kKdmMimeType = "application/x-kardomel-kdm";
inline constexpr const char* kDesktopId = "kardomel.desktop";

// ProgramPath as the program of a desktop entry's Exec key: in double
// quotes with '"', '`', '$' and '\\' escaped when it holds a character the
// key reserves, then with '\\' and '%' escaped for the key's value.
std::string DesktopExecProgram(const std::string& programPath);

// Text in single quotes for /bin/sh.
std::string ShellQuoted(const std::string& text);

// The installed desktop entry with Exec naming ProgramPath.
std::string DesktopEntry(const std::string& programPath);
// Thunar's Send To entry.
std::string ThunarSendTo(const std::string& programPath);
// Dolphin's service menu, offered for every file.
std::string DolphinServiceMenu(const std::string& programPath);
// Nemo's action for one chosen file, the path in double quotes.
std::string NemoAction(const std::string& programPath);
// The script that Nautilus and Caja list under "Scripts": it hands the
// first chosen file to the program.
std::string FileManagerScript(const std::string& programPath);

}  // namespace kardomel
