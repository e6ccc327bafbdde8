#include "app/cli/cli_zip.h"

#include <termios.h>
#include <unistd.h>

#include <climits>

#include "delivery/archive/archive_writer.h"
#include "delivery/zip/zip_split.h"
#include "support/globals.h"
#include "support/paths.h"

namespace kardomel {

std::string ZipUsage() {
  return "  kardomel-cli split --zip [--sfx] [--high] [--no-paths] [--archive NAME]\n"
         "                     [--encrypt [--password-file F]] [Optionen von split] DATEI...\n";
}

std::string ZipHelp() {
  return "split --zip packt DATEI... (Dateien und Ordner) vorher in ein ZIP-Archiv im Ordner\n"
         "  der ersten DATEI und teilt das Archiv; mehrere DATEIen oder ein Ordner packen\n"
         "  immer. Ein neu angelegtes Archiv wird danach gelöscht, ein vorhandenes ergänzt\n"
         "  und behalten.\n"
         "  --sfx               selbstentpackendes EXE-Archiv für Windows\n"
         "  --high              hohe Kompression (sonst niedrige)\n"
         "  --no-paths          Einträge ohne Pfade speichern\n"
         "  --archive NAME      Name des Archivs (Vorgabe: _ + Name der ersten DATEI)\n"
         "  --encrypt           Archiv mit Passwort schützen; das Passwort wird am Terminal\n"
         "                      ohne Anzeige abgefragt, nie auf der Befehlszeile übergeben\n"
         "  --password-file F   Passwort aus der ersten Zeile von F (- = Standardeingabe)\n";
}

bool TakeZipOption(const std::string& arg, const std::function<std::string()>& value,
                   TCliZipArgs& zip) {
  if (arg == "--zip") zip.Zip = true;
  else if (arg == "--sfx") zip.Sfx = true;
  else if (arg == "--high") zip.High = true;
  else if (arg == "--no-paths") zip.NoPaths = true;
  else if (arg == "--encrypt") zip.Encrypt = true;
  else if (arg == "--archive") zip.Archive = value();
  else if (arg == "--password-file") zip.PasswordFile = value();
  else return false;
  // Every zip option asks for the archive; a password file for its password.
  zip.Zip = true;
  if (zip.PasswordFile) zip.Encrypt = true;
  return true;
}

bool ZipRequested(const std::vector<std::string>& files, const TCliZipArgs& zip, TEnv& env) {
  return zip.Zip || files.size() > 1 || (files.size() == 1 && env.IsFolder(AbsolutePath(files[0])));
}

namespace {

std::string StripNewline(std::string line) {
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
  return line;
}

// The first line of File; nullopt when it cannot be read.
std::optional<std::string> FirstLine(FILE* file) {
  std::string line;
  int c;
  while ((c = std::fgetc(file)) != EOF && c != '\n') line += static_cast<char>(c);
  if (c == EOF && line.empty() && std::ferror(file)) return std::nullopt;
  return StripNewline(line);
}

// Reads a line from In with the terminal's echo off, where In is one.
std::optional<std::string> ReadHidden(const char* prompt, const TCliStreams& streams) {
  std::fputs(prompt, streams.Err);
  std::fflush(streams.Err);
  const int fd = ::fileno(streams.In);
  termios saved;
  const bool terminal = ::tcgetattr(fd, &saved) == 0;
  if (terminal) {
    termios quiet = saved;
    quiet.c_lflag &= ~static_cast<tcflag_t>(ECHO);
    ::tcsetattr(fd, TCSANOW, &quiet);
  }
  std::optional<std::string> line = FirstLine(streams.In);
  if (terminal) ::tcsetattr(fd, TCSANOW, &saved);
  std::fputc('\n', streams.Err);
  return line;
}

struct TPasswordAnswer {
  std::optional<std::string> Password;
  int Code = kExitDone;  // when no password: why
};

TPasswordAnswer ReadPassword(const TCliZipArgs& zip, const TCliStreams& streams) {
  TPasswordAnswer answer;
  auto fail = [&](int code, const std::string& message) {
    std::fprintf(streams.Err, "kardomel-cli: %s\n", message.c_str());
    answer.Code = code;
    return answer;
  };
  std::optional<std::string> password;
  if (zip.PasswordFile && *zip.PasswordFile == "-") {
    password = FirstLine(streams.In);
  } else if (zip.PasswordFile) {
    FILE* file = std::fopen(zip.PasswordFile->c_str(), "rb");
    if (file == nullptr)
      return fail(kExitUsage, "Passwortdatei kann nicht gelesen werden: " + *zip.PasswordFile);
    password = FirstLine(file);
    std::fclose(file);
  } else if (streams.Interactive) {
    password = ReadHidden("Passwort: ", streams);
    const std::optional<std::string> again = ReadHidden("Passwort wiederholen: ", streams);
    if (password && again != password)
      return fail(kExitRefused, "Die Passwörter stimmen nicht überein.");
  } else {
    return fail(kExitUsage,
                "Passwort fehlt: --password-file DATEI angeben (- für die Standardeingabe).");
  }
  if (!password) return fail(kExitUsage, "Das Passwort kann nicht gelesen werden.");
  // Asked for protection, a script must not get an archive without it.
  if (password->empty()) return fail(kExitRefused, "Das Passwort ist leer.");
  answer.Password = password;
  return answer;
}

std::string WithoutTrailingSlash(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

// The folder of the running program, where the self-extractor lies.
std::string StubBesideThis() {
  char self[PATH_MAX];
  const ssize_t length = ::readlink("/proc/self/exe", self, sizeof self - 1);
  const std::string folder =
      length > 0 ? ExtractFilePath(std::string(self, static_cast<size_t>(length))) : "./";
  return folder + "sfx32pro.bin";
}

}  // namespace

int RunZipSplitCommand(const std::vector<std::string>& files, const TCliZipArgs& zip, bool yes,
                       const TSplitInput& split, const TSizeTexts& texts, TSizeLead lead,
                       TEnv& env, TConsoleInteraction& ui, const TCliStreams& streams) {
  TZipSplitInput input;
  for (const std::string& file : files) {
    const std::string path = WithoutTrailingSlash(AbsolutePath(file));
    if (!env.EntryExists(path)) {
      std::fprintf(streams.Err, "kardomel-cli: Datei nicht gefunden: %s\n", file.c_str());
      return kExitUsage;
    }
    input.Items.push_back(path);
  }
  input.SourceFolder = ExtractFilePath(input.Items[0]);
  input.ArchiveName = zip.Archive.value_or(
      ProposedArchiveName(ExtractFileName(input.Items[0]), zip.Sfx));
  input.Zip.HighCompression = zip.High;
  input.Zip.StorePaths = !zip.NoPaths;
  input.Zip.Sfx = zip.Sfx;
  input.Zip.Encrypt = zip.Encrypt;
  if (zip.Encrypt) {
    const TPasswordAnswer answer = ReadPassword(zip, streams);
    if (!answer.Password) return answer.Code;
    input.Zip.Password = *answer.Password;
  }
  input.StubPath = StubBesideThis();
  input.ReplaceWithoutAsking = yes;
  input.Split = split;
  input.Texts = texts;
  input.Lead = lead;
  const std::unique_ptr<TArchiveWriter> writer = MakeLibzipArchiveWriter();
  const TZipSplitResult result = RunZipSplit(input, env, ui, *writer);
  return ExitCodeOf(result.Outcome);
}

}  // namespace kardomel
