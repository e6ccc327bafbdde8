#include "engine/split.h"

#include <memory>
#include <vector>

#include "engine/checksum_copy.h"
#include "engine/checksum_files.h"
#include "engine/media.h"
#include "engine/part_size.h"
#include "engine/shell_script.h"
#include "engine/split_set.h"
#include "support/globals.h"

namespace kardomel {
namespace {

TSplitResult Refuse(TInteraction& ui, TField focus, const std::string& instruction,
                    const std::string& content) {
  ui.ShowMessageDialog(instruction, content, TMsgKind::Warning, mbOK);
  TSplitResult result;
  result.Outcome = TOutcome::Refused;
  result.Focus = focus;
  return result;
}

bool HasLineBreak(const std::string& text) {
  return text.find_first_of("\r\n") != std::string::npos;
}

// A pipe, device or socket would block the split or never end; only a
// regular file (or a link to one) has a size to cut.
bool IsOtherThanAFile(TEnv& env, const std::string& path) {
  // A link that leads nowhere is a missing file, which opening reports.
  return env.EntrySize(path) >= 0 && !env.IsRegularFile(path);
}

// The splitting of one source, with the values that change while it runs.
class TSplitRun {
 public:
  TSplitRun(const TSplitInput& input, TEnv& env, TInteraction& ui)
      : in_(input), env_(env), ui_(ui), progressObserver_(ui, progress_) {}

  TSplitResult Run();
  // The end of a run the user stopped during a copy: WritePart has removed
  // the part it had begun; the parts before it are whole and stay, and so
  // does the source. The descriptor goes: it names parts that will never
  // come, and a join of it would wait for them.
  TSplitResult Stopped();

 private:
  // The member of the set at BasePath that would be written over the source,
  // counting parts from FirstPart on; empty when there is none.
  std::string MemberOverSource(const std::string& basePath, int32_t firstPart) const;
  TSplitResult RefuseOverSource(const std::string& member);
  void WritePart(const std::string& partPath, int64_t size);
  void WriteScript();
  // Copies one part, through the checksums when they are asked for.
  int64_t CopyPart(TStream64& part, int64_t size);
  void WriteChecksumFiles();
  void WriteShellScript();
  // The result of a split that ended after K parts.
  TSplitResult Result(TOutcome outcome, int32_t k) const;

