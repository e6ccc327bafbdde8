#include "ui/folder_browser.h"

#include <QDir>
#include <QFileDialog>

namespace kardomel {

bool TFolderBrowser::Execute(QWidget* parent, const QString& preset, QString& chosen) {
  // Qt's own dialog, not the desktop's: it carries our German labels on
  // every desktop and can be driven by the window's tests.
  QFileDialog dialog(parent, QStringLiteral("Ordner auswählen"));
  dialog.setObjectName("DlgFolderBrowser");
  dialog.setOption(QFileDialog::DontUseNativeDialog, true);
  dialog.setOption(QFileDialog::ShowDirsOnly, true);
  dialog.setFileMode(QFileDialog::Directory);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setLabelText(QFileDialog::LookIn, QStringLiteral("Aktueller Ordner"));
  dialog.setLabelText(QFileDialog::FileName, QStringLiteral("Ordner:"));
  dialog.setLabelText(QFileDialog::FileType, QStringLiteral("Dateityp:"));
  dialog.setLabelText(QFileDialog::Accept, QStringLiteral("OK"));
  dialog.setLabelText(QFileDialog::Reject, QStringLiteral("Abbrechen"));
  QString start = !preset.isEmpty() ? preset : last_;
  if (start.isEmpty()) start = QDir::homePath();
  dialog.setDirectory(start);

  const bool confirmed = dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty();
  if (confirmed) {
    chosen = QDir::cleanPath(dialog.selectedFiles().constFirst());
    last_ = chosen;
  } else {
    last_ = dialog.directory().absolutePath();
  }
  return confirmed;
}

}  // namespace kardomel
