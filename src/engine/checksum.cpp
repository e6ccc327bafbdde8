#include "engine/checksum.h"

#include <openssl/evp.h>
#include <zlib.h>

#include <new>

#include "support/errors.h"

namespace kardomel {
namespace {

void Start(EVP_MD_CTX* context) {
  if (EVP_DigestInit_ex(context, EVP_sha256(), nullptr) != 1)
    throw EKardomel("SHA-256 kann nicht berechnet werden.");
}

}  // namespace

TSha256::TSha256() : context_(EVP_MD_CTX_new()) {
  if (context_ == nullptr) throw std::bad_alloc();
  Start(context_);
}

TSha256::~TSha256() { EVP_MD_CTX_free(context_); }

void TSha256::Update(const void* data, size_t size) {
  if (size > 0 && EVP_DigestUpdate(context_, data, size) != 1)
    throw EKardomel("SHA-256 kann nicht berechnet werden.");
}

std::string TSha256::HexDigest() {
  unsigned char digest[EVP_MAX_MD_SIZE];
  unsigned int length = 0;
  if (EVP_DigestFinal_ex(context_, digest, &length) != 1)
    throw EKardomel("SHA-256 kann nicht berechnet werden.");
  Start(context_);
  static const char kHex[] = "0123456789abcdef";
  std::string out;
  for (unsigned int i = 0; i < length; ++i) {
    out += kHex[digest[i] >> 4];
    out += kHex[digest[i] & 0x0F];
  }
  return out;
}

TCrc32::TCrc32() : value_(static_cast<uint32_t>(crc32_z(0, nullptr, 0))) {}

void TCrc32::Update(const void* data, size_t size) {
  value_ = static_cast<uint32_t>(crc32_z(value_, static_cast<const Bytef*>(data), size));
}

std::string Sha256Hex(const std::string& bytes) {
  TSha256 digest;
  digest.Update(bytes.data(), bytes.size());
  return digest.HexDigest();
}

}  // namespace kardomel