  const TSplitInput& in_;
  TEnv& env_;
  TInteraction& ui_;
  TProgress progress_;
  TPartProgress progressObserver_;
  std::unique_ptr<TStream64> source_;
  TFileId sourceId_;
  std::string basePath_;
  int32_t count_ = 0;
  std::vector<std::string> partNames_;
  std::string descriptorPath_;  // once written
  TProtectedFiles written_;
  std::vector<std::string> partHex_;
  TSha256 wholeSha_;
  TCrc32 wholeCrc_;
  // What the result lists: the parts as written, the rejoin script, and
  // the .sha256, .crc and .sh files, once written.
  std::vector<std::string> partPaths_;
  std::string scriptPath_;
  std::vector<std::string> extraFiles_;
};

std::string TSplitRun::MemberOverSource(const std::string& basePath, int32_t firstPart) const {
  std::vector<std::string> members;
  for (int32_t k = firstPart; k <= count_; ++k) members.push_back(PartPath(basePath, k));
  if (in_.WriteDescriptor && firstPart == 1) members.push_back(ChangeFileExt(basePath, ".KDM"));
  if (in_.WriteBatch) members.push_back(ChangeFileExt(basePath, ".bat"));
  if (in_.WriteChecksums) {
    members.push_back(ChangeFileExt(basePath, ".sha256"));
    members.push_back(ChangeFileExt(basePath, ".crc"));
  }
  if (in_.WriteShellScript) members.push_back(ChangeFileExt(basePath, ".sh"));
  for (const std::string& member : members) {
    TFileId id;
    if (member == in_.SourcePath || (env_.GetFileId(member, id) && id == sourceId_)) return member;
  }
  return {};
}

TSplitResult TSplitRun::RefuseOverSource(const std::string& member) {
  return Refuse(ui_, TField::None, "Ungültiges Ziel.",
                "Die Datei " + member +
                    " gehört selbst zum Teilesatz und würde beim Teilen überschrieben.\r"
                    "Bitte wählen Sie einen anderen Zielordner oder eine andere Teilgröße.");
}

void TSplitRun::WritePart(const std::string& partPath, int64_t size) {
  std::unique_ptr<TStream64> part = env_.Open(partPath, TOpenMode::Write);
  written_.Add(env_, partPath);
  int64_t copied;
  try {
    copied = CopyPart(*part, size);
  } catch (...) {
    // An incomplete part is worse than none: a later join would take it.
    part.reset();
    env_.DeleteEntry(partPath);
    throw;
  }
  part.reset();
  if (copied != size) {
    env_.DeleteEntry(partPath);
    throw EKardomel("Die Teildatei " + partPath + " wurde nicht vollständig geschrieben (" +
                    std::to_string(copied) + " von " + std::to_string(size) +
                    " Bytes).\rDer Datenträger ist voll oder die Quelldatei wurde verkürzt.");
  }
  partPaths_.push_back(partPath);
}

int64_t TSplitRun::CopyPart(TStream64& part, int64_t size) {
  // Without checksums the kernel copies the part on its own.
  if (!in_.WriteChecksums) return part.CopyFrom(*source_, size, &progressObserver_);
  TSha256 partSha;
  const int64_t copied =
      CopyDigesting(part, *source_, size, {&partSha, &wholeSha_, &wholeCrc_}, &progressObserver_);
  partHex_.push_back(partSha.HexDigest());
  return copied;
}

void TSplitRun::WriteChecksumFiles() {
  const std::string target = ExtractFileName(in_.SourcePath);
  std::vector<TChecksumLine> lines;
  for (size_t i = 0; i < partNames_.size(); ++i) lines.push_back({partHex_[i], partNames_[i]});
  lines.push_back({wholeSha_.HexDigest(), target});
  WriteStringToFile(env_, ChangeFileExt(basePath_, ".sha256"), FormatSha256File(lines));
  extraFiles_.push_back(ChangeFileExt(basePath_, ".sha256"));
  TCrcFile crc;
  crc.FileName = target;
  crc.Size = progress_.TotalSize;
  crc.Crc = wholeCrc_.Value();
  WriteStringToFile(env_, ChangeFileExt(basePath_, ".crc"), FormatCrcFile(crc));
  extraFiles_.push_back(ChangeFileExt(basePath_, ".crc"));
}

void TSplitRun::WriteShellScript() {
  const std::string sums =
      in_.WriteChecksums ? ExtractFileName(ChangeFileExt(basePath_, ".sha256")) : "";
  WriteStringToFile(env_, ChangeFileExt(basePath_, ".sh"),
                    ShellScriptText(partNames_, ExtractFileName(in_.SourcePath), sums));
  extraFiles_.push_back(ChangeFileExt(basePath_, ".sh"));
}

void TSplitRun::WriteScript() {
  std::string target = ExtractFileName(in_.SourcePath);
  bool safe = IsScriptSafeName(target);
  for (const std::string& name : partNames_) safe = safe && IsScriptSafeName(name);
  if (!safe) {
    ui_.ShowMessageDialog("Keine Batch-Datei erzeugt.",
                          "Der Dateiname " + target +
                              " kann in einer Batch-Datei nicht verwendet werden.\r"
                              "Die Teildateien wurden trotzdem geschrieben.",
                          TMsgKind::Warning, mbOK);
    return;
  }
  WriteRejoinScript(env_, basePath_, in_.WebAddress, CopyLines(partNames_, target));
  scriptPath_ = ChangeFileExt(basePath_, ".bat");
}

TSplitResult TSplitRun::Result(TOutcome outcome, int32_t k) const {
  TSplitResult result;
  result.Outcome = outcome;
  result.BasePath = basePath_;
  result.PartsWritten = k;
  result.Files = partPaths_;
  // The order of the mail's last message: script before descriptor.
  for (const std::string* member : {&scriptPath_, &descriptorPath_})
    if (!member->empty()) result.Files.push_back(*member);
  result.Files.insert(result.Files.end(), extraFiles_.begin(), extraFiles_.end());
  return result;
}

TSplitResult TSplitRun::Run() {
  if (IsOtherThanAFile(env_, in_.SourcePath))
    return Refuse(ui_, TField::None, "Keine gewöhnliche Datei.",
                  in_.SourcePath +
                      " ist keine gewöhnliche Datei, sondern etwa eine Pipe, ein Gerät oder "
                      "ein Socket, und kann nicht geteilt werden.");
  const int64_t partSize = in_.PartSize;
  // A size was entered, but the whole file fits into one part: saying so
  // tells the user what to change.
  if (const int64_t fileSize = env_.EntrySize(in_.SourcePath);
      partSize > 0 && in_.PartCount < 2 && fileSize >= 0 && fileSize <= partSize)
    return Refuse(ui_, TField::Size, "Eingabe erwartet.",
                  "Die Datei " + ExtractFileName(in_.SourcePath) + " ist mit " +
                      std::to_string(fileSize) + " Bytes nicht größer als die Teilgröße von " +
                      std::to_string(partSize) +
                      " Bytes und passt in eine einzige Teildatei.\rBitte geben Sie eine "
                      "kleinere Größe oder eine Anzahl von mindestens 2 an.");
  if (partSize <= 0 || in_.PartCount < 2)
    return Refuse(ui_, TField::Size, "Eingabe erwartet.",
                  "Die Größe oder die Anzahl der Zieldateien muss angegeben werden.");
  if (in_.PartCount > 999)
    return Refuse(ui_, TField::Count, "Maximale Teilanzahl überschritten.",
                  "Sie können die Datei in maximal 999 splitten.");
  const std::string sourceName = ExtractFileName(in_.SourcePath);
  const std::string sourceExt = ExtractFileExt(in_.SourcePath);
  if (in_.WriteDescriptor && HasLineBreak(sourceExt))
    return Refuse(ui_, TField::None, "Ungültige Dateiendung.",
                  "Die Dateiendung der Datei " + sourceName +
                      " enthält einen Zeilenumbruch und kann nicht in der KDM-Datei "
                      "gespeichert werden.");
  // Stored with a stand-in character, the extension would come back as
  // another name: the join would rebuild x.?? instead of x.日本.
  if (in_.WriteDescriptor && !IsStorableExtension(sourceExt.empty() ? "" : sourceExt.substr(1)))
    return Refuse(ui_, TField::None, "Ungültige Dateiendung.",
                  "Die Dateiendung der Datei " + sourceName +
                      " enthält Zeichen, die in der KDM-Datei nicht gespeichert werden "
                      "können.\rBitte benennen Sie die Datei um oder teilen Sie sie ohne "
                      "KDM-Datei.");
  basePath_ = in_.SameDir ? in_.SourcePath : AddBackslash(in_.DestFolder) + sourceName;

  TBusyScope busy(ui_);
  source_ = env_.Open(in_.SourcePath, TOpenMode::Read);
  env_.GetFileId(in_.SourcePath, sourceId_);
  written_.Add(env_, in_.SourcePath);

  // The parts are counted from what the source holds now, so that the
  // descriptor file and the report name exactly the parts written, also when
  // the count field was not evaluated for this size.
  int64_t remaining = source_->Size();
  int64_t parts = remaining == 0 ? 1 : CountFromSize(remaining, partSize);
  if (parts > 999)
    return Refuse(ui_, TField::Count, "Maximale Teilanzahl überschritten.",
                  "Sie können die Datei in maximal 999 splitten.");
  count_ = static_cast<int32_t>(parts);
  if (std::string member = MemberOverSource(basePath_, 1); !member.empty())
    return RefuseOverSource(member);

  progress_.PartCount = count_;
  progress_.TotalSize = remaining;
  int32_t k = 0;
  do {
    auto acceptFolder = [&](const std::string& newBase) {
      std::string member = MemberOverSource(newBase, k + 1);
      if (member.empty()) return true;
      RefuseOverSource(member);
      return false;
    };
    if (!EnsurePartSpace(env_, ui_, basePath_, partSize, written_, acceptFolder))
      return Result(TOutcome::Cancelled, k);
    if (k == 0 && in_.WriteDescriptor) {
      WriteDescriptor(env_, basePath_, sourceExt, count_, remaining);
      descriptorPath_ = ChangeFileExt(basePath_, ".KDM");
      written_.Add(env_, descriptorPath_);
    }
    ++k;
    const int64_t size = remaining < partSize ? remaining : partSize;
    progressObserver_.BeginPart(k, size);
    WritePart(PartPath(basePath_, k), size);
    remaining -= size;
    partNames_.push_back(ChangeFileExt(sourceName, "." + FormatPartNumber(k)));
  } while (remaining > 0);

  if (in_.WriteChecksums) WriteChecksumFiles();
  if (in_.WriteShellScript) WriteShellScript();
  if (in_.WriteBatch) WriteScript();
  source_.reset();
  const std::string folder = ExtractFilePath(basePath_);
  ui_.ShowMessageDialog("Datei wurde geteilt.",
                        in_.SourcePath + " wurde im Ordner\r" + folder + "\rin " +
                            std::to_string(k) + " Teile geteilt.",
                        TMsgKind::Information, mbOK);
  return Result(TOutcome::Done, k);
}

TSplitResult TSplitRun::Stopped() {
  if (!descriptorPath_.empty()) env_.DeleteEntry(descriptorPath_);
  TSplitResult result;
  result.Outcome = TOutcome::Cancelled;
  result.BasePath = basePath_;
  result.PartsWritten = static_cast<int32_t>(partNames_.size());
  result.Files = partPaths_;  // the whole parts stay; the descriptor went
  return result;
}

}  // namespace

TSplitResult RunSplit(const TSplitInput& input, TEnv& env, TInteraction& ui) {
  TSplitRun run(input, env, ui);
  try {
    return run.Run();
  } catch (const ECancelled&) {
    return run.Stopped();
  }
}

}  // namespace kardomel
