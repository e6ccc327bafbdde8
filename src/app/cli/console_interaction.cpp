#include "app/cli/console_interaction.h"

#include <cinttypes>

#include "support/globals.h"
#include "support/paths.h"

namespace kardomel {

std::string ConsoleText(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r') {
      out += '\n';
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      out += text[i];
    }
  }
  return out;
}

TConsoleInteraction::TConsoleInteraction(TEnv& env, const TConsoleOptions& options, FILE* in,
                                         FILE* out, FILE* err)
    : env_(env), options_(options), in_(in), out_(out), err_(err) {}

bool TConsoleInteraction::ReadAnswer(std::string& answer) {
  answer.clear();
  if (!options_.Interactive) {
    std::fputc('\n', err_);
    return false;
  }
  std::fflush(err_);
  int c;
  while ((c = std::fgetc(in_)) != EOF && c != '\n') answer += static_cast<char>(c);
  if (c == EOF && answer.empty()) {
    std::fputc('\n', err_);
    return false;
  }
  while (!answer.empty() && (answer.back() == ' ' || answer.back() == '\r')) answer.pop_back();
  while (!answer.empty() && answer.front() == ' ') answer.erase(0, 1);
  return true;
}

void TConsoleInteraction::ClearProgressLine() {
  if (!progressShown_) return;
  std::fputs("\r\033[K", err_);
  progressShown_ = false;
}

namespace {

struct TChoice {
  unsigned Button;
  int Result;
  const char* Label;
  char Key;
};

const TChoice kChoices[] = {
    {mbYes, mrYes, "Ja", 'j'},
    {mbNo, mrNo, "Nein", 'n'},
    {mbOK, mrOk, "OK", 'o'},
    {mbCancel, mrCancel, "Abbrechen", 'a'},
};

// The answer a question takes when nobody can give one: Cancel where it is
// offered, else No.
int CancellingAnswer(unsigned buttons) {
  if (buttons & mbCancel) return mrCancel;
  if (buttons & mbNo) return mrNo;
  return mrOk;
}

// The default button: Yes when present, else the first one.
int DefaultAnswer(unsigned buttons) {
  for (const TChoice& choice : kChoices) {
    if (buttons & choice.Button) return choice.Result;
  }
  return mrOk;
}

}  // namespace

int TConsoleInteraction::ShowMessageDialog(const std::string& instruction,
                                           const std::string& content, TMsgKind kind,
                                           unsigned buttons) {
  ClearProgressLine();
  const bool question = buttons != mbOK && buttons != 0;
  FILE* stream = (question || kind == TMsgKind::Warning || kind == TMsgKind::Error) ? err_ : out_;
  std::fprintf(stream, "%s\n", ConsoleText(instruction).c_str());
  if (!content.empty()) std::fprintf(stream, "%s\n", ConsoleText(content).c_str());
  std::fflush(stream);
  if (!question) return mrOk;

  std::string prompt;
  for (const TChoice& choice : kChoices) {
    if (!(buttons & choice.Button)) continue;
    if (!prompt.empty()) prompt += " / ";
    prompt += std::string(choice.Label) + " [" + choice.Key + "]";
  }
  for (;;) {
    std::fprintf(err_, "%s? ", prompt.c_str());
    std::string answer;
    if (!ReadAnswer(answer)) return CancellingAnswer(buttons);
    if (answer.empty()) return DefaultAnswer(buttons);
    for (const TChoice& choice : kChoices) {
      if ((buttons & choice.Button) &&
          (SameTextAscii(answer, std::string(1, choice.Key)) || SameTextAscii(answer, choice.Label)))
        return choice.Result;
    }
  }
}

bool TConsoleInteraction::ShowInputQuery(const std::string& caption, const std::string& content,
                                         std::string& text) {
  ClearProgressLine();
  std::fprintf(err_, "%s\n%s\n[%s]: ", ConsoleText(caption).c_str(),
               ConsoleText(content).c_str(), text.c_str());
  std::string answer;
  if (!ReadAnswer(answer)) return false;
  if (!answer.empty()) text = answer;
  return true;
}

bool TConsoleInteraction::BrowseFolder(const std::string& preset, std::string& chosen) {
  ClearProgressLine();
  std::fprintf(err_, "Ordner auswählen\n");
  if (!preset.empty()) std::fprintf(err_, "Aktueller Ordner: %s\n", preset.c_str());
  std::fprintf(err_, "Neuer Ordner (leer = Abbrechen): ");
  std::string answer;
  if (!ReadAnswer(answer) || answer.empty()) return false;
  if (!env_.IsFolder(answer)) {
    std::fprintf(err_, "Kein Ordner: %s\n", answer.c_str());
    return false;
  }
  chosen = AbsolutePath(answer);
  return true;
}

