// The split set on disk: the names of its members, the descriptor file
// (".KDM": extension, part count, size, in Windows-1252) and the rejoin
// script (".bat", in code page 850), both with CR LF line ends.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "engine/env.h"
#include "engine/interaction.h"
#include "kardomel/version.h"
#include "engine/rejoin_script.h"

namespace kardomel {

// The program version as the rejoin script names it.
inline constexpr const char* kScriptVersion = kProgramVersion;

// Path of part K of the set named from BasePath: its extension replaced by
// "." + FormatPartNumber(K).
std::string PartPath(const std::string& basePath, int32_t k);

// The member of Path's set with extension Ext (".KDM", ".bat") as it lies in
// the folder: the exact name when it exists, else an entry whose name differs
// only in letter case, else the exact name. Sets written elsewhere use any case.
std::string FindMember(TEnv& env, const std::string& path, const std::string& ext);

// Writes the descriptor file at BasePath with extension ".KDM" through Env,
// as a fresh file: the source extension without its dot, Count and Size.
// An extension that Windows-1252 cannot hold must be refused before (see
// IsStorableExtension). Raises EFileError.
void WriteDescriptor(TEnv& env, const std::string& basePath, const std::string& sourceExt,
                     int32_t count, int64_t size);

// True when Ext (without its dot) can stand in line 1 of the descriptor file
// and be read back unchanged: no control character, all of it in Windows-1252.
bool IsStorableExtension(const std::string& ext);

// True when Ext (without its dot, as a descriptor file or the user gives it)
// can only ever extend a file name: no '/', no NUL or other control
// character, not "." or "..". An empty extension is a file without one.
bool IsPlainExtension(const std::string& ext);

struct TDescriptor {
  std::string Extension;  // UTF-8, as line 1 holds it
  int32_t Count = 0;      // low 32 bits of line 2
  int64_t Size = 0;
};

// Reads the descriptor file of the set MemberPath belongs to. When it cannot
// be opened, shows "Dateiendung unbekannt." (unless a checksum file beside
// the parts names the file) and returns nullopt; a line 2 or 3 that is no
// number raises EConvertError.
std::optional<TDescriptor> ReadDescriptor(TEnv& env, TInteraction& ui,
                                          const std::string& memberPath);

// Writes the rejoin script at BasePath with extension ".bat" through Env, as
// a fresh file: the text of RejoinScriptText. Raises EFileError.
void WriteRejoinScript(TEnv& env, const std::string& basePath, const std::string& webAddress,
                       const std::string& copyLines);

}  // namespace kardomel
