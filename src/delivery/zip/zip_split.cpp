#include "delivery/zip/zip_split.h"

#include <utility>

#include "delivery/archive/archive_name.h"
#include "delivery/archive/archive_password.h"
#include "delivery/archive/zip_entries.h"
#include "support/globals.h"

namespace kardomel {
namespace {

// Forwards every question; the split's closing message also says that the
// archive split was the user's own, updated and kept.
class TKeptArchiveInteraction : public TInteractionWrapper {
 public:
  TKeptArchiveInteraction(TInteraction& target, std::string note)
      : TInteractionWrapper(target), note_(std::move(note)) {}

  int ShowMessageDialog(const std::string& instruction, const std::string& content, TMsgKind kind,
                        unsigned buttons) override {
    if (!note_.empty() && instruction == "Datei wurde geteilt." && kind == TMsgKind::Information)
      return Target().ShowMessageDialog(instruction, content + "\r" + note_, kind, buttons);
    return Target().ShowMessageDialog(instruction, content, kind, buttons);
  }

 private:
  std::string note_;
};

// The writer's calls as the window's gauge and questions: percent packed as
// position of a gauge of 100, with the bytes it stands for.
class TPackingEvents : public TArchiveEvents {
 public:
  TPackingEvents(TInteraction& ui, int64_t totalBytes, bool replaceWithoutAsking)
      : ui_(ui), total_(totalBytes), replaceWithoutAsking_(replaceWithoutAsking) {}

  void Progress(int percent) override {
    TProgress progress;
    progress.Part = percent;
    progress.PartCount = 100;
    progress.TotalSize = total_;
    progress.TotalDone = total_ / 100 * percent + total_ % 100 * percent / 100;
    ui_.Progress(progress);
  }
  // Escape or Ctrl+C while packing stops it as it stops a copy.
  bool CancelRequested() override { return ui_.CancelRequested(); }
  bool ConfirmReplace(const std::string& path) override {
    if (replaceWithoutAsking_) return true;
    return ui_.ShowMessageDialog("Datei ersetzen?",
                                 "Die Datei " + path +
                                     " ist bereits vorhanden.\rSoll sie durch das neue "
                                     "selbstentpackende Archiv ersetzt werden?",
                                 TMsgKind::Confirmation, mbYes | mbNo) == mrYes;
  }

 private:
  TInteraction& ui_;
  int64_t total_;
  bool replaceWithoutAsking_;
};

// Deletes the archive at every end, when this step made it.
class TOwnedArchive {
 public:
  TOwnedArchive(TEnv& env, std::string path, bool owned)
      : env_(env), path_(std::move(path)), owned_(owned) {}
  ~TOwnedArchive() { Delete(); }
  TOwnedArchive(const TOwnedArchive&) = delete;
  TOwnedArchive& operator=(const TOwnedArchive&) = delete;
  bool Delete() {
    if (!owned_) return false;
    owned_ = false;
    return env_.DeleteEntry(path_);
  }

