// TFolderBrowser: the folder browser "Ordner auswählen" (objectName
// "DlgFolderBrowser", folder label "Aktueller Ordner"). One instance serves
// a window and the dialogs that share its browser; it remembers the folder
// it showed last.
#pragma once

#include <QString>

class QWidget;

namespace kardomel {

class TFolderBrowser {
 public:
  // Shows the browser modally over Parent, at Preset when it is not empty,
  // else at the folder chosen last (at first: the home folder). Returns true
  // with Chosen set to the confirmed folder (no trailing '/' except the root).
  bool Execute(QWidget* parent, const QString& preset, QString& chosen);
  // The folder the next Execute without preset starts in.
  const QString& LastFolder() const { return last_; }
  void SetLastFolder(const QString& folder) { last_ = folder; }

 private:
  QString last_;
};

}  // namespace kardomel
