#include "engine/join.h"

#include <cerrno>
#include <memory>

#include "engine/media.h"
#include "engine/split_set.h"
#include "support/errors.h"
#include "support/globals.h"

namespace kardomel {
namespace {

// Text as a message can show it: control characters (a NUL among them)
// written as \xNN.
std::string Visible(const std::string& text) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (char c : text) {
    unsigned char byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F) {
      out += "\\x";
      out += kHex[byte >> 4];
      out += kHex[byte & 0x0F];
    } else {
      out += c;
    }
  }
  return out;
}

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
  // The name of the rebuilt file: the selected name with the extension, or
  // without any for a file that had none.
  std::string DestName() const {
    return ChangeFileExt(in_.SelectedName, in_.Extension.empty() ? "" : "." + in_.Extension);
  }
  bool IsMemberOfSet(const std::string& path) const;
  void WarnMember(const std::string& path) const;
  // The first of the parts present from part 1 on that is no regular file;
  // empty when there is none.
  std::string PartThatIsNoFile() const;
  void WarnNoFile(const std::string& path) const;
  // Asks before an existing file at Path is replaced. False when the user
  // keeps it; Replace tells whether there is a file to replace.
  bool MayWriteTo(const std::string& path, bool& replace) const;
  void CopyParts(TStream64& dest, int64_t& copiedTotal);
  // The set's members that are there: parts 1 ... N, descriptor, script.
  std::vector<std::string> MembersPresent() const;
  // Deletes the members present; returns those that stay.
  std::vector<std::string> DeleteSet() const;

  const TJoinInput& in_;
  TEnv& env_;
  TInteraction& ui_;
  TProgress progress_;
  TPartProgress progressObserver_;
  bool cancelled_ = false;
  bool refused_ = false;
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

std::string TJoinRun::PartThatIsNoFile() const {
  for (int64_t p = 1; p <= in_.PartCount; ++p) {
    const std::string part = PartPathOf(p);
    if (!env_.EntryExists(part)) break;  // the rest comes on another disk
    if (!env_.IsRegularFile(part)) return part;
  }
  return {};
}

void TJoinRun::WarnNoFile(const std::string& path) const {
  ui_.ShowMessageDialog("Keine gewöhnliche Datei.",
                        "Die Teildatei " + path +
                            " ist keine gewöhnliche Datei, sondern etwa eine Pipe, ein Gerät "
                            "oder ein Socket.\rEs wurde nichts zusammengesetzt und nichts "
                            "gelöscht.",
                        TMsgKind::Warning, mbOK);
}

bool TJoinRun::MayWriteTo(const std::string& path, bool& replace) const {
  replace = env_.EntryExists(path);
  return !replace || ui_.AskOverwrite(path) == mrOverwrite;
}

