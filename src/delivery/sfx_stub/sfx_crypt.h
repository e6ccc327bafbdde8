/* The ZIP format's traditional password encryption (PKWARE), decrypting. */
#pragma once

#include <stddef.h>
#include <stdint.h>

typedef struct {
  uint32_t Key[3];
} SfxCrypt;

/* Keys from the password's bytes (the Windows code page's, as written). */
void SfxCryptInit(SfxCrypt* crypt, const char* password);
void SfxCryptDecrypt(SfxCrypt* crypt, unsigned char* data, size_t size);
