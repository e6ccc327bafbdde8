/* Entry names as paths below the target folder. */
#pragma once

#include <windows.h>

#include "sfx_archive.h"

/* The entry's name as a relative Windows path ('\' separated), or NULL when
   it is not one that stays inside the target folder: absolute, with a
   drive or stream colon, or with a ".." component. The caller frees it. */
wchar_t* SfxSafeRelativePath(const SfxEntry* entry);

/* Creates Folder and every missing folder above it; FALSE on failure. */
BOOL SfxCreateFolders(const wchar_t* folder);
