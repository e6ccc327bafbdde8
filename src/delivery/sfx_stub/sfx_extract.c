#include "sfx_extract.h"

#include <stdlib.h>
#include <string.h>
#include <wchar.h>
#include <zlib.h>

#include "sfx_crypt.h"
#include "sfx_paths.h"

#define FLAG_ENCRYPTED 0x0001
#define FLAG_DESCRIPTOR 0x0008
#define FLAG_STRONG 0x0040
#define LOCAL_SIZE 30u
#define CHUNK (256u * 1024u)

typedef struct {
  HANDLE In, Out;
  unsigned char* InBuffer;
  unsigned char* OutBuffer;
} Io;

BOOL SfxNeedsPassword(const SfxArchive* archive) {
  for (uint32_t i = 0; i < archive->Count; ++i)
    if (archive->Entries[i].Flags & FLAG_ENCRYPTED) return TRUE;
  return FALSE;
}

const wchar_t* SfxStatusText(SfxStatus status) {
  switch (status) {
    case SfxOk: return L"Die Dateien wurden entpackt.";
    case SfxUnsafePath: return L"Das Archiv enthält einen Pfad außerhalb des Zielordners; es wird nichts entpackt.";
    case SfxWrongPassword: return L"Das Passwort ist falsch.";
    case SfxDamaged: return L"Das Archiv ist beschädigt.";
    case SfxUnsupported: return L"Das Archiv verwendet ein nicht unterstütztes Verfahren.";
    case SfxWriteFailed: return L"Die Datei kann nicht geschrieben werden.";
  }
  return L"";
}

static BOOL WriteAll(HANDLE out, const unsigned char* data, DWORD size) {
  while (size > 0) {
    DWORD done = 0;
    if (!WriteFile(out, data, size, &done, NULL) || done == 0) return FALSE;
    data += done;
    size -= done;
  }
  return TRUE;
}

static BOOL ReadNext(HANDLE in, unsigned char* buffer, DWORD size) {
  while (size > 0) {
    DWORD got = 0;
    if (!ReadFile(in, buffer, size, &got, NULL) || got == 0) return FALSE;
    buffer += got;
    size -= got;
  }
  return TRUE;
}

/* Data of Entry from the current position of Io.In, decrypted when Crypt
   is set, inflated or copied to Io.Out. */
static SfxStatus CopyData(Io* io, const SfxEntry* entry, uint64_t compLeft, SfxCrypt* crypt) {
  z_stream zs;
  memset(&zs, 0, sizeof zs);
  const BOOL deflated = entry->Method == 8;
  if (deflated && inflateInit2(&zs, -MAX_WBITS) != Z_OK) return SfxDamaged;
  uint32_t crc = crc32(0, Z_NULL, 0);
  uint64_t written = 0;
  SfxStatus status = SfxOk;
  int z = Z_OK;
  while (status == SfxOk && (compLeft > 0 || (deflated && z != Z_STREAM_END))) {
    DWORD size = compLeft < CHUNK ? (DWORD)compLeft : CHUNK;
    if (size == 0) {
      status = SfxDamaged; /* the deflate stream ends after its data */
      break;
    }
    if (!ReadNext(io->In, io->InBuffer, size)) {
      status = SfxDamaged;
      break;
    }
    compLeft -= size;
    if (crypt) SfxCryptDecrypt(crypt, io->InBuffer, size);
    if (!deflated) {
      crc = crc32(crc, io->InBuffer, size);
      written += size;
      if (!WriteAll(io->Out, io->InBuffer, size)) status = SfxWriteFailed;
      continue;
    }
    zs.next_in = io->InBuffer;
    zs.avail_in = size;
    while (status == SfxOk && zs.avail_in > 0 && z != Z_STREAM_END) {
      zs.next_out = io->OutBuffer;
      zs.avail_out = CHUNK;
      z = inflate(&zs, Z_NO_FLUSH);
      if (z != Z_OK && z != Z_STREAM_END) {
        status = SfxDamaged;
        break;
      }
      DWORD produced = CHUNK - zs.avail_out;
      crc = crc32(crc, io->OutBuffer, produced);
      written += produced;
      if (!WriteAll(io->Out, io->OutBuffer, produced)) status = SfxWriteFailed;
    }
    /* A stream that is complete but still has input left is damaged too. */
    if (status == SfxOk && z == Z_STREAM_END && (zs.avail_in > 0 || compLeft > 0)) status = SfxDamaged;
  }
  if (deflated) inflateEnd(&zs);
  if (status == SfxOk && (crc != entry->Crc || written != entry->Size))
    status = crypt ? SfxWrongPassword : SfxDamaged;
  return status;
}

static void SetModificationTime(HANDLE out, const SfxEntry* entry) {
  FILETIME local, utc;
  if (DosDateTimeToFileTime(entry->ModDate, entry->ModTime, &local) &&
      LocalFileTimeToFileTime(&local, &utc))
    SetFileTime(out, NULL, NULL, &utc);
}

