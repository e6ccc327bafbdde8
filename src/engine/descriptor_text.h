// The descriptor file's content as data: its three lines read from the bytes
// the file holds, with nothing of the file system in between, so that any
// byte string can be tried on it.
#pragma once

#include <string>

#include "engine/split_set.h"

namespace kardomel {

// The descriptor in Bytes, lines ended by LF or CR LF: line 1 the extension
// (Windows-1252, returned as UTF-8, unchanged otherwise), line 2 the count
// (its low 32 bits), line 3 the size. A missing line reads as empty. Raises
// EConvertError when line 2 or 3 is no decimal number.
TDescriptor ParseDescriptor(const std::string& bytes);

}  // namespace kardomel
