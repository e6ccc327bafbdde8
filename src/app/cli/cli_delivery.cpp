#include "app/cli/cli_delivery.h"

#include <limits.h>
#include <unistd.h>

#include <optional>

#include "app/cli/console_interaction.h"
#include "delivery/desktop/shell_integration.h"
#include "delivery/launcher.h"
#include "delivery/mail/send.h"
#include "engine/part_size.h"
#include "support/globals.h"
#include "support/maker.h"
#include "support/paths.h"

namespace kardomel {

std::string DeliveryUsage() {
  return "  kardomel-cli send  [--size GRÖSSE] [--count N] [--no-kdm] [--no-bat]\n"
         "                     [--checksums] [--sh] DATEI\n"
         "  kardomel-cli integrate on|off [--program PROGRAMM]\n";
}

std::string DeliveryHelp() {
  return "send teilt DATEI in einen eigenen Ordner im temporären Verzeichnis und übergibt\n"
         "  jede Teildatei in einer eigenen Nachricht an das E-Mail-Programm (xdg-email),\n"
         "  die letzte mit Batch- und KDM-Datei (und Prüfsummen und Shell-Skript, wenn\n"
         "  erzeugt); Optionen wie bei split.\n"
         "integrate on|off richtet die Verknüpfung für den Benutzer ein oder entfernt sie:\n"
         "  KDM-Dateien öffnen mit Kardomel, \"Senden an\" in den Dateimanagern.\n"
         "  --program PROGRAMM  das einzutragende Programm (Vorgabe: kardomel neben\n"
         "                      kardomel-cli)\n";
}

bool IsDeliveryCommand(const std::vector<std::string>& args) {
  return !args.empty() && (args[0] == "send" || args[0] == "integrate");
}

namespace {

struct TUsage {
  std::string Message;
};

struct TSendArgs {
  std::string File;
  std::optional<std::string> Size;
  std::optional<std::string> Count;
  bool NoKdm = false;
  bool NoBat = false;
  bool Checksums = false;
  bool ShellScript = false;
};

TSendArgs ParseSendArgs(const std::vector<std::string>& args) {
  TSendArgs parsed;
  for (size_t i = 1; i < args.size(); ++i) {
    const std::string& arg = args[i];
    auto value = [&]() -> std::string {
      if (i + 1 >= args.size()) throw TUsage{"Wert fehlt für " + arg};
      return args[++i];
    };
    if (arg == "--size") parsed.Size = value();
    else if (arg == "--count") parsed.Count = value();
    else if (arg == "--no-kdm") parsed.NoKdm = true;
    else if (arg == "--no-bat") parsed.NoBat = true;
    else if (arg == "--checksums") parsed.Checksums = true;
    else if (arg == "--sh") parsed.ShellScript = true;
    else if (arg.size() > 1 && arg[0] == '-') throw TUsage{"Unbekannte Option: " + arg};
    else if (!parsed.File.empty()) throw TUsage{"Genau eine DATEI angeben."};
    else parsed.File = arg;
  }
  if (parsed.File.empty()) throw TUsage{"DATEI fehlt."};
  if (parsed.Size && parsed.Count) throw TUsage{"--size und --count schließen sich aus."};
  return parsed;
}

int RunSendCommand(const std::vector<std::string>& args, TEnv& env, const TCliStreams& streams) {
  const TSendArgs parsed = ParseSendArgs(args);
  TConsoleOptions options;
  options.Interactive = streams.Interactive;
  options.ShowProgress = streams.ShowProgress;
  TConsoleInteraction ui(env, options, streams.In, streams.Out, streams.Err);
  TSendInput input;
  input.SourcePath = AbsolutePath(parsed.File);
  if (!env.EntryExists(input.SourcePath) || env.IsFolder(input.SourcePath))
    throw TUsage{"Datei nicht gefunden: " + parsed.File};
  // The size and count fields as the split command fills them.
  const int64_t srcSize = env.EntrySize(input.SourcePath);
  if (parsed.Count) {
    const int64_t count = StrToInt64Def(*parsed.Count, 0);
    if (count > INT32_MAX) throw TUsage{"Ungültige Anzahl: " + *parsed.Count};
    if (count < 1) {
      ui.ShowMessageDialog("Fehlerhafte Eingabe.", "Der Wert muss größer als 0 sein.",
                           TMsgKind::Warning, mbOK);
      return kExitRefused;
    }
    input.PartSize = SizeFromCount(srcSize, count);
    input.PartCount = count;
  } else {
    input.PartSize = ParseSizeArgument(parsed.Size.value_or(kSizePresets[0].Label)).value_or(0);
    input.PartCount = input.PartSize > 0 ? CountFromSize(srcSize, input.PartSize) : 0;
  }
  input.WriteDescriptor = !parsed.NoKdm;
  input.WriteBatch = !parsed.NoBat;
  input.WriteChecksums = parsed.Checksums;
  input.WriteShellScript = parsed.ShellScript;
  input.WebAddress = kMakerWebAddress;
  input.OnMessage = [&streams](const TMailMessage& message, bool handedOver) {
    std::fprintf(streams.Out, "%s: %s\n", handedOver ? "Übergeben" : "Nicht übergeben",
                 message.Subject.c_str());
    for (const std::string& file : message.Attachments)
      std::fprintf(streams.Out, "  %s\n", file.c_str());
  };
  TPosixLauncher launcher;
  try {
    const TSendResult result = RunSend(input, env, ui, launcher);
    if (!result.Folder.empty())
      std::fprintf(streams.Out, "Ordner: %s\n", result.Folder.c_str());
    return ExitCodeOf(result.Outcome);
  } catch (const std::exception& error) {
    ui.ShowError(error.what());
    return kExitError;
  }
}

// The desktop program beside this one: what the file manager should start.
std::string ProgramBesideThis() {
  char self[PATH_MAX];
  const ssize_t length = ::readlink("/proc/self/exe", self, sizeof self - 1);
  if (length <= 0) return "kardomel";
  return ExtractFilePath(std::string(self, static_cast<size_t>(length))) + "kardomel";
}

int RunIntegrateCommand(const std::vector<std::string>& args, const TCliStreams& streams) {
  std::optional<bool> on;
  std::string program;
  for (size_t i = 1; i < args.size(); ++i) {
    if (args[i] == "--program") {
      if (i + 1 >= args.size()) throw TUsage{"Wert fehlt für --program"};
      program = AbsolutePath(args[++i]);
    } else if ((args[i] == "on" || args[i] == "off") && !on) {
      on = args[i] == "on";
    } else {
      throw TUsage{"integrate erwartet on oder off: " + args[i]};
    }
  }
  if (!on) throw TUsage{"integrate erwartet on oder off."};
  if (program.empty()) program = ProgramBesideThis();
  TPosixLauncher launcher;
  if (ApplyShellIntegration(*on, program, launcher)) return kExitDone;
  std::fprintf(streams.Err, "kardomel-cli: Die Verknüpfung konnte nicht vollständig %s werden.\n",
               *on ? "eingerichtet" : "entfernt");
  return kExitError;
}

}  // namespace

int RunDeliveryCli(const std::vector<std::string>& args, TEnv& env, const TCliStreams& streams) {
  try {
    return args[0] == "send" ? RunSendCommand(args, env, streams)
                             : RunIntegrateCommand(args, streams);
  } catch (const TUsage& usage) {
    std::fprintf(streams.Err, "kardomel-cli: %s\n\n%s", usage.Message.c_str(), CliUsage().c_str());
    return kExitUsage;
  }
}

}  // namespace kardomel