 private:
  TEnv& env_;
  std::string path_;
  bool owned_;
};

TZipSplitResult Refuse(TInteraction& ui, const std::string& instruction,
                       const std::string& content) {
  ui.ShowMessageDialog(instruction, content, TMsgKind::Warning, mbOK);
  TZipSplitResult result;
  result.Outcome = TOutcome::Refused;
  return result;
}

TZipSplitResult Cancelled() {
  TZipSplitResult result;
  result.Outcome = TOutcome::Cancelled;
  return result;
}

// True when the archive would be one of the items or lie inside one.
bool IsInSelection(const std::string& archive, const std::vector<std::string>& items) {
  for (const std::string& item : items) {
    if (item == archive) return true;
    const std::string folder = AddBackslash(item);
    if (archive.compare(0, folder.size(), folder) == 0) return true;
  }
  return false;
}

bool IsBlank(const std::string& text) {
  return text.find_first_not_of(' ') == std::string::npos;
}

}  // namespace

std::string ProposedArchiveName(const std::string& firstItemName, bool sfx) {
  return ChangeFileExt("_" + firstItemName, sfx ? ".exe" : ".zip");
}

bool AskArchiveName(TInteraction& ui, std::string& name) {
  return ui.ShowInputQuery(
      "ZIP-Archiv Name eingeben.",
      "Die Dateien werden vor dem Teilen gezippt. Geben Sie den Namen des ZIP-Archivs ein.", name);
}

bool AskArchivePassword(TInteraction& ui, std::string& password) {
  password.clear();
  return ui.ShowInputQuery(
      "ZIP-Archiv Passwort eingeben.",
      "Das Archiv wird mit einem Passwort geschützt. Geben Sie das Passwort des ZIP-Archivs ein.",
      password);
}

bool PasswordToBeAsked(const TZipOptions& zip) {
  return zip.Encrypt && IsBlank(zip.Password);
}

TZipSplitResult RunZipSplit(const TZipSplitInput& input, TEnv& env, TInteraction& ui,
                            TArchiveWriter& writer, const TArchiveCutter& cut) {
  const bool sfx = input.Zip.Sfx;
  const std::string name = CleanFileName(input.ArchiveName, sfx ? ".exe" : ".zip");
  TArchiveInput archive;
  archive.ArchivePath = ArchiveTargetPath(AddBackslash(input.SourceFolder) + name, sfx);
  archive.Items = input.Items;
  archive.Level = input.Zip.HighCompression ? 9 : 4;
  archive.StorePaths = input.Zip.StorePaths;
  archive.SelfExtracting = sfx;
  archive.StubPath = input.StubPath;
  if (input.Zip.Encrypt && !input.Zip.Password.empty()) {
    // Changed to fit the code page, the password would not open the archive.
    const std::optional<std::string> bytes = ArchivePasswordBytes(input.Zip.Password);
    if (!bytes)
      return Refuse(ui, "Ungültiges Passwort.",
                    "Das Passwort enthält Zeichen, die ein ZIP-Archiv nicht speichern kann.\r"
                    "Erlaubt sind die Zeichen des Zeichensatzes Windows-1252 (Buchstaben mit "
                    "Umlauten und Akzenten eingeschlossen).");
    archive.Password = *bytes;
  }
  if (IsInSelection(archive.ArchivePath, archive.Items))
    return Refuse(ui, "Ungültiger Archivname.",
                  "Das Archiv " + archive.ArchivePath +
                      " gehört selbst zur Auswahl und kann nicht in sich selbst gepackt "
                      "werden.\rBitte geben Sie einen anderen Namen ein.");

  int64_t totalBytes = 0;
  for (const TZipEntry& entry : CollectZipEntries(archive.Items, archive.StorePaths))
    totalBytes += entry.Size;

  TZipSplitResult result;
  TBusyScope busy(ui);
  TPackingEvents events(ui, totalBytes, input.ReplaceWithoutAsking);
  result.Archive = writer.Write(archive, events);
  if (result.Archive.Outcome == TArchiveOutcome::PasswordMismatch) {
    const int answer = ui.ShowMessageDialog(
        "Anderes Passwort.",
        "Das vorhandene Archiv " + archive.ArchivePath +
            " wurde ohne dieses Passwort oder mit einem anderen geschrieben. Ein Archiv muss sich "
            "mit einem Passwort öffnen lassen, deshalb wird es nicht ergänzt.\rSoll es durch ein "
            "neues Archiv ersetzt werden?",
        TMsgKind::Warning, mbYes | mbNo);
    if (answer != mrYes) return Cancelled();
    archive.ReplaceExisting = true;
    result.Archive = writer.Write(archive, events);
  }
  switch (result.Archive.Outcome) {
    case TArchiveOutcome::Created:
    case TArchiveOutcome::Replaced:
    case TArchiveOutcome::Updated:
      break;
    case TArchiveOutcome::Empty: {
      busy.Leave();
      TZipSplitResult empty = Refuse(ui, "Keine Dateien.",
                                     "Die Auswahl enthält keine Datei, die gepackt werden kann.");
      empty.Archive = result.Archive;
      return empty;
    }
    default: {
      TZipSplitResult cancelled = Cancelled();
      cancelled.Archive = result.Archive;
      return cancelled;
    }
  }

  TOwnedArchive owned(env, result.Archive.ArchivePath, result.Archive.MadeByThisStep());
  result.Texts = input.Texts;
  const TPartSizing sizing = SplitSizing(result.Archive.Size, result.Texts, input.Lead, ui);
  if (sizing.CountRefused) {
    result.Outcome = TOutcome::Refused;
    result.Focus = TField::Count;
    result.ArchiveDeleted = owned.Delete();
    return result;
  }
  TSplitInput split = input.Split;
  split.SourcePath = result.Archive.ArchivePath;
  split.PartSize = sizing.PartSize;
  split.PartCount = sizing.PartCount;
  const std::string note =
      result.Archive.Outcome == TArchiveOutcome::Updated
          ? "Das vorhandene Archiv wurde aktualisiert und bleibt erhalten."
          : std::string();
  TKeptArchiveInteraction splitUi(ui, note);
  result.Split = cut ? cut(split, env, splitUi) : RunSplit(split, env, splitUi);
  result.Outcome = result.Split.Outcome;
  result.Focus = result.Split.Focus;
  result.ArchiveDeleted = owned.Delete();
  return result;
}

}  // namespace kardomel
