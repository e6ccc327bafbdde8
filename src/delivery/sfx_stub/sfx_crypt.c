#include "sfx_crypt.h"

#include <zlib.h>

static void UpdateKeys(SfxCrypt* crypt, unsigned char c) {
  const z_crc_t* table = get_crc_table();
  crypt->Key[0] = table[(crypt->Key[0] ^ c) & 0xFF] ^ (crypt->Key[0] >> 8);
  crypt->Key[1] = (crypt->Key[1] + (crypt->Key[0] & 0xFF)) * 134775813u + 1;
  crypt->Key[2] = table[(crypt->Key[2] ^ (crypt->Key[1] >> 24)) & 0xFF] ^ (crypt->Key[2] >> 8);
}

void SfxCryptInit(SfxCrypt* crypt, const char* password) {
  crypt->Key[0] = 0x12345678u;
  crypt->Key[1] = 0x23456789u;
  crypt->Key[2] = 0x34567890u;
  for (; *password; ++password) UpdateKeys(crypt, (unsigned char)*password);
}

void SfxCryptDecrypt(SfxCrypt* crypt, unsigned char* data, size_t size) {
  for (size_t i = 0; i < size; ++i) {
    uint16_t temp = (uint16_t)(crypt->Key[2] | 2);
    data[i] ^= (unsigned char)((temp * (temp ^ 1)) >> 8);
    UpdateKeys(crypt, data[i]);
  }
}
