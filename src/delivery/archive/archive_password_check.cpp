#include "delivery/archive/archive_password_check.h"

#include <cstdint>
#include <vector>

namespace kardomel {
namespace {

bool IsFolderEntry(const zip_stat_t& stat) {
  return (stat.valid & ZIP_STAT_NAME) && stat.name[0] != '\0' &&
         std::string(stat.name).back() == '/';
}

// Reads the whole entry: libzip checks the CRC at its end, which the
// one-byte check of the encryption header alone does not replace.
bool DecryptsCleanly(zip_t* archive, zip_uint64_t index, const std::string& password) {
  zip_file_t* file = zip_fopen_index_encrypted(archive, index, 0, password.c_str());
  if (file == nullptr) return false;
  std::vector<char> buffer(1 << 16);
  zip_int64_t got;
  while ((got = zip_fread(file, buffer.data(), buffer.size())) > 0) {
  }
  zip_fclose(file);
  return got == 0;
}

}  // namespace

bool ArchiveOpensWithPassword(zip_t* archive, const std::string& password) {
  const zip_int64_t count = zip_get_num_entries(archive, 0);
  zip_int64_t smallest = -1;
  zip_uint64_t smallestSize = UINT64_MAX;
  for (zip_int64_t i = 0; i < count; ++i) {
    zip_stat_t stat;
    if (zip_stat_index(archive, static_cast<zip_uint64_t>(i), 0, &stat) != 0) return false;
    if (IsFolderEntry(stat)) continue;
    const bool encrypted = stat.encryption_method != ZIP_EM_NONE;
    if (encrypted != !password.empty()) return false;
    if (encrypted && stat.comp_size < smallestSize) {
      smallest = i;
      smallestSize = stat.comp_size;
    }
  }
  return smallest < 0 || DecryptsCleanly(archive, static_cast<zip_uint64_t>(smallest), password);
}

}  // namespace kardomel
