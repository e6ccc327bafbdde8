// The exception classes through which every failure of the program travels.
// Each carries only its message text (the system's own German texts), which
// the application-wide handler or the command-line tool shows as it stands.
#pragma once

#include <stdexcept>
#include <string>

namespace kardomel {

// Base class of all of the program's exceptions.
class EKardomel : public std::runtime_error {
 public:
  explicit EKardomel(const std::string& message) : std::runtime_error(message) {}
};

// A failed operating-system call. Text: "Systemfehler.  Code: %d.\r\n%s", or
// "Ein Aufruf einer Betriebssystemfunktion ist fehlgeschlagen" for code 0.
class ESystemError : public EKardomel {
 public:
  explicit ESystemError(int code);
  int Code() const { return code_; }

 protected:
  ESystemError(int code, const std::string& message) : EKardomel(message), code_(code) {}

 private:
  int code_;
};

// A file that could not be created, opened, read, written or renamed, named
// with the system's reason: "Datei kann nicht erstellt werden:
// /media/stick/film.003 (Kein Speicherplatz mehr auf dem Gerät)". Action is
// the text before the colon; Reason, when given, replaces the code's text.
class EFileError : public ESystemError {
 public:
  EFileError(const std::string& action, const std::string& path, int code,
             const std::string& reason = "");
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

// What the system's error Code means, in German ("Zugriff verweigert"); the
// system's own text for codes a user rarely meets.
std::string SystemErrorReason(int code);

// Writing a text file failed: "E/A-Fehler %d", or the run-time text for
// common codes such as "Dateizugriff verweigert".
class EInOutError : public EKardomel {
 public:
  explicit EInOutError(int code);
  int Code() const { return code_; }

 private:
  int code_;
};

// Text that had to be a number was not: "'%s' ist kein gültiger Integerwert".
class EConvertError : public EKardomel {
 public:
  explicit EConvertError(const std::string& text);
};

// Throws ESystemError for the current errno.
[[noreturn]] void RaiseLastOSError();

}  // namespace kardomel
