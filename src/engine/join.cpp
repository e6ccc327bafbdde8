#include "engine/join.h"

#include <cerrno>
#include <memory>

#include "engine/checksum_copy.h"
#include "engine/media.h"
#include "engine/set_check.h"
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
    return ChangeFileExt(in_.SelectedName, extension_.empty() ? "" : "." + extension_);
  }
  // Reads what the files beside the parts say about the set: the count, the
  // size, the extension a .crc gives, the checksums.
  void LoadShape();
  void Warn(const TSetFault& fault) const {
    ui_.ShowMessageDialog(fault.Instruction, fault.Content, TMsgKind::Warning, mbOK);
  }
  // Copies part P into Dest, checking it against the checksum file on the
  // way. Returns the bytes copied.
  int64_t CopyPart(TStream64& dest, TStream64& part, int64_t p, const std::string& partPath);
  // The whole file against the checksum files; nullopt when it fits.
  std::optional<TSetFault> CheckWhole(const std::string& dest, int64_t size);
  // Whether the set visibly ends with its last part: one shorter than the
  // others cannot be followed by more.
  bool LastPartEndsTheSet() const;
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
  std::string extension_;
  int64_t count_ = 0;
  TSetChecksums sums_;
  TSetShape shape_;
  std::optional<TSetFault> shapeFault_;
  std::optional<TPartSizeCheck> sizeCheck_;
  std::optional<TSetFault> fault_;
  TSha256 wholeSha_;
  TCrc32 wholeCrc_;
  int64_t lastPartSize_ = -1;
  bool everyPartListed_ = false;
  TFileId writtenId_;  // the file this join wrote, once it is complete
};

void TJoinRun::LoadShape() {
  sums_ = ReadSetChecksums(env_, in_.SourceFolder, in_.SelectedName);
  TDescriptorFacts facts;
  facts.Count = in_.PartCount;
  facts.Size = in_.DescriptorSize;
  shapeFault_ = ShapeOfSet(env_, in_.SourceFolder, in_.SelectedName, facts, sums_, shape_);
  count_ = shapeFault_ ? in_.PartCount : shape_.Count;
  extension_ = in_.Extension;
  // A set of another tool names the file in its .crc, extension and all.
  if (extension_.empty() && !in_.DescriptorSize && shape_.NamedExtension)
    extension_ = *shape_.NamedExtension;
  sizeCheck_.emplace(shape_, in_.SelectedName);
  // Every part proven by its own checksum proves the whole: the whole-file
  // checksums would only cost the time of reading it once more.
  everyPartListed_ = count_ > 0 && sums_.PartHex.size() >= static_cast<size_t>(count_);
  for (int64_t p = 1; everyPartListed_ && p <= count_; ++p)
    everyPartListed_ = !sums_.PartHex[static_cast<size_t>(p - 1)].empty();
}

int64_t TJoinRun::CopyPart(TStream64& dest, TStream64& part, int64_t p,
                           const std::string& partPath) {
  const size_t index = static_cast<size_t>(p - 1);
  const std::string listed = index < sums_.PartHex.size() ? sums_.PartHex[index] : "";
  const bool whole = !everyPartListed_ && (!sums_.WholeHex.empty() || sums_.Crc.has_value());
  // Without a checksum to compute the kernel copies the part on its own.
  if (listed.empty() && !whole) return dest.CopyFrom(part, 0, &progressObserver_);
  TSha256 partSha;
  std::vector<TDigest*> digests;
  if (!listed.empty()) digests.push_back(&partSha);
  if (whole && !sums_.WholeHex.empty()) digests.push_back(&wholeSha_);
  if (whole && sums_.Crc) digests.push_back(&wholeCrc_);
  part.SetPosition(0);
  const int64_t copied = CopyDigesting(dest, part, part.Size(), digests, &progressObserver_);
  if (!listed.empty() && partSha.HexDigest() != listed)
    fault_ = DamagedPart(ExtractFileName(partPath),
                         "Ihre SHA-256-Prüfsumme stimmt nicht mit " + sums_.Sha256Name +
                             " überein.");
  return copied;
}

std::optional<TSetFault> TJoinRun::CheckWhole(const std::string& dest, int64_t size) {
  if (everyPartListed_) return std::nullopt;
  const std::string name = ExtractFileName(dest);
  auto damaged = [&](const std::string& file) {
    return TSetFault{"Datei " + name + " ist beschädigt.",
                     "Die zusammengesetzte Datei stimmt nicht mit " + file +
                         " überein; welche Teildatei beschädigt ist, lässt sich daraus nicht "
                         "sagen.\r" + kNothingJoined};
  };
  if (!sums_.WholeHex.empty() && wholeSha_.HexDigest() != sums_.WholeHex)
    return damaged(sums_.Sha256Name);
  if (sums_.Crc && (wholeCrc_.Value() != sums_.Crc->Crc || size != sums_.Crc->Size))
    return damaged(sums_.CrcName);
  return std::nullopt;
}

