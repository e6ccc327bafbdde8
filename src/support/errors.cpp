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

std::string SystemErrorReason(int code) {
  // The system's messages are English unless a German locale is installed
  // and chosen, which a desktop may lack; the codes a user meets with files
  // are named here.
  switch (code) {
    case ENOSPC: return "Kein Speicherplatz mehr auf dem Gerät";
    case EDQUOT: return "Speicherplatzkontingent überschritten";
    case EFBIG: return "Datei zu groß";
    case EACCES: return "Zugriff verweigert";
    case EPERM: return "Vorgang nicht zulässig";
    case EROFS: return "Schreibgeschütztes Dateisystem";
    case ENOENT: return "Datei oder Verzeichnis nicht gefunden";
    case EISDIR: return "Ist ein Verzeichnis";
    case ENOTDIR: return "Ist kein Verzeichnis";
    case EIO: return "Eingabe-/Ausgabefehler";
    case EEXIST: return "Datei existiert bereits";
    case ELOOP: return "Zu viele Ebenen von symbolischen Links";
    case ENAMETOOLONG: return "Dateiname zu lang";
    case ETXTBSY: return "Programmdatei wird gerade ausgeführt";
    case EBUSY: return "Gerät oder Ressource belegt";
    case EMFILE: return "Zu viele offene Dateien";
    case ENFILE: return "Zu viele offene Dateien im System";
    case ENXIO: return "Gerät oder Adresse nicht gefunden";
    case ENODEV: return "Gerät nicht gefunden";
    case ENOMEDIUM: return "Kein Medium gefunden";
    case EXDEV: return "Ungültiger Link über Gerätegrenzen hinweg";
    case EINVAL: return "Ungültiges Argument";
    case EAGAIN: return "Ressource vorübergehend nicht verfügbar";
    case ENOTEMPTY: return "Verzeichnis nicht leer";
    case ESTALE: return "Veraltete Dateizugriffsnummer (file handle)";
    case EINTR: return "Unterbrechung während des Betriebssystemaufrufs";
    default: return std::strerror(code);
  }
}

EFileError::EFileError(const std::string& action, const std::string& path, int code,
                       const std::string& reason)
    : ESystemError(code, action + ": " + path + " (" +
                             (reason.empty() ? SystemErrorReason(code) : reason) + ")"),
      path_(path) {}

ESystemError::ESystemError(int code) : EKardomel(SystemErrorText(code)), code_(code) {}

EInOutError::EInOutError(int code) : EKardomel(InOutErrorText(code)), code_(code) {}

EConvertError::EConvertError(const std::string& text)
    : EKardomel("'" + text + "' ist kein gültiger Integerwert") {}

void RaiseLastOSError() { throw ESystemError(errno); }

}  // namespace kardomel
