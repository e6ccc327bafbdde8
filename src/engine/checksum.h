// The two checksums a set can carry: SHA-256 of every part and of the whole
// file (OpenSSL, which uses the processor's SHA instructions), and the CRC-32
// of the whole file that other file managers check (zlib).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

struct evp_md_ctx_st;

namespace kardomel {

// Receives the bytes of a copy as they pass, so that they are read once.
class TDigest {
 public:
  virtual ~TDigest() = default;
  virtual void Update(const void* data, size_t size) = 0;
};

class TSha256 : public TDigest {
 public:
  TSha256();
  ~TSha256() override;
  TSha256(const TSha256&) = delete;
  TSha256& operator=(const TSha256&) = delete;

  void Update(const void* data, size_t size) override;
  // The 64 lower-case hexadecimal digits of the bytes given so far; ends
  // the digest (a further Update starts a new one).
  std::string HexDigest();

 private:
  evp_md_ctx_st* context_;
};

class TCrc32 : public TDigest {
 public:
  TCrc32();
  void Update(const void* data, size_t size) override;
  uint32_t Value() const { return value_; }

 private:
  uint32_t value_;
};

// The SHA-256 of Bytes as 64 lower-case hexadecimal digits.
std::string Sha256Hex(const std::string& bytes);

}  // namespace kardomel
