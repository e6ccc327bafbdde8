#include "delivery/desktop/desktop_texts.h"

#include "delivery/desktop/embedded_data.h"

namespace kardomel {

std::string DesktopExecProgram(const std::string& programPath) {
  std::string program = programPath;
  if (programPath.find_first_of(" \t\n\"'\\><~|&;$*?#()`") != std::string::npos) {
    program = "\"";
    for (char c : programPath) {
      if (c == '"' || c == '`' || c == '$' || c == '\\') program += '\\';
      program += c;
    }
    program += "\"";
  }
  std::string value;
  for (char c : program) {
    if (c == '\\') value += '\\';
    if (c == '%') value += '%';
    value += c;
  }
  return value;
}

std::string ShellQuoted(const std::string& text) {
  std::string out = "'";
  for (char c : text) {
    if (c == '\'') out += "'\\''";
    else out += c;
  }
  return out + "'";
}

std::string DesktopEntry(const std::string& programPath) {
  std::string entry(EmbeddedDataFile("applications/kardomel.desktop"));
  const std::string installed = "\nExec=kardomel %f\n";
  const size_t at = entry.find(installed);
  if (at != std::string::npos)
    entry.replace(at, installed.size(), "\nExec=" + DesktopExecProgram(programPath) + " %f\n");
  return entry;
}

std::string ThunarSendTo(const std::string& programPath) {
  return "[Desktop Entry]\n"
         "Type=Application\n"
         "Version=1.4\n"
         "Name=Kardomel\n"
         "Comment=Split the file or join its parts with Kardomel\n"
         "Comment[de]=Datei mit Kardomel splitten oder ihre Teile kitten\n"
         "Icon=kardomel\n"
         "Exec=" + DesktopExecProgram(programPath) + " %f\n";
}

std::string DolphinServiceMenu(const std::string& programPath) {
  return "[Desktop Entry]\n"
         "Type=Service\n"
         "X-KDE-ServiceTypes=KonqPopupMenu/Plugin\n"
         "MimeType=all/allfiles;\n"
         "Actions=kardomel;\n"
         "\n"
         "[Desktop Action kardomel]\n"
         "Name=Kardomel\n"
         "Name[de]=Kardomel\n"
         "Icon=kardomel\n"
         "Exec=" + DesktopExecProgram(programPath) + " %f\n";
}

std::string NemoAction(const std::string& programPath) {
  // Nemo splits Exec like a shell; a '%' of the path would read as a code.
  std::string program;
  for (char c : ShellQuoted(programPath)) {
    if (c == '%') program += '%';
    program += c;
  }
  return "[Nemo Action]\n"
         "Active=true\n"
         "Name=Kardomel\n"
         "Comment=Datei mit Kardomel splitten oder ihre Teile kitten\n"
         "Exec=" + program + " %F\n"
         "Icon-Name=kardomel\n"
         "Selection=s\n"
         "Extensions=any;\n"
         "Quote=double\n";
}

std::string FileManagerScript(const std::string& programPath) {
  return "#!/bin/sh\n"
         "# Kardomel: the file manager passes the chosen files; Kardomel takes the first.\n"
         "exec " + ShellQuoted(programPath) + " ${1+\"$1\"}\n";
}

}  // namespace kardomel
