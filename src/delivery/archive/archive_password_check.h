// Whether an existing archive opens with the password of this run, so that
// an update never leaves an archive whose entries need different passwords.
#pragma once

#include <zip.h>

#include <string>

namespace kardomel {

// True when every file entry of Archive is encrypted exactly when Password
// is not empty, and, with a password, the smallest encrypted entry decrypts
// with it and passes its CRC check.
bool ArchiveOpensWithPassword(zip_t* archive, const std::string& password);

}  // namespace kardomel
