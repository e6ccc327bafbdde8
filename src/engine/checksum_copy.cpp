#include "engine/checksum_copy.h"

#include <memory>

namespace kardomel {
namespace {

void Give(const std::vector<TDigest*>& digests, const char* data, uint32_t size) {
  for (TDigest* digest : digests) digest->Update(data, size);
}

}  // namespace

int64_t CopyDigesting(TStream64& dest, TStream64& source, int64_t count,
                      const std::vector<TDigest*>& digests, TCopyObserver* observer) {
  std::unique_ptr<char[]> buffer(new char[kCopyBufferSize]);
  int64_t done = 0;
  while (done < count) {
    const int64_t left = count - done;
    const uint32_t block = left < kCopyBufferSize ? static_cast<uint32_t>(left) : kCopyBufferSize;
    const uint32_t got = source.Read(buffer.get(), block);
    if (got == 0) break;
    const uint32_t put = dest.Write(buffer.get(), got);
    Give(digests, buffer.get(), put);
    done += put;
    if (observer != nullptr && put > 0) observer->Copied(done);
    if (put != got) {
      source.Seek(static_cast<int64_t>(put) - static_cast<int64_t>(got), 1);
      break;
    }
  }
  return done;
}

int64_t ReadDigesting(TStream64& source, const std::vector<TDigest*>& digests,
                      TCopyObserver* observer) {
  std::unique_ptr<char[]> buffer(new char[kCopyBufferSize]);
  int64_t done = 0;
  for (;;) {
    const uint32_t got = source.Read(buffer.get(), kCopyBufferSize);
    if (got == 0) break;
    Give(digests, buffer.get(), got);
    done += got;
    if (observer != nullptr) observer->Copied(done);
  }
  return done;
}

}  // namespace kardomel
