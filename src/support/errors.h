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

 private:
  int code_;
};

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
