// The checksum files' bytes (NAME.sha256, NAME.crc), as any set that
// arrives may carry them: whatever is read, written back and read again,
// gives the same lines.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "engine/checksum_files.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const std::vector<kardomel::TChecksumLine> lines = kardomel::ParseSha256File(bytes);
  const std::vector<kardomel::TChecksumLine> again =
      kardomel::ParseSha256File(kardomel::FormatSha256File(lines));
  if (again.size() != lines.size()) std::abort();
  for (size_t i = 0; i < lines.size(); ++i) {
    if (again[i].Name != lines[i].Name || again[i].Hex != lines[i].Hex) std::abort();
  }
  if (std::optional<kardomel::TCrcFile> crc = kardomel::ParseCrcFile(bytes)) {
    // A name that holds a line break would not survive the three lines.
    if (crc->FileName.find_first_of("\r\n") != std::string::npos) std::abort();
    std::optional<kardomel::TCrcFile> back = kardomel::ParseCrcFile(kardomel::FormatCrcFile(*crc));
    if (!back || back->FileName != crc->FileName || back->Size != crc->Size || back->Crc != crc->Crc)
      std::abort();
  }
  return 0;
}
