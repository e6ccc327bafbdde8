#include "app/cli/cli_commands.h"

#include <unistd.h>

#include <algorithm>
#include <climits>
#include <optional>

#include "app/cli/cli_delivery.h"
#include "app/cli/console_interaction.h"
#include "app/cli/cli_zip.h"
#include "engine/join.h"
#include "engine/join_prepare.h"
#include "engine/part_size.h"
#include "engine/selection.h"
#include "engine/set_verify.h"
#include "engine/split.h"
#include "engine/split_sizing.h"
#include "support/globals.h"
#include "support/paths.h"
#include "support/maker.h"

namespace kardomel {

std::string CliUsage() {
  return "Aufruf:\n"
         "  kardomel-cli split [--size GRÖSSE] [--count N] [--dest ORDNER] [--no-kdm] [--no-bat]\n"
         "                     [--checksums] [--sh]\n"
         "                     [--yes] DATEI\n"
         "  kardomel-cli join  [--ext ENDUNG] [--dest ORDNER] [--delete] [--yes] DATEI\n" +
         ZipUsage() + DeliveryUsage() +
         "\n"
         "split teilt DATEI in Teildateien DATEI.001, DATEI.002 ...\n"
         "  --size GRÖSSE  Teilgröße: Bytes (1456128), Vorgabe (\"E-Mail 5MB\") oder Zahl mit\n"
         "                 MB/GB (700MB, 4GB); ohne --size und --count: 3.5\" HD 1,44MB\n"
         "  --count N      Anzahl der Teile; die Größe wird daraus berechnet\n"
         "  --dest ORDNER  Teile in diesen Ordner statt neben die Quelldatei\n"
         "  --no-kdm       keine KDM-Datei erzeugen\n"
         "  --no-bat       keine Batch-Datei erzeugen\n"
         "  --checksums    Prüfsummen erzeugen: DATEI.sha256 (für sha256sum -c) und DATEI.crc\n"
         "  --sh           Shell-Skript DATEI.sh erzeugen, das die Teile unter Linux und\n"
         "                 macOS zusammensetzt\n"
         "kardomel-cli verify DATEI prüft einen Teilesatz (DATEI ist ein Teil oder die\n"
         "  KDM-Datei), ohne ihn zusammenzusetzen, und nennt den Zustand jedes Teils;\n"
         "  Exit-Code 0 nur, wenn alle Teile da sind und Prüfsummen das zeigen.\n"
         "join setzt die Teile wieder zusammen; DATEI ist ein Teil oder die KDM-Datei.\n"
         "  --ext ENDUNG   Dateiendung der Zieldatei, wenn keine KDM-Datei gelesen wird\n"
         "  --dest ORDNER  Zieldatei in diesen Ordner statt neben die Teile\n"
         "  --delete       Teildateien nach dem Kitten löschen\n"
         "  --yes          eine vorhandene Zieldatei ohne Rückfrage überschreiben\n" +
         ZipHelp() +
         DeliveryHelp() +
         "\n"
         "Exit-Codes: 0 fertig, 1 Fehler (auch: Teildateien nicht gelöscht), 2 Aufruf,\n"
         "            3 Eingabe abgelehnt, 4 abgebrochen\n";
}

int ExitCodeOf(TOutcome outcome) {
  switch (outcome) {
    case TOutcome::Done: return kExitDone;
    case TOutcome::Refused: return kExitRefused;
    case TOutcome::Cancelled: return kExitCancelled;
  }
  return kExitError;
}

namespace {

struct TCliArgs {
  std::string Command;
  std::string File;
  std::vector<std::string> Files;  // split: every FILE (several are zipped first)
  TCliZipArgs Zip;
  std::optional<std::string> Size;
  std::optional<std::string> Count;
  std::optional<std::string> Dest;
  std::optional<std::string> Ext;
  bool NoKdm = false;
  bool NoBat = false;
  bool Checksums = false;
  bool ShellScript = false;
  bool Delete = false;
  bool Yes = false;
};

class TUsageError {
 public:
  explicit TUsageError(std::string message) : Message(std::move(message)) {}
  std::string Message;
};

TCliArgs ParseArgs(const std::vector<std::string>& args) {
  TCliArgs parsed;
  if (args.empty()) throw TUsageError("Befehl fehlt.");
  parsed.Command = args[0];
  if (parsed.Command != "split" && parsed.Command != "join" && parsed.Command != "verify")
    throw TUsageError("Unbekannter Befehl: " + parsed.Command);
  const bool split = parsed.Command == "split";
  const bool join = parsed.Command == "join";
  for (size_t i = 1; i < args.size(); ++i) {
    const std::string& arg = args[i];
    auto value = [&]() -> std::string {
      if (i + 1 >= args.size()) throw TUsageError("Wert fehlt für " + arg);
      return args[++i];
    };
    if (split && arg == "--size") parsed.Size = value();
    else if (split && arg == "--count") parsed.Count = value();
    else if (split && arg == "--no-kdm") parsed.NoKdm = true;
    else if (split && arg == "--no-bat") parsed.NoBat = true;
    else if (split && arg == "--checksums") parsed.Checksums = true;
    else if (split && arg == "--sh") parsed.ShellScript = true;
    else if (join && arg == "--ext") parsed.Ext = value();
    else if (join && arg == "--delete") parsed.Delete = true;
    else if ((split || join) && arg == "--dest") parsed.Dest = value();
    else if ((split || join) && arg == "--yes") parsed.Yes = true;
    else if (split && TakeZipOption(arg, value, parsed.Zip)) continue;
    else if (arg == "--") {
      if ((!split && i + 2 != args.size()) || !parsed.File.empty())
        throw TUsageError("Genau eine DATEI angeben.");
      parsed.Files.insert(parsed.Files.end(), args.begin() + static_cast<long>(i) + 1, args.end());
      if (!parsed.Files.empty()) parsed.File = parsed.Files[0];
      break;
    } else if (arg.size() > 1 && arg[0] == '-') throw TUsageError("Unbekannte Option: " + arg);
    else if (!split && !parsed.File.empty()) throw TUsageError("Genau eine DATEI angeben.");
    else {
      if (parsed.File.empty()) parsed.File = arg;
      parsed.Files.push_back(arg);
    }
  }
  if (parsed.File.empty()) throw TUsageError("DATEI fehlt.");
  if (parsed.Size && parsed.Count)
    throw TUsageError("--size und --count schließen sich aus.");
  return parsed;
}

void CheckDestFolder(TEnv& env, const TCliArgs& args) {
  if (args.Dest && !env.IsFolder(*args.Dest) && !env.IsFolder(*args.Dest + "/."))
    throw TUsageError("Zielordner nicht gefunden: " + *args.Dest);
}

int RunSplitCommand(const TCliArgs& args, TEnv& env, TConsoleInteraction& ui,
                    const TCliStreams& streams) {
  TSplitInput input;
  input.SourcePath = AbsolutePath(args.File);
  const bool zip = ZipRequested(args.Files, args.Zip, env);
  if (!zip && (!env.EntryExists(input.SourcePath) || env.IsFolder(input.SourcePath)))
    throw TUsageError("Datei nicht gefunden: " + args.File);
  CheckDestFolder(env, args);
  // As the window's fields do: a count leads and the size follows it,
  // otherwise the size (a preset by default) leads and the count follows.
  TSizeTexts texts;
  if (args.Count) {
    // A count beyond 32 bits would wrap around in the count field; on a
    // command line it is a typing error.
    const int64_t count = StrToInt64Def(*args.Count, 0);
    if (count > INT32_MAX || count < INT32_MIN) throw TUsageError("Ungültige Anzahl: " + *args.Count);
    texts.Count = *args.Count;
  } else {
    // The command line also takes "700MB" and "4GB"; the field's rule then
    // sees the bytes.
    texts.Size = std::to_string(
        ParseSizeArgument(args.Size.value_or(kSizePresets[0].Label)).value_or(0));
  }
  input.SameDir = !args.Dest;
  if (args.Dest) input.DestFolder = AbsolutePath(*args.Dest);
  input.WriteDescriptor = !args.NoKdm;
  input.WriteBatch = !args.NoBat;
  input.WriteChecksums = args.Checksums;
  input.WriteShellScript = args.ShellScript;
  input.WebAddress = kMakerWebAddress;
  const TSizeLead lead = args.Count ? TSizeLead::Count : TSizeLead::Size;
  if (zip)
    return RunZipSplitCommand(args.Files, args.Zip, args.Yes, input, texts, lead, env, ui, streams);
  const TPartSizing sizing = SplitSizing(env.EntrySize(input.SourcePath), texts, lead, ui);
  if (sizing.CountRefused) return kExitRefused;
  input.PartSize = sizing.PartSize;
  input.PartCount = sizing.PartCount;
  return ExitCodeOf(RunSplit(input, env, ui).Outcome);
}

int RunJoinCommand(const TCliArgs& args, TEnv& env, TConsoleInteraction& ui) {
  const std::string path = AbsolutePath(args.File);
  if (ClassifySelection(ExtractFileName(path), env.IsFolder(path)) != TSelectionMode::Join)
    throw TUsageError("Keine Teildatei und keine KDM-Datei: " + args.File);
  CheckDestFolder(env, args);
  TJoinInput input = PrepareJoin(env, ui, path, args.Ext.value_or(""));
  input.SameDir = !args.Dest;
  if (args.Dest) input.DestFolder = AbsolutePath(*args.Dest);
  input.DeleteParts = args.Delete;
  const TJoinResult result = RunJoin(input, env, ui);
  // A script that asked for --delete must learn that parts are left.
  if (result.Outcome == TOutcome::Done && !result.NotDeleted.empty()) return kExitError;
  return ExitCodeOf(result.Outcome);
}

const char* StateText(TPartState state) {
  switch (state) {
    case TPartState::Verified: return "in Ordnung";
    case TPartState::SizeFits: return "vorhanden, Größe passt (keine Prüfsumme)";
    case TPartState::Missing: return "fehlt";
    case TPartState::Damaged: return "beschädigt";
  }
  return "";
}

int RunVerifyCommand(const TCliArgs& args, TEnv& env, FILE* out, FILE* err) {
  const std::string path = AbsolutePath(args.File);
  if (ClassifySelection(ExtractFileName(path), env.IsFolder(path)) != TSelectionMode::Join)
    throw TUsageError("Keine Teildatei und keine KDM-Datei: " + args.File);
  const TSetReport report = VerifySet(env, path);
  for (const TPartReport& part : report.Parts) {
    std::fprintf(out, "%s: %s", part.Name.c_str(), StateText(part.State));
    if (!part.Why.empty()) std::fprintf(out, " (%s)", ConsoleText(part.Why).c_str());
    std::fputc('\n', out);
  }
  if (!report.WholeName.empty() && report.Whole != TWholeState::NotChecked) {
    std::fprintf(out, "%s (ganze Datei): %s", report.WholeName.c_str(),
                 report.Whole == TWholeState::Verified ? "in Ordnung" : "beschädigt");
    if (!report.WholeWhy.empty()) std::fprintf(out, " (%s)", report.WholeWhy.c_str());
    std::fputc('\n', out);
  }
  if (report.Fault)
    std::fprintf(err, "%s\n%s\n", ConsoleText(report.Fault->Instruction).c_str(),
                 ConsoleText(report.Fault->Content).c_str());
  if (!report.CountChecked && !report.Fault)
    std::fprintf(err, "Anzahl der Teile nicht geprüft: es gibt weder eine KDM-Datei noch eine "
                      "Prüfsummendatei.\n");
  if (report.Proven && !report.Fault) {
    std::fprintf(out, "Alle %zu Teile sind vorhanden und in Ordnung.\n", report.Parts.size());
    return kExitDone;
  }
  if (!report.Fault && report.Whole == TWholeState::NotChecked &&
      std::all_of(report.Parts.begin(), report.Parts.end(),
                  [](const TPartReport& part) { return part.State == TPartState::SizeFits; }))
    std::fprintf(err, "Ohne Prüfsummendatei lässt sich der Inhalt der Teile nicht prüfen.\n");
  return kExitError;
}

}  // namespace

int RunCli(const std::vector<std::string>& args, TEnv& env, const TCliStreams& streams) {
  if (!args.empty() && (args[0] == "help" || args[0] == "--help" || args[0] == "-h")) {
    std::fputs(CliUsage().c_str(), streams.Out);
    return kExitDone;
  }
  if (IsDeliveryCommand(args)) return RunDeliveryCli(args, env, streams);
  TCliArgs parsed;
  try {
    parsed = ParseArgs(args);
  } catch (const TUsageError& error) {
    std::fprintf(streams.Err, "kardomel-cli: %s\n\n%s", error.Message.c_str(), CliUsage().c_str());
    return kExitUsage;
  }
  TConsoleOptions options;
  options.Interactive = streams.Interactive;
  options.ShowProgress = streams.ShowProgress;
  options.OverwriteYes = parsed.Yes;
  options.Interrupted = streams.Interrupted;
  TConsoleInteraction ui(env, options, streams.In, streams.Out, streams.Err);
  try {
    if (parsed.Command == "verify") return RunVerifyCommand(parsed, env, streams.Out, streams.Err);
    const int code = parsed.Command == "split" ? RunSplitCommand(parsed, env, ui, streams)
                                               : RunJoinCommand(parsed, env, ui);
    if (code == kExitCancelled && ui.CancelRequested())
      std::fputs("Abgebrochen: die unvollständige Datei wurde entfernt.\n", streams.Err);
    return code;
  } catch (const TUsageError& error) {
    std::fprintf(streams.Err, "kardomel-cli: %s\n", error.Message.c_str());
    return kExitUsage;
  } catch (const std::exception& error) {
    ui.ShowError(error.what());
    return kExitError;
  }
}

}  // namespace kardomel