bool TJoinRun::LastPartEndsTheSet() const {
  return count_ == 1 ? false : lastPartSize_ >= 0 && lastPartSize_ < sizeCheck_->PartSize();
}

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
    // The shell script and the checksum files are not guarded here: a file
    // named like them (install.sh) is rebuilt under its name, after the
    // overwrite question when that name is taken, and never deleted as a
    // member (MembersPresent).
    for (int64_t p = 1; p <= count_ && p <= 9999; ++p) {
      if (ext == "." + FormatPartNumber(static_cast<int32_t>(p))) return true;
    }
  }
  // The same file under another name (a link to a part).
  TFileId id;
  if (!env_.GetFileId(path, id)) return false;
  for (int64_t p = 1; p <= count_ && p <= 999; ++p) {
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
  for (int64_t p = 1; p <= count_; ++p) {
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
  progress_.PartCount = static_cast<int32_t>(count_);
  progress_.TotalSize = shape_.Size.value_or(in_.TotalSize);
  for (int64_t p = 1; p <= count_; ++p) {
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
    // A part from the next disk gets the size check of those present at the start.
    fault_ = sizeCheck_->CheckPart(p, partSize);
    if (fault_) return;
    progressObserver_.BeginPart(static_cast<int32_t>(p), partSize);
    const int64_t copied = CopyPart(dest, *part, p, partPath);
    if (fault_) return;
    lastPartSize_ = partSize;
    if (copied != partSize)
      throw EKardomel("Die Teildatei " + partPath + " wurde nicht vollständig übernommen (" +
                      std::to_string(copied) + " von " + std::to_string(partSize) +
                      " Bytes).\rDie Teildateien wurden nicht gelöscht.");
    copiedTotal += copied;
  }
}

std::vector<std::string> TJoinRun::MembersPresent() const {
  std::vector<std::string> members;
  for (int64_t p = 1; p <= count_; ++p) {
    // A part on another disk is not there to delete.
    if (env_.EntryExists(PartPathOf(p))) members.push_back(PartPathOf(p));
  }
  const std::string selected = AddBackslash(in_.SourceFolder) + in_.SelectedName;
  for (const char* ext : {".KDM", ".BAT", ".sh", ".sha256", ".crc"}) {
    std::string member = FindMember(env_, selected, ext);
    // The rebuilt file may carry a member's name (install.sh of a set
    // without shell script); it is never part of what is deleted.
    TFileId id;
    if (env_.GetFileId(member, id) && id == writtenId_) continue;
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
  LoadShape();
  if (extension_.empty() && !in_.DescriptorSize && !shape_.NamedExtension) {
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
  if (!IsPlainExtension(extension_) || name.empty() || name == "." || name == "..") {
    ui_.ShowMessageDialog("Ungültige Dateiendung.",
                          "Die Dateiendung \"" + Visible(extension_) +
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
  if (!shapeFault_) shapeFault_ = sizeCheck_->CheckPresent(env_, in_.SourceFolder);
  if (shapeFault_) {
    Warn(*shapeFault_);
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
  // The size field holds the descriptor's size; only a .crc knows better.
  const int64_t required = in_.DescriptorSize ? in_.TotalSize : shape_.Size.value_or(in_.TotalSize);
  if (!EnsureJoinSpace(env_, ui_, dest, required, acceptFolder)) {
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
    if (!fault_ && !cancelled_ && !refused_) fault_ = CheckWhole(dest, copied);
    if (cancelled_ || refused_ || fault_) {
      discard();
      busy.Leave();
      if (fault_) Warn(*fault_);
      result.Outcome = cancelled_ ? TOutcome::Cancelled : TOutcome::Refused;
      return result;
    }
    const int64_t written = out->Size();
    const int64_t expected = shape_.Size.value_or(copied);
    if (written != copied || copied != expected)
      throw EKardomel("Die Datei " + dest + " hat " + std::to_string(written) +
                      " Bytes, erwartet wurden " + std::to_string(expected) +
                      " Bytes.\rDie Teildateien wurden nicht gelöscht.");
    // On the medium before it takes the name where a crash could otherwise
    // cost something: the old file it replaces, or the parts deleted next.
    // A new name beside parts that stay costs nothing, and waiting for the
    // medium would double the time of a large join.
    if (replace || in_.DeleteParts) out->Flush();
    TFileId& writtenId = writtenId_;
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
    // Counted parts may go on where the count stopped (on another disk):
    // they are deleted only when the last one shows the set's end.
    const bool mayDelete = shape_.CountChecked || LastPartEndsTheSet();
    if (!shape_.CountChecked) {
      std::string why = "Zu " + in_.SelectedName +
                        " gibt es weder eine KDM-Datei noch eine Prüfsummendatei; die Teile "
                        "wurden gezählt, bis eine Nummer fehlte (" + std::to_string(count_) +
                        (count_ == 1 ? " Teil)." : " Teile).");
      if (in_.DeleteParts && !mayDelete)
        why += "\rDer letzte Teil ist so groß wie die anderen, es könnten weitere folgen: die "
               "Teildateien wurden nicht gelöscht.";
      ui_.ShowMessageDialog("Anzahl der Teile nicht geprüft.", why, TMsgKind::Warning, mbOK);
    }
    if (in_.DeleteParts && !mayDelete) {
      result.NotDeleted = MembersPresent();
      summary += "\rDie Teildateien wurden nicht gelöscht.";
    } else if (in_.DeleteParts) {
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
