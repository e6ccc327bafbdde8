#include "sfx_archive.h"

#include <stdlib.h>
#include <string.h>

#define SIG_EOCD 0x06054b50u
#define SIG_ZIP64_EOCD 0x06064b50u
#define SIG_ZIP64_LOCATOR 0x07064b50u
#define SIG_CENTRAL 0x02014b50u
#define EOCD_SIZE 22u
#define LOCATOR_SIZE 20u
#define ZIP64_EOCD_SIZE 56u
#define CENTRAL_SIZE 46u
#define MAX_CENTRAL (512u * 1024u * 1024u)

static uint16_t Get16(const unsigned char* p) { return (uint16_t)(p[0] | p[1] << 8); }
static uint32_t Get32(const unsigned char* p) { return (uint32_t)Get16(p) | (uint32_t)Get16(p + 2) << 16; }
static uint64_t Get64(const unsigned char* p) { return (uint64_t)Get32(p) | (uint64_t)Get32(p + 4) << 32; }

BOOL SfxReadAt(HANDLE file, uint64_t offset, void* buffer, uint32_t size) {
  LARGE_INTEGER at;
  at.QuadPart = (LONGLONG)offset;
  if (!SetFilePointerEx(file, at, NULL, FILE_BEGIN)) return FALSE;
  unsigned char* out = buffer;
  while (size > 0) {
    DWORD got = 0;
    if (!ReadFile(file, out, size, &got, NULL) || got == 0) return FALSE;
    out += got;
    size -= got;
  }
  return TRUE;
}

typedef struct {
  uint64_t Count, CentralSize, CentralOffset;
  uint64_t CentralEnd; /* true file offset where the central directory must end */
} Directory;

/* The values of the end record at EocdPos, taken from the ZIP64 record
   where the end record defers to it. */
static BOOL ReadDirectory(HANDLE file, uint64_t eocdPos, const unsigned char* eocd, Directory* dir) {
  if (Get16(eocd + 4) != 0 || Get16(eocd + 6) != 0) return FALSE; /* one disk only */
  if (Get16(eocd + 8) != Get16(eocd + 10)) return FALSE;
  dir->Count = Get16(eocd + 10);
  dir->CentralSize = Get32(eocd + 12);
  dir->CentralOffset = Get32(eocd + 16);
  dir->CentralEnd = eocdPos;
  unsigned char locator[LOCATOR_SIZE];
  if (eocdPos < LOCATOR_SIZE + ZIP64_EOCD_SIZE ||
      !SfxReadAt(file, eocdPos - LOCATOR_SIZE, locator, LOCATOR_SIZE) ||
      Get32(locator) != SIG_ZIP64_LOCATOR)
    return TRUE;
  if (Get32(locator + 4) != 0 || Get32(locator + 16) != 1) return FALSE;
  /* The ZIP64 end record sits right before its locator; extensible data in
     it is not written by any common tool and not accepted here. */
  uint64_t recordPos = eocdPos - LOCATOR_SIZE - ZIP64_EOCD_SIZE;
  unsigned char record[ZIP64_EOCD_SIZE];
  if (!SfxReadAt(file, recordPos, record, ZIP64_EOCD_SIZE) || Get32(record) != SIG_ZIP64_EOCD ||
      Get64(record + 4) != ZIP64_EOCD_SIZE - 12)
    return FALSE;
  if (Get32(record + 16) != 0 || Get32(record + 20) != 0 || Get64(record + 24) != Get64(record + 32))
    return FALSE;
  dir->Count = Get64(record + 32);
  dir->CentralSize = Get64(record + 40);
  dir->CentralOffset = Get64(record + 48);
  dir->CentralEnd = recordPos;
  return TRUE;
}

/* Reads the ZIP64 extra field's values for the fields that are saturated. */
static BOOL ApplyZip64Extra(const unsigned char* extra, uint32_t length, SfxEntry* entry,
                            uint64_t* localOffset) {
  while (length >= 4) {
    uint16_t id = Get16(extra), size = Get16(extra + 2);
    if ((uint32_t)size + 4 > length) return FALSE;
    if (id == 0x0001) {
      const unsigned char* p = extra + 4;
      uint32_t left = size;
      if (entry->Size == 0xFFFFFFFFu) {
        if (left < 8) return FALSE;
        entry->Size = Get64(p), p += 8, left -= 8;
      }
      if (entry->CompSize == 0xFFFFFFFFu) {
        if (left < 8) return FALSE;
        entry->CompSize = Get64(p), p += 8, left -= 8;
      }
      if (*localOffset == 0xFFFFFFFFu) {
        if (left < 8) return FALSE;
        *localOffset = Get64(p);
      }
      return TRUE;
    }
    extra += 4 + size;
    length -= 4 + (uint32_t)size;
  }
  return entry->Size != 0xFFFFFFFFu && entry->CompSize != 0xFFFFFFFFu && *localOffset != 0xFFFFFFFFu;
}

