#include "engine/split_set.h"

#include "support/ansi.h"
#include "support/globals.h"
#include "support/text_file.h"
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

void WriteDescriptor(const std::string& basePath, const std::string& sourceExt, int32_t count,
                     int64_t size) {
  std::string ext = sourceExt;
  if (!ext.empty() && ext[0] == '.') ext.erase(0, 1);
  std::string text = Utf8ToAnsi(ext) + "\r\n" + std::to_string(count) + "\r\n" +
                     std::to_string(size) + "\r\n";
  WriteTextFile(ChangeFileExt(basePath, ".KDM"), text);
}

std::optional<TDescriptor> ReadDescriptor(TEnv& env, TInteraction& ui,
                                          const std::string& memberPath) {
  std::vector<std::string> lines;
  if (!ReadTextLines(FindMember(env, memberPath, ".KDM"), lines)) {
    ui.ShowMessageDialog("Dateiendung unbekannt.",
                         "Die KDM-Datei konnte nicht gelesen und deshalb die\rDateiendung für die "
                         "Zieldatei nicht ermittelt werden.\rBitte geben Sie die Endung von Hand ein.",
                         TMsgKind::Information, mbOK);
    return std::nullopt;
  }
  lines.resize(3);  // missing lines read as empty, which is no number
  TDescriptor descriptor;
  descriptor.Extension = AnsiToUtf8(lines[0]);
  descriptor.Count = static_cast<int32_t>(static_cast<uint32_t>(StrToInt64(lines[1])));
  descriptor.Size = StrToInt64(lines[2]);
  return descriptor;
}

void WriteRejoinScript(const std::string& basePath, const std::string& webAddress,
                       const std::string& copyLines) {
  WriteTextFile(ChangeFileExt(basePath, ".bat"), RejoinScriptText(webAddress, copyLines));
}

}  // namespace kardomel