void TJoinRun::CopyParts(TStream64& dest, int64_t& copiedTotal) {
  progress_.PartCount = static_cast<int32_t>(in_.PartCount);
  progress_.TotalSize = in_.TotalSize;
  for (int64_t p = 1; p <= in_.PartCount; ++p) {
    const std::string partPath = PartPathOf(p);
    while (!env_.EntryExists(partPath)) {
      if (ui_.ShowMessageDialog("Kardomel wartet.",
                                "Bitte legen Sie den nächsten Datenträger ein.\rKardomel wartet "
                                "auf die Teildatei " + partPath + ".",
                                TMsgKind::Information, mbOK | mbCancel) == mrCancel) {
        cancelled_ = true;
        return;
      }
    }
    // A part on the next disk gets the same test as those present at the start.
    if (!env_.IsRegularFile(partPath)) {
      WarnNoFile(partPath);
      refused_ = true;
      return;
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

std::vector<std::string> TJoinRun::MembersPresent() const {
  std::vector<std::string> members;
  for (int64_t p = 1; p <= in_.PartCount; ++p) {
    // A part on another disk is not there to delete.
    if (env_.EntryExists(PartPathOf(p))) members.push_back(PartPathOf(p));
  }
  const std::string selected = AddBackslash(in_.SourceFolder) + in_.SelectedName;
  for (const char* ext : {".KDM", ".BAT"}) {
    std::string member = FindMember(env_, selected, ext);
    if (env_.EntryExists(member)) members.push_back(member);
  }
  return members;
}

std::vector<std::string> TJoinRun::DeleteSet() const {
  std::vector<std::string> stay;
  for (const std::string& member : MembersPresent()) {
    // One that stays (a read-only medium) must not be reported as deleted.
    if (!env_.DeleteEntry(member)) stay.push_back(member);
  }
  return stay;
}

TJoinResult TJoinRun::Run() {
  TJoinResult result;
  auto refuse = [&](TField focus) {
    result.Outcome = TOutcome::Refused;
    result.Focus = focus;
    return result;
  };
  if (in_.Extension.empty() && !in_.DescriptorSize) {
    ui_.ShowMessageDialog("Dateiendung fehlt.",
                          "Damit Kardomel die Datei zusammensetzen kann, muss die Dateiendung für "
                          "die Zieldatei angegeben werden. Diese können Sie im rechten oberen "
                          "Programmbereich eingeben.",
                          TMsgKind::Information, mbOK);
    return refuse(TField::Extension);
  }
  // The extension comes from a file that may have travelled in an archive
  // from anywhere: it is data, and must never lead out of the folder or
  // onto another name.
  const std::string name = DestName();
  if (!IsPlainExtension(in_.Extension) || name.empty() || name == "." || name == "..") {
    ui_.ShowMessageDialog("Ungültige Dateiendung.",
                          "Die Dateiendung \"" + Visible(in_.Extension) +
                              "\" kann nicht Teil eines Dateinamens sein: sie enthält einen "
                              "Schrägstrich oder ein Steuerzeichen oder besteht nur aus "
                              "Punkten.\rEs wurde nichts zusammengesetzt und nichts gelöscht.",
                          TMsgKind::Warning, mbOK);
    return refuse(TField::Extension);
  }
  const std::string folder = in_.SameDir ? in_.SourceFolder : in_.DestFolder;
  std::string dest = AddBackslash(folder) + name;
  if (IsMemberOfSet(dest)) {
    WarnMember(dest);
    return refuse(TField::Extension);
  }
  if (std::string part = PartThatIsNoFile(); !part.empty()) {
    WarnNoFile(part);
    return refuse(TField::None);
  }

  TBusyScope busy(ui_);
  bool replace = false;
  if (!MayWriteTo(dest, replace)) {
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
    bool replaceThere = false;
    if (!MayWriteTo(candidate, replaceThere)) return false;
    replace = replaceThere;
    return true;
  };
  // The existing file stays until the new one is complete, so the space it
  // takes does not count as free.
  if (!EnsureJoinSpace(env_, ui_, dest, in_.TotalSize, acceptFolder)) {
    result.Outcome = TOutcome::Cancelled;
    return result;
  }
  result.DestPath = dest;

  std::string tempPath;
  std::unique_ptr<TStream64> out = env_.CreateTempFor(dest, tempPath);
  auto discard = [&] {
    out.reset();
    env_.DeleteEntry(tempPath);
  };
  std::string summary;
  try {
    int64_t copied = 0;
    CopyParts(*out, copied);
    if (cancelled_ || refused_) {
      discard();
      result.Outcome = cancelled_ ? TOutcome::Cancelled : TOutcome::Refused;
      return result;
    }
    const int64_t written = out->Size();
    const int64_t expected = in_.DescriptorSize.value_or(copied);
    if (written != copied || copied != expected)
      throw EKardomel("Die Datei " + dest + " hat " + std::to_string(written) +
                      " Bytes, erwartet wurden " + std::to_string(expected) +
                      " Bytes.\rDie Teildateien wurden nicht gelöscht.");
    // On the medium before it takes the name where a crash could otherwise
    // cost something: the old file it replaces, or the parts deleted next.
    // A new name beside parts that stay costs nothing, and waiting for the
    // medium would double the time of a large join.
    if (replace || in_.DeleteParts) out->Flush();
    TFileId writtenId;
    if (!env_.GetFileId(tempPath, writtenId))
      throw EKardomel("Die Datei " + tempPath + " ist verschwunden, während sie geschrieben wurde.");
    // The stream stays open until the rename, so that no other join takes
    // the temporary file for one left behind.
    try {
      env_.RenameEntry(tempPath, dest, replace);
    } catch (const EFileError& error) {
      if (error.Code() != EEXIST) throw;
      // Another run finished first; the user never agreed to replace its file.
      throw EKardomel("Die Datei " + dest +
                      " ist entstanden, während sie zusammengesetzt wurde, und wurde nicht "
                      "überschrieben.\rDie Teildateien wurden nicht gelöscht.");
    }
    out.reset();

    summary = dest + " wurde zusammengesetzt.";
    if (in_.DeleteParts) {
      TFileId now;
      if (!env_.GetFileId(dest, now) || !(now == writtenId) ||
          env_.EntrySize(dest) != expected) {
        // Another run put its own file there meanwhile: the parts are the
        // only sure copy.
        result.NotDeleted = MembersPresent();
        summary += "\rDie Teildateien wurden nicht gelöscht, weil unter " + dest +
                   " inzwischen eine andere Datei liegt.";
      } else {
        result.NotDeleted = DeleteSet();
        if (result.NotDeleted.empty()) {
          summary += "\rDie Teildateien wurden gelöscht.";
        } else {
          summary += "\rDiese Dateien des Teilesatzes konnten nicht gelöscht werden:";
          for (const std::string& member : result.NotDeleted) summary += "\r" + member;
        }
      }
    }
  } catch (const ECancelled&) {
    // Stopped by the user during the copy: the temporary file goes, every
    // part stays, and nothing reached the final name.
    discard();
    result.Outcome = TOutcome::Cancelled;
    return result;
  } catch (...) {
    if (out) discard();
    throw;
  }
  ui_.ShowMessageDialog("Teildateien zusammengesetzt.", summary,
                        result.NotDeleted.empty() ? TMsgKind::Information : TMsgKind::Warning,
                        mbOK);
  return result;
}

}  // namespace

TJoinResult RunJoin(const TJoinInput& input, TEnv& env, TInteraction& ui) {
  return TJoinRun(input, env, ui).Run();
}

}  // namespace kardomel
