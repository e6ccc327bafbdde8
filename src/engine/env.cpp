#include "engine/env.h"

#include <cerrno>

#include "support/errors.h"

namespace kardomel {
namespace {

// Writes all of Bytes. A write that moves nothing without an error is a
// full medium.
void WriteAll(TStream64& stream, const std::string& path, const std::string& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    size_t left = bytes.size() - done;
    uint32_t block = left < kCopyBufferSize ? static_cast<uint32_t>(left) : kCopyBufferSize;
    uint32_t put = stream.Write(bytes.data() + done, block);
    if (put == 0) throw EFileError("Datei kann nicht geschrieben werden", path, ENOSPC);
    done += put;
  }
}

}  // namespace

void WriteStringToFile(TEnv& env, const std::string& path, const std::string& bytes) {
  std::unique_ptr<TStream64> file = env.Open(path, TOpenMode::Write);
  try {
    WriteAll(*file, path, bytes);
  } catch (...) {
    // Half a descriptor file would mislead a later join.
    file.reset();
    env.DeleteEntry(path);
    throw;
  }
}

void AppendStringToFile(TEnv& env, const std::string& path, const std::string& bytes) {
  std::unique_ptr<TStream64> file = env.Open(path, TOpenMode::Append);
  WriteAll(*file, path, bytes);
}

bool ReadFileToString(TEnv& env, const std::string& path, size_t limit, std::string& bytes) {
  bytes.clear();
  try {
    std::unique_ptr<TStream64> file = env.Open(path, TOpenMode::Read);
    char buffer[4096];
    while (bytes.size() < limit) {
      size_t want = limit - bytes.size() < sizeof buffer ? limit - bytes.size() : sizeof buffer;
      uint32_t got = file->Read(buffer, static_cast<uint32_t>(want));
      if (got == 0) break;
      bytes.append(buffer, got);
    }
  } catch (const EKardomel&) {
    bytes.clear();
    return false;
  }
  return true;
}

}  // namespace kardomel
