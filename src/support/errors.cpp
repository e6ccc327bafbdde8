#include "support/errors.h"

#include <cerrno>
#include <cstring>

namespace kardomel {
namespace {

std::string SystemErrorText(int code) {
  if (code == 0) return "Ein Aufruf einer Betriebssystemfunktion ist fehlgeschlagen";
  return "Systemfehler.  Code: " + std::to_string(code) + ".\r\n" + std::strerror(code);
}

std::string InOutErrorText(int code) {
  switch (code) {
    case EACCES:
    case EPERM:
    case EROFS:
      return "Dateizugriff verweigert";
    case ENOENT:
      return "Datei nicht gefunden";
    case ENOSPC:
    case EDQUOT:
      return "Disk voll";
    default:
      return "E/A-Fehler " + std::to_string(code);
  }
}

}  // namespace

ESystemError::ESystemError(int code) : EKardomel(SystemErrorText(code)), code_(code) {}

EInOutError::EInOutError(int code) : EKardomel(InOutErrorText(code)), code_(code) {}

EConvertError::EConvertError(const std::string& text)
    : EKardomel("'" + text + "' ist kein gültiger Integerwert") {}

void RaiseLastOSError() { throw ESystemError(errno); }

}  // namespace kardomel
