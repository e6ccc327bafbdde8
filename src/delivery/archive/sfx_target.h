// The target of a self-extracting archive as a libzip source: the file
// begins with the stub, the ZIP data follows it, and every position libzip
// asks for counts from the start of the file, so the offsets in the central
// directory are true file offsets and the result is also a plain valid ZIP.
#pragma once

#include <zip.h>

#include <string>

namespace kardomel {

// A new libzip source writing StubPath's bytes and then the archive to
// TargetPath. The file is written under a temporary name beside the target
// and renamed onto it only when libzip commits, so a cancel or a failure
// leaves an earlier file of that name as it was. Null with Error set when
// the source cannot be made.
zip_source_t* NewSfxTargetSource(const std::string& stubPath, const std::string& targetPath,
                                 zip_error_t* error);

}  // namespace kardomel
