#include "engine/split_set.h"

#include "engine/descriptor_text.h"
#include "engine/set_check.h"

#include "support/ansi.h"
#include "support/globals.h"
#include "support/utf8.h"

namespace kardomel {

std::string PartPath(const std::string& basePath, int32_t k) {
  return ChangeFileExt(basePath, "." + FormatPartNumber(k));
}

std::string FindMember(TEnv& env, const std::string& path, const std::string& ext) {
  std::string exact = ChangeFileExt(path, ext);
  if (env.EntryExists(exact)) return exact;
  std::string folder = ExtractFilePath(exact);
  std::string name = ExtractFileName(exact);
  for (const std::string& entry : env.ListFolder(folder)) {
    if (SameTextAscii(entry, name)) return folder + entry;
  }
  return exact;
}

void WriteDescriptor(TEnv& env, const std::string& basePath, const std::string& sourceExt,
                     int32_t count, int64_t size) {
  std::string ext = sourceExt;
  if (!ext.empty() && ext[0] == '.') ext.erase(0, 1);
  std::string text = Utf8ToAnsi(ext) + "\r\n" + std::to_string(count) + "\r\n" +
                     std::to_string(size) + "\r\n";
  WriteStringToFile(env, ChangeFileExt(basePath, ".KDM"), text);
}

namespace {

bool IsControlCharacter(char32_t c) { return c < 0x20 || (c >= 0x7F && c <= 0x9F); }

}  // namespace

bool IsStorableExtension(const std::string& ext) {
  for (char32_t c : DecodeUtf8(ext)) {
    if (IsControlCharacter(c)) return false;
  }
  return Utf8ToAnsiExact(ext).has_value();
}

bool IsPlainExtension(const std::string& ext) {
  if (ext == "." || ext == "..") return false;
  // Checked byte by byte as well: the file system ends a name at a NUL
  // byte, whatever a decoder makes of the bytes around it.
  for (char c : ext) {
    if (c == '/' || c == '\0') return false;
  }
  for (char32_t c : DecodeUtf8(ext)) {
    if (IsControlCharacter(c)) return false;
  }
  return true;
}

std::optional<TDescriptor> ReadDescriptor(TEnv& env, TInteraction& ui,
                                          const std::string& memberPath) {
  // The file holds three short lines; a large file given by mistake must
  // not be loaded whole.
  constexpr size_t kMaxDescriptor = 64 * 1024;
  std::string bytes;
  if (!ReadFileToString(env, FindMember(env, memberPath, ".KDM"), kMaxDescriptor, bytes)) {
    // A set of another tool names its file in a .crc instead (ours also in
    // the .sha256), and the join takes the extension from there.
    if (ChecksumsNameTheFile(env, memberPath)) return std::nullopt;
    ui.ShowMessageDialog("Dateiendung unbekannt.",
                         "Die KDM-Datei konnte nicht gelesen und deshalb die\rDateiendung für die "
                         "Zieldatei nicht ermittelt werden.\rBitte geben Sie die Endung von Hand ein.",
                         TMsgKind::Information, mbOK);
    return std::nullopt;
  }
  return ParseDescriptor(bytes);
}

void WriteRejoinScript(TEnv& env, const std::string& basePath, const std::string& webAddress,
                       const std::string& copyLines) {
  WriteStringToFile(env, ChangeFileExt(basePath, ".bat"), RejoinScriptText(webAddress, copyLines));
}

}  // namespace kardomel
