#include "delivery/archive/archive_password.h"

#include "support/ansi.h"

namespace kardomel {

std::optional<std::string> ArchivePasswordBytes(const std::string& password) {
  return Utf8ToAnsiExact(password);
}

}  // namespace kardomel