/* Positions Io.In at the entry's data and sets up its decryption. */
static SfxStatus OpenData(Io* io, const SfxArchive* archive, const SfxEntry* entry,
                          const char* password, SfxCrypt* crypt, uint64_t* compLeft) {
  unsigned char local[LOCAL_SIZE];
  if (!SfxReadAt(archive->File, entry->LocalOffset, local, LOCAL_SIZE) || local[0] != 'P' ||
      local[1] != 'K' || local[2] != 3 || local[3] != 4)
    return SfxDamaged;
  uint64_t data = entry->LocalOffset + LOCAL_SIZE + (local[26] | local[27] << 8) +
                  (local[28] | local[29] << 8);
  if (data + entry->CompSize > archive->FileSize) return SfxDamaged;
  LARGE_INTEGER at;
  at.QuadPart = (LONGLONG)data;
  if (!SetFilePointerEx(io->In, at, NULL, FILE_BEGIN)) return SfxDamaged;
  *compLeft = entry->CompSize;
  if (!(entry->Flags & FLAG_ENCRYPTED)) return SfxOk;
  unsigned char header[12];
  if (entry->CompSize < sizeof header || !ReadNext(io->In, header, sizeof header)) return SfxDamaged;
  *compLeft -= sizeof header;
  SfxCryptInit(crypt, password);
  SfxCryptDecrypt(crypt, header, sizeof header);
  /* The last header byte repeats the CRC's high byte, or with a data
     descriptor the time's; the CRC check at the end settles the rest. */
  uint16_t localTime = (uint16_t)(local[10] | local[11] << 8);
  if (header[11] != (unsigned char)(entry->Crc >> 24) && header[11] != (unsigned char)(localTime >> 8))
    return SfxWrongPassword;
  return SfxOk;
}

static SfxStatus ExtractFile(Io* io, const SfxArchive* archive, const SfxEntry* entry,
                             const wchar_t* path, const char* password) {
  if (entry->Method != 0 && entry->Method != 8) return SfxUnsupported;
  if (entry->Flags & FLAG_STRONG) return SfxUnsupported;
  SfxCrypt crypt;
  uint64_t compLeft = 0;
  SfxStatus status = OpenData(io, archive, entry, password, &crypt, &compLeft);
  if (status != SfxOk) return status;
  io->Out = CreateFileW(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
  if (io->Out == INVALID_HANDLE_VALUE) return SfxWriteFailed;
  status = CopyData(io, entry, compLeft, (entry->Flags & FLAG_ENCRYPTED) ? &crypt : NULL);
  if (status == SfxOk) SetModificationTime(io->Out, entry);
  CloseHandle(io->Out);
  if (status != SfxOk) DeleteFileW(path);
  return status;
}

static wchar_t* JoinPath(const wchar_t* folder, const wchar_t* relative) {
  size_t a = wcslen(folder), b = wcslen(relative);
  wchar_t* path = malloc(sizeof(wchar_t) * (a + b + 2));
  if (!path) return NULL;
  wcscpy(path, folder);
  if (a > 0 && path[a - 1] != L'\\' && path[a - 1] != L'/') wcscat(path, L"\\");
  wcscat(path, relative);
  return path;
}

static void SetDetail(wchar_t* detail, size_t detailSize, const SfxEntry* entry) {
  UINT codePage = (entry->Flags & 0x0800) ? CP_UTF8 : 437;
  if (detailSize == 0) return;
  detail[0] = L'\0';
  if (!MultiByteToWideChar(codePage, 0, entry->Name, -1, detail, (int)detailSize))
    detail[detailSize - 1] = L'\0';
}

SfxStatus SfxExtractAll(const SfxArchive* archive, const wchar_t* target, const char* password,
                        wchar_t* detail, size_t detailSize) {
  if (detailSize) detail[0] = L'\0';
  wchar_t** paths = calloc(archive->Count ? archive->Count : 1, sizeof *paths);
  if (!paths) return SfxWriteFailed;
  SfxStatus status = SfxOk;
  for (uint32_t i = 0; i < archive->Count && status == SfxOk; ++i) {
    wchar_t* relative = SfxSafeRelativePath(&archive->Entries[i]);
    paths[i] = relative ? JoinPath(target, relative) : NULL;
    free(relative);
    if (!paths[i]) {
      status = SfxUnsafePath;
      SetDetail(detail, detailSize, &archive->Entries[i]);
    }
  }
  Io io = {archive->File, INVALID_HANDLE_VALUE, malloc(CHUNK), malloc(CHUNK)};
  if (status == SfxOk && (!io.InBuffer || !io.OutBuffer)) status = SfxWriteFailed;
  if (status == SfxOk && !SfxCreateFolders(target)) status = SfxWriteFailed;
  for (uint32_t i = 0; i < archive->Count && status == SfxOk; ++i) {
    const SfxEntry* entry = &archive->Entries[i];
    wchar_t* path = paths[i];
    size_t length = wcslen(path);
    BOOL folder = path[length - 1] == L'\\';
    wchar_t* slash = wcsrchr(path, L'\\');
    if (slash && !folder) {
      *slash = L'\0';
      if (!SfxCreateFolders(path)) status = SfxWriteFailed;
      *slash = L'\\';
    }
    if (status == SfxOk)
      status = folder ? (SfxCreateFolders(path) ? SfxOk : SfxWriteFailed)
                      : ExtractFile(&io, archive, entry, path, password);
    if (status != SfxOk) SetDetail(detail, detailSize, entry);
  }
  free(io.InBuffer);
  free(io.OutBuffer);
  for (uint32_t i = 0; i < archive->Count; ++i) free(paths[i]);
  free(paths);
  return status;
}
