/* Extracting every entry of the archive into a target folder. */
#pragma once

#include <windows.h>

#include "sfx_archive.h"

typedef enum {
  SfxOk,
  SfxUnsafePath,     /* an entry would land outside the target folder */
  SfxWrongPassword,
  SfxDamaged,        /* unreadable data, a failed CRC or size check */
  SfxUnsupported,    /* a compression or encryption this program lacks */
  SfxWriteFailed,    /* a folder or file could not be created or written */
} SfxStatus;

/* True when any entry is encrypted. */
BOOL SfxNeedsPassword(const SfxArchive* archive);

/* Checks every name first and extracts nothing when one is unsafe; then
   extracts all entries below Target with Password (the Windows-1252
   bytes, "" for none), checking each one's CRC and size. A file whose
   check fails is removed. Detail gets the entry concerned. */
SfxStatus SfxExtractAll(const SfxArchive* archive, const wchar_t* target, const char* password,
                        wchar_t* detail, size_t detailSize);

/* The German message for Status. */
const wchar_t* SfxStatusText(SfxStatus status);
