/* The ZIP archive appended to the self-extractor: finding it in the
   program's own file and reading its central directory. */
#pragma once

#include <windows.h>
#include <stdint.h>

typedef struct {
  char* Name;           /* as stored, NUL-terminated */
  uint16_t Flags;       /* general purpose bits */
  uint16_t Method;      /* 0 stored, 8 deflated */
  uint16_t ModTime, ModDate;
  uint32_t Crc;
  uint64_t CompSize, Size;
  uint64_t LocalOffset; /* true file offset of the local header */
} SfxEntry;

typedef struct {
  HANDLE File;
  uint64_t FileSize;
  SfxEntry* Entries;
  uint32_t Count;
} SfxArchive;

/* Reads exactly Size bytes at Offset; FALSE on any shortfall. */
BOOL SfxReadAt(HANDLE file, uint64_t offset, void* buffer, uint32_t size);

/* Finds the archive at the end of File: an end record whose comment ends
   exactly at the end of the file, and a central directory (ZIP64 where
   needed) that lies right before it and accounts for every byte and entry
   it claims. The end signature alone proves nothing, since the same four
   bytes occur in this program's own code. FALSE when there is none. */
BOOL SfxOpenArchive(HANDLE file, SfxArchive* archive);
void SfxCloseArchive(SfxArchive* archive);
