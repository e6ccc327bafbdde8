#include "sfx_paths.h"

#include <stdlib.h>
#include <string.h>
#include <wchar.h>

#define FLAG_UTF8 0x0800

static BOOL IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

wchar_t* SfxSafeRelativePath(const SfxEntry* entry) {
  UINT codePage = (entry->Flags & FLAG_UTF8) ? CP_UTF8 : 437;
  int length = MultiByteToWideChar(codePage, 0, entry->Name, -1, NULL, 0);
  if (length <= 1) return NULL;
  wchar_t* path = malloc(sizeof(wchar_t) * (size_t)length);
  if (!path || !MultiByteToWideChar(codePage, 0, entry->Name, -1, path, length)) {
    free(path);
    return NULL;
  }
  BOOL safe = !IsSeparator(path[0]) && wcschr(path, L':') == NULL;
  for (const wchar_t* part = path; safe && *part;) {
    const wchar_t* end = part;
    while (*end && !IsSeparator(*end)) ++end;
    if (end - part == 2 && part[0] == L'.' && part[1] == L'.') safe = FALSE;
    part = *end ? end + 1 : end;
  }
  if (!safe) {
    free(path);
    return NULL;
  }
  for (wchar_t* c = path; *c; ++c)
    if (*c == L'/') *c = L'\\';
  return path;
}

BOOL SfxCreateFolders(const wchar_t* folder) {
  size_t length = wcslen(folder);
  wchar_t* copy = malloc(sizeof(wchar_t) * (length + 1));
  if (!copy) return FALSE;
  wcscpy(copy, folder);
  while (length > 0 && IsSeparator(copy[length - 1])) copy[--length] = L'\0';
  BOOL ok = TRUE;
  for (size_t i = 1; ok && i <= length; ++i) {
    if (i < length && !IsSeparator(copy[i])) continue;
    wchar_t kept = copy[i];
    copy[i] = L'\0';
    /* A drive ("C:") or the share part of a UNC path needs no creating. */
    if (!(i == 2 && copy[1] == L':') && !CreateDirectoryW(copy, NULL)) {
      DWORD attributes = GetFileAttributesW(copy);
      if (i == length && (attributes == INVALID_FILE_ATTRIBUTES ||
                          !(attributes & FILE_ATTRIBUTE_DIRECTORY)))
        ok = FALSE;
    }
    copy[i] = kept;
  }
  free(copy);
  return ok;
}
