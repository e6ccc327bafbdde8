#include "engine/join.h"

#include <memory>

#include "engine/media.h"
#include "engine/split_set.h"
#include "support/globals.h"

namespace kardomel {
namespace {

class TJoinRun {
 public:
  TJoinRun(const TJoinInput& input, TEnv& env, TInteraction& ui)
      : in_(input), env_(env), ui_(ui), progressObserver_(ui, progress_) {}

  TJoinResult Run();

 private:
  std::string PartPathOf(int64_t p) const {
    return AddBackslash(in_.SourceFolder) +
           ChangeFileExt(in_.SelectedName, "." + FormatPartNumber(static_cast<int32_t>(p)));
  }
  bool IsMemberOfSet(const std::string& path) const;
  void WarnMember(const std::string& path) const;
  // Asks before an existing file at Path is replaced and deletes it when the
  // user agrees. False when the user keeps it.
  bool ClearDestination(const std::string& path) const;
  void CopyParts(TStream64& dest, int64_t& copiedTotal);
  void DeleteSet() const;

  const TJoinInput& in_;
  TEnv& env_;
  TInteraction& ui_;
  TProgress progress_;
  TPartProgress progressObserver_;
  bool cancelled_ = false;
};

bool TJoinRun::IsMemberOfSet(const std::string& path) const {
  TFileId folder, sourceFolder;
  bool sameFolder = ExtractFilePath(path) == AddBackslash(in_.SourceFolder) ||
                    (env_.GetFileId(ExtractFilePath(path), folder) &&
                     env_.GetFileId(AddBackslash(in_.SourceFolder), sourceFolder) &&
                     folder == sourceFolder);
  if (sameFolder && ChangeFileExt(ExtractFileName(path), "") ==
                        ChangeFileExt(in_.SelectedName, "")) {
    std::string ext = ExtractFileExt(path);
    if (SameTextAscii(ext, ".KDM") || SameTextAscii(ext, ".bat")) return true;
    for (int64_t p = 1; p <= in_.PartCount && p <= 9999; ++p) {
      if (ext == "." + FormatPartNumber(static_cast<int32_t>(p))) return true;
    }
  }
  // The same file under another name (a link to a part).
  TFileId id;
  if (!env_.GetFileId(path, id)) return false;
  for (int64_t p = 1; p <= in_.PartCount && p <= 999; ++p) {
    TFileId partId;
    if (env_.GetFileId(PartPathOf(p), partId) && partId == id) return true;
  }
  return false;
}

void TJoinRun::WarnMember(const std::string& path) const {
  ui_.ShowMessageDialog("Ungültiges Ziel.",
                        "Die Zieldatei " + path +
                            " gehört selbst zum Teilesatz und würde dabei überschrieben.\r"
                            "Bitte geben Sie eine andere Dateiendung oder einen anderen "
                            "Zielordner an.",
                        TMsgKind::Warning, mbOK);
}

bool TJoinRun::ClearDestination(const std::string& path) const {
  if (!env_.EntryExists(path)) return true;
  if (ui_.AskOverwrite(path) != mrOverwrite) return false;
  env_.DeleteEntry(path);  // a file that stays makes the create below fail clearly
  return true;
}

void TJoinRun::CopyParts(TStream64& dest, int64_t& copiedTotal) {
  progress_.PartCount = static_cast<int32_t>(in_.PartCount);
  progress_.TotalSize = in_.TotalSize;
  for (int64_t p = 1; p <= in_.PartCount; ++p) {
    const std::string partPath = PartPathOf(p);
    while (!env_.EntryExists(partPath)) {
      if (ui_.ShowMessageDialog("Kardomel wartet.", "Bitte legen Sie den nächsten Datenträger ein.",
                                TMsgKind::Information, mbOK | mbCancel) == mrCancel) {
        cancelled_ = true;
        return;
      }
    }
    std::unique_ptr<TStream64> part = env_.Open(partPath, TOpenMode::Read);
    const int64_t partSize = part->Size();
    progressObserver_.BeginPart(static_cast<int32_t>(p), partSize);
    const int64_t copied = dest.CopyFrom(*part, 0, &progressObserver_);
    if (copied != partSize)
      throw EKardomel("Die Teildatei " + partPath + " wurde nicht vollständig übernommen (" +
                      std::to_string(copied) + " von " + std::to_string(partSize) +
                      " Bytes).\rDie Teildateien wurden nicht gelöscht.");
    copiedTotal += copied;
  }
}

void TJoinRun::DeleteSet() const {
  for (int64_t p = 1; p <= in_.PartCount; ++p) env_.DeleteEntry(PartPathOf(p));
  const std::string selected = AddBackslash(in_.SourceFolder) + in_.SelectedName;
  env_.DeleteEntry(FindMember(env_, selected, ".KDM"));
  env_.DeleteEntry(FindMember(env_, selected, ".BAT"));
}

TJoinResult TJoinRun::Run() {
  TJoinResult result;
  if (in_.Extension.empty()) {
    ui_.ShowMessageDialog("Dateiendung fehlt.",
                          "Damit Kardomel die Datei zusammensetzen kann, muss die Dateiendung für "
                          "die Zieldatei angegeben werden. Diese können Sie im rechten oberen "
                          "Programmbereich eingeben.",
                          TMsgKind::Information, mbOK);
    result.Outcome = TOutcome::Refused;
    result.Focus = TField::Extension;
    return result;
  }
  const std::string folder = in_.SameDir ? in_.SourceFolder : in_.DestFolder;
  std::string dest = AddBackslash(folder) + ChangeFileExt(in_.SelectedName, "." + in_.Extension);
  if (IsMemberOfSet(dest)) {
    WarnMember(dest);
    result.Outcome = TOutcome::Refused;
    result.Focus = TField::Extension;
    return result;
  }

  TBusyScope busy(ui_);
  if (!ClearDestination(dest)) {
    busy.Leave();
    ui_.ShowMessageDialog("Hinweis.", "Die Datei " + dest + " wurde nicht zusammengesetzt.",
                          TMsgKind::Information, mbOK);
    result.Outcome = TOutcome::Cancelled;
    return result;
  }
  // A folder chosen for lack of space gets the same checks as the first one.
  auto acceptFolder = [&](const std::string& candidate) {
    if (IsMemberOfSet(candidate)) {
      WarnMember(candidate);
      return false;
    }
    return ClearDestination(candidate);
  };
  if (!EnsureJoinSpace(env_, ui_, dest, in_.TotalSize, acceptFolder)) {
    result.Outcome = TOutcome::Cancelled;
    return result;
  }
  result.DestPath = dest;

  std::unique_ptr<TStream64> out = env_.Open(dest, TOpenMode::Write);
  int64_t copied = 0;
  CopyParts(*out, copied);
  if (cancelled_) {
    result.Outcome = TOutcome::Cancelled;
    return result;
  }
  const int64_t written = out->Size();
  const int64_t expected = in_.DescriptorSize.value_or(copied);
  if (written != copied || copied != expected)
    throw EKardomel("Die Datei " + dest + " hat " + std::to_string(written) +
                    " Bytes, erwartet wurden " + std::to_string(expected) +
                    " Bytes.\rDie Teildateien wurden nicht gelöscht.");

  std::string summary = dest + " wurde zusammengesetzt.";
  if (in_.DeleteParts) {
    // The parts go only once the rebuilt file is safely on the medium.
    out->Flush();
    out.reset();
    DeleteSet();
    summary += "\rDie Teildateien wurden gelöscht.";
  }
  out.reset();
  ui_.ShowMessageDialog("Teildateien zusammengesetzt.", summary, TMsgKind::Information, mbOK);
  return result;
}

}  // namespace

TJoinResult RunJoin(const TJoinInput& input, TEnv& env, TInteraction& ui) {
  return TJoinRun(input, env, ui).Run();
}

}  // namespace kardomel