static void FreeEntries(SfxEntry* entries, uint32_t count) {
  for (uint32_t i = 0; i < count; ++i) free(entries[i].Name);
  free(entries);
}

/* Parses the whole central directory; it must hold exactly Count entries
   in exactly CentralSize bytes. Shift is what the archive's offsets miss
   of the true file offsets (bytes put in front of the ZIP afterwards). */
static BOOL ReadEntries(HANDLE file, const Directory* dir, uint64_t shift, SfxArchive* archive) {
  if (dir->CentralSize > MAX_CENTRAL || dir->Count > dir->CentralSize / CENTRAL_SIZE) return FALSE;
  unsigned char* central = malloc(dir->CentralSize ? dir->CentralSize : 1);
  SfxEntry* entries = calloc(dir->Count ? dir->Count : 1, sizeof *entries);
  if (!central || !entries ||
      !SfxReadAt(file, dir->CentralOffset + shift, central, (uint32_t)dir->CentralSize)) {
    free(central);
    free(entries);
    return FALSE;
  }
  uint64_t at = 0;
  uint32_t n = 0;
  BOOL ok = TRUE;
  for (; ok && n < dir->Count; ++n) {
    const unsigned char* p = central + at;
    if (dir->CentralSize - at < CENTRAL_SIZE || Get32(p) != SIG_CENTRAL) {
      ok = FALSE;
      break;
    }
    uint32_t nameLength = Get16(p + 28), extraLength = Get16(p + 30), commentLength = Get16(p + 32);
    uint64_t length = CENTRAL_SIZE + (uint64_t)nameLength + extraLength + commentLength;
    if (dir->CentralSize - at < length || Get16(p + 34) != 0) {
      ok = FALSE;
      break;
    }
    SfxEntry* e = &entries[n];
    e->Flags = Get16(p + 8);
    e->Method = Get16(p + 10);
    e->ModTime = Get16(p + 12);
    e->ModDate = Get16(p + 14);
    e->Crc = Get32(p + 16);
    e->CompSize = Get32(p + 20);
    e->Size = Get32(p + 24);
    uint64_t local = Get32(p + 42);
    e->Name = malloc(nameLength + 1);
    if (!e->Name || !ApplyZip64Extra(p + CENTRAL_SIZE + nameLength, extraLength, e, &local)) {
      ok = FALSE;
      ++n;
      break;
    }
    memcpy(e->Name, p + CENTRAL_SIZE, nameLength);
    e->Name[nameLength] = '\0';
    e->LocalOffset = local + shift;
    if (e->LocalOffset >= dir->CentralOffset + shift) ok = FALSE;
    at += length;
  }
  free(central);
  if (!ok || at != dir->CentralSize) {
    FreeEntries(entries, n);
    return FALSE;
  }
  archive->Entries = entries;
  archive->Count = (uint32_t)dir->Count;
  return TRUE;
}

BOOL SfxOpenArchive(HANDLE file, SfxArchive* archive) {
  memset(archive, 0, sizeof *archive);
  LARGE_INTEGER size;
  if (!GetFileSizeEx(file, &size)) return FALSE;
  archive->File = file;
  archive->FileSize = (uint64_t)size.QuadPart;
  uint32_t tailSize = archive->FileSize < 0xFFFF + EOCD_SIZE ? (uint32_t)archive->FileSize : 0xFFFF + EOCD_SIZE;
  if (tailSize < EOCD_SIZE) return FALSE;
  unsigned char* tail = malloc(tailSize);
  uint64_t tailStart = archive->FileSize - tailSize;
  if (!tail || !SfxReadAt(file, tailStart, tail, tailSize)) {
    free(tail);
    return FALSE;
  }
  BOOL found = FALSE;
  for (int64_t p = (int64_t)tailSize - EOCD_SIZE; p >= 0 && !found; --p) {
    const unsigned char* eocd = tail + p;
    if (Get32(eocd) != SIG_EOCD || (uint64_t)p + EOCD_SIZE + Get16(eocd + 20) != tailSize) continue;
    Directory dir;
    uint64_t eocdPos = tailStart + (uint64_t)p;
    if (!ReadDirectory(file, eocdPos, eocd, &dir)) continue;
    if (dir.CentralEnd < dir.CentralOffset + dir.CentralSize) continue;
    uint64_t shift = dir.CentralEnd - dir.CentralOffset - dir.CentralSize;
    found = ReadEntries(file, &dir, shift, archive);
  }
  free(tail);
  return found;
}

void SfxCloseArchive(SfxArchive* archive) {
  FreeEntries(archive->Entries, archive->Count);
  archive->Entries = NULL;
  archive->Count = 0;
}
