#include "ui/qt_interaction.h"

#include <QApplication>
#include <QPushButton>

#include "ui/qt_text.h"
#include "ui/task_dialog.h"

namespace kardomel {

namespace {

struct TKindLook {
  const char* title;
  QStyle::StandardPixmap icon;
};

TKindLook LookOf(TMsgKind kind) {
  switch (kind) {
    case TMsgKind::Warning:
      return {"Warnung", QStyle::SP_MessageBoxWarning};
    case TMsgKind::Error:
      return {"Fehler", QStyle::SP_MessageBoxCritical};
    case TMsgKind::Information:
      return {"Informationen", QStyle::SP_MessageBoxInformation};
    case TMsgKind::Confirmation:
      break;
  }
  return {"Bestätigen", QStyle::SP_MessageBoxQuestion};
}

}  // namespace

TQtInteraction::TQtInteraction(QWidget* parent, TDeleteFilesPrompt confirmDelete)
    : parent_(parent), confirmDelete_(std::move(confirmDelete)) {}

QWidget* TQtInteraction::DialogParent() const {
  if (QWidget* modal = QApplication::activeModalWidget()) return modal;
  return parent_;
}

int TQtInteraction::ShowMessageDialog(const std::string& instruction, const std::string& content,
                                      TMsgKind kind, unsigned buttons) {
  const TKindLook look = LookOf(kind);
  TTaskDialog dialog(DialogParent());
  dialog.setObjectName("DlgMessage");
  dialog.setWindowTitle(QString::fromUtf8(look.title));
  dialog.SetIcon(look.icon);
  dialog.SetInstruction(MessageLines(instruction));
  dialog.SetContent(MessageLines(content));

  static const struct {
    unsigned flag;
    const char* text;
    int result;
    const char* name;
  } kButtons[] = {
      {mbYes, "&Ja", mrYes, "BtnYes"},
      {mbNo, "&Nein", mrNo, "BtnNo"},
      {mbOK, "OK", mrOk, "BtnOk"},
      {mbCancel, "Abbrechen", mrCancel, "BtnCancel"},
  };
  QPushButton* yes = nullptr;
  QPushButton* ok = nullptr;
  QPushButton* first = nullptr;
  for (const auto& b : kButtons) {
    if ((buttons & b.flag) == 0) continue;
    QPushButton* button = dialog.AddButton(QString::fromUtf8(b.text), b.result, b.name);
    if (first == nullptr) first = button;
    if (b.flag == mbYes) yes = button;
    if (b.flag == mbOK) ok = button;
  }
  // A message without buttons could not be answered but by Escape.
  if (first == nullptr) first = ok = dialog.AddButton("OK", mrOk, "BtnOk");
  dialog.SetDefault(yes != nullptr ? yes : ok != nullptr ? ok : first);
  return dialog.exec();
}

bool TQtInteraction::ShowInputQuery(const std::string& caption, const std::string& content,
                                    std::string& text) {
  TTaskDialog dialog(DialogParent());
  dialog.setObjectName("DlgInputQuery");
  dialog.setWindowTitle(ToQString(caption));
  dialog.SetContent(MessageLines(content));
  dialog.SetInput(ToQString(text));
  QPushButton* ok = dialog.AddButton("OK", mrOk, "BtnOk");
  dialog.AddButton("Abbrechen", mrCancel, "BtnCancel");
  dialog.SetDefault(ok);
  const int result = dialog.exec();
  text = ToStdString(dialog.InputText());
  return result == mrOk;
}

bool TQtInteraction::BrowseFolder(const std::string& preset, std::string& chosen) {
  QString folder;
  if (!browser_.Execute(DialogParent(), ToQString(preset), folder)) return false;
  chosen = ToStdString(folder);
  return true;
}

int TQtInteraction::AskOverwrite(const std::string& path) {
  TTaskDialog dialog(DialogParent());
  dialog.setObjectName("DlgOverwrite");
  dialog.setWindowTitle(QStringLiteral("Bestätigen"));
  dialog.SetIcon(QStyle::SP_MessageBoxQuestion);
  dialog.SetInstruction(QStringLiteral("Datei bereits vorhanden."));
  dialog.SetContent(QStringLiteral("Wollen Sie die bestehende Datei %1 überschreiben?").arg(ToQString(path)));
  QPushButton* overwrite =
      dialog.AddCommandLink(QStringLiteral("Ja, Datei überschreiben."), mrOverwrite, "BtnOverwrite");
  dialog.AddCommandLink(QStringLiteral("Nein, Datei nicht überschreiben."), mrKeep, "BtnKeep");
  dialog.SetDefault(overwrite);
  return dialog.exec();
}

bool TQtInteraction::ConfirmDeleteFiles(const std::string& folder) {
  if (!confirmDelete_) return false;
  return confirmDelete_(DialogParent(), folder);
}

}  // namespace kardomel
