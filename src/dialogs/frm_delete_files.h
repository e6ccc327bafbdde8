// TFrmDeleteFiles: the disk-change question. It lists what lies in a folder
// (hidden entries too, kept up to date) and asks whether all of it shall be
// deleted: "&Ja" closes with mrYes (6), "&Nein" and Escape with mrNo (7),
// the close box with mrCancel (2). The dialog itself deletes nothing.
#pragma once

#include <QString>
#include <string>

#include "ui/base_form.h"

class QFileSystemModel;
class QLabel;
class QPushButton;
class QTreeView;

namespace kardomel {

class TFrmDeleteFiles : public TqelBaseForm {
  Q_OBJECT
 public:
  explicit TFrmDeleteFiles(QWidget* parent = nullptr);

  // The folder the list shows (ShellList.Folder); set before showing.
  void SetFolder(const QString& folder);
  QString Folder() const;

  QLabel* LblConfirmation;
  QPushButton* BtnAktualisieren;
  QTreeView* ShellList;
  QPushButton* BtnYes;
  QPushButton* BtnNo;

 public slots:
  // Re-reads the shown folder (also F5 anywhere in the dialog).
  void BtnAktualisierenClick();
  void reject() override;  // close box: mrCancel

 protected:
  void showEvent(QShowEvent* event) override;
  void FormKeyDown(QKeyEvent& event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void BtnYesClick();
  void BtnNoClick();

  QLabel* Img;
  QFileSystemModel* model_;
  QString folder_;  // the folder the list shows, as the caller named it
  QString FPath;  // the folder shown when the dialog was shown
};

// Shows TFrmDeleteFiles for Folder modally over Parent and frees it.
// Returns true for "&Ja". Fits TDeleteFilesPrompt (ui/qt_interaction.h).
bool ConfirmDeleteFilesDialog(QWidget* parent, const std::string& folder);

}  // namespace kardomel
