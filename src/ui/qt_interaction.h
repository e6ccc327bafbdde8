// TQtInteraction: the engine's questions answered by Qt dialogs over a
// window. Messages and the input query are TTaskDialogs, the folder browser
// a TFolderBrowser, the overwrite question a task dialog with two command
// links. SetBusy and Progress stay empty; a window overrides them.
#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>
#include <string>

#include "engine/interaction.h"
#include "ui/folder_browser.h"

namespace kardomel {

// Shows the delete-files question for Folder over Parent; true for "&Ja".
// The dialog lives in the dialogs layer above this one, which passes it in:
// dialogs/frm_delete_files.h provides ConfirmDeleteFilesDialog.
using TDeleteFilesPrompt = std::function<bool(QWidget* parent, const std::string& folder)>;

class TQtInteraction : public TInteraction {
 public:
  // Dialogs open over the active modal window, else over Parent (may be
  // null). Without ConfirmDelete, ConfirmDeleteFiles answers false ("&Nein").
  explicit TQtInteraction(QWidget* parent, TDeleteFilesPrompt confirmDelete = {});

  // Title and icon from Kind; buttons in the order Yes, No, OK, Cancel with
  // objectNames BtnYes, BtnNo, BtnOk, BtnCancel; Yes is the default when
  // present, else OK, else the first. The dialog is named "DlgMessage".
  int ShowMessageDialog(const std::string& instruction, const std::string& content,
                        TMsgKind kind, unsigned buttons) override;
  // Dialog "DlgInputQuery" with the edit field "EdtInput", OK and Cancel.
  bool ShowInputQuery(const std::string& caption, const std::string& content,
                      std::string& text) override;
  bool BrowseFolder(const std::string& preset, std::string& chosen) override;
  // Dialog "DlgOverwrite" with the command links BtnOverwrite and BtnKeep.
  int AskOverwrite(const std::string& path) override;
  bool ConfirmDeleteFiles(const std::string& folder) override;

  // The browser BrowseFolder uses, for the dialogs that share it.
  TFolderBrowser& FolderBrowser() { return browser_; }
  // The window dialogs open over when no modal window is active.
  QWidget* DialogParent() const;

 private:
  QPointer<QWidget> parent_;
  TDeleteFilesPrompt confirmDelete_;
  TFolderBrowser browser_;
};

}  // namespace kardomel
