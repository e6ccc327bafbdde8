// The password of an archive as the bytes the traditional ZIP encryption
// works on: Windows-1252, so that the archive opens with the same password
// on the Windows machines the parts travel to.
#pragma once

#include <optional>
#include <string>

namespace kardomel {

// The UTF-8 password in Windows-1252; nullopt when a character has no place
// in that code page, so the caller refuses it instead of changing it.
std::optional<std::string> ArchivePasswordBytes(const std::string& password);

}  // namespace kardomel