int TConsoleInteraction::AskOverwrite(const std::string& path) {
  ClearProgressLine();
  std::fprintf(err_, "Datei bereits vorhanden.\nWollen Sie die bestehende Datei %s überschreiben?\n",
               path.c_str());
  if (options_.OverwriteYes) {
    std::fprintf(err_, "Ja, Datei überschreiben.\n");
    return mrOverwrite;
  }
  for (;;) {
    std::fprintf(err_, "1 = Ja, Datei überschreiben. / 2 = Nein, Datei nicht überschreiben. ");
    std::string answer;
    if (!ReadAnswer(answer)) return mrKeep;
    if (answer.empty() || answer == "1" || SameTextAscii(answer, "j")) return mrOverwrite;
    if (answer == "2" || SameTextAscii(answer, "n")) return mrKeep;
  }
}

bool TConsoleInteraction::ConfirmDeleteFiles(const std::string& folder) {
  ClearProgressLine();
  for (;;) {
    std::fprintf(err_, "Folgende Dateien/Ordner befinden sich auf %s. Sollen sie gelöscht werden?\n",
                 folder.c_str());
    for (const std::string& name : env_.ListFolder(folder))
      std::fprintf(err_, "  %s\n", name.c_str());
    std::fprintf(err_, "Ja [j] / Nein [n] / Aktualisieren [F5 oder a]? ");
    std::string answer;
    if (!ReadAnswer(answer)) return false;
    if (answer.empty() || SameTextAscii(answer, "j") || SameTextAscii(answer, "ja")) return true;
    if (SameTextAscii(answer, "n") || SameTextAscii(answer, "nein")) return false;
  }
}

void TConsoleInteraction::SetBusy(bool busy) {
  if (busy) {
    startMicros_ = env_.NowMicros();
    lastDrawMicros_ = 0;
  } else {
    ClearProgressLine();
  }
}

namespace {

std::string Mebibytes(int64_t bytes) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f MiB", static_cast<double>(bytes) / 1048576.0);
  return text;
}

}  // namespace

void TConsoleInteraction::Progress(const TProgress& progress) {
  if (!options_.ShowProgress) return;
  uint64_t now = env_.NowMicros();
  // Redrawing costs a write to the terminal; ten times a second is enough.
  if (lastDrawMicros_ != 0 && now - lastDrawMicros_ < 100000 && progress.PartDone != 0 &&
      progress.PartDone != progress.PartSize)
    return;
  lastDrawMicros_ = now;
  constexpr int kWidth = 24;
  double fraction = progress.TotalSize > 0
                        ? static_cast<double>(progress.TotalDone) / progress.TotalSize
                        : (progress.PartCount > 0 ? double(progress.Part) / progress.PartCount : 0);
  if (fraction > 1) fraction = 1;
  int filled = static_cast<int>(fraction * kWidth);
  double seconds = static_cast<double>(now - startMicros_) / 1e6;
  double rate = seconds > 0 ? static_cast<double>(progress.TotalDone) / seconds : 0;
  std::string bar(static_cast<size_t>(filled), '#');
  bar.append(static_cast<size_t>(kWidth - filled), '-');
  std::fprintf(err_, "\r\033[K[%s] %3d%%  %s von %s  %s/s", bar.c_str(),
               static_cast<int>(fraction * 100), Mebibytes(progress.TotalDone).c_str(),
               Mebibytes(progress.TotalSize).c_str(), Mebibytes(static_cast<int64_t>(rate)).c_str());
  // Packing before a split reports percent, not parts.
  if (progress.PartSize > 0) std::fprintf(err_, "  Teil %d von %d", progress.Part, progress.PartCount);
  std::fflush(err_);
  progressShown_ = true;
}

void TConsoleInteraction::ShowError(const std::string& message) {
  ClearProgressLine();
  std::fprintf(err_, "Fehlermeldung!\n%s\n", ConsoleText(message).c_str());
  std::fflush(err_);
}

bool TConsoleInteraction::CancelRequested() {
  return options_.Interrupted != nullptr && *options_.Interrupted != 0;
}

}  // namespace kardomel
