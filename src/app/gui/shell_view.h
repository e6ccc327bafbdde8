// The folder tree and the detail file list of a pane, over the real file
// system (hidden entries shown, kept up to date by a file-system watcher).
// A tree drives the list bound to it: the list always shows the tree's
// selected folder.
#pragma once

#include <QTreeView>
#include <optional>
#include <string>

class QFileSystemModel;

namespace kardomel {

// One entry of a file list.
struct TShListData {
  std::string FileName;  // name with extension
  std::string PathName;  // full path
  bool IsFolder = false;
  bool IsLnkShortcut = false;  // a .lnk or .desktop shortcut file
};

class TShellList : public QTreeView {
  Q_OBJECT
 public:
  explicit TShellList(QWidget* parent = nullptr);

  // The folder shown, without trailing '/' (the root stays "/"); "" when none.
  std::string Folder() const;
  // Shows Folder; the selection is cleared.
  void SetFolder(const std::string& folder);
  // The selected item the commands act on: the current item when it is
  // selected, else the first selected one; nullopt when nothing is selected.
  std::optional<TShListData> SelectedItem() const;
  int SelCount() const;
  // Selects the entry named Name in the shown folder, alone, and makes it
  // current. False when the list does not (yet) hold it.
  bool SelectName(const QString& name, bool addToSelection = false);
  // True when the shown folder has been read.
  bool Loaded() const { return loaded_; }
  // Re-reads the shown folder.
  void FillItems();
  // Lines between the rows and columns, as a report view draws them.
  void SetGridLines(bool on);
  bool GridLines() const { return gridLines_; }

  QFileSystemModel* Model() const { return model_; }
  // The narrowest the Name column gets, whatever the width of the list.
  int MinNameWidth() const;

 signals:
  // The shown folder has been read (after SetFolder or a change on disk).
  void FolderLoaded();

 private:
  QFileSystemModel* model_;
  bool loaded_ = false;
  bool gridLines_ = false;

 protected:
  void drawRow(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void FitNameColumn();
};

class TShellTree : public QTreeView {
  Q_OBJECT
 public:
  explicit TShellTree(QWidget* parent = nullptr);

  // The list that shows this tree's selected folder; may be null.
  void SetShellList(TShellList* list);
  // The selected folder, without trailing '/'; "" when none is selected.
  std::string SelectedPathName() const;
  // Selects Folder (expanding its parents) and shows it in the bound list.
  // A folder the tree has not read yet is selected as soon as it is; until
  // then SelectedPathName already names it. The folder stays selected while
  // the tree re-reads and re-sorts itself.
  void SetSelectedPathName(const std::string& folder);
  // Re-reads the tree.
  void RefreshNodes();
  // Creates a folder "Neuer Ordner" (numbered when taken) under the selected
  // one and opens its name for editing. Returns its path, "" on failure.
  std::string CreateNewFolder();
  // Lets files be dropped onto a folder of the tree: they are copied there
  // (moved with Shift, as file managers do).
  void SetAcceptFileDrops(bool accept);

  QFileSystemModel* Model() const { return model_; }

 signals:
  // The selected folder changed (by the user or SetSelectedPathName).
  void FolderChanged(const QString& folder);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  // While the tree has the keyboard focus a highlight frame runs round it
  // and a focus rectangle round the current folder: the style draws neither
  // for a focus gained by a click or at the start.
  void paintEvent(QPaintEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  void CurrentChanged(const QModelIndex& current);
  // Selects the chosen folder once the model lists it right.
  void ApplyWanted();

  QFileSystemModel* model_;
  TShellList* list_ = nullptr;
  QString wanted_;          // the folder chosen, by the user or the program
  bool userMoving_ = false;  // a click or key of the user is being handled
  bool revealPending_ = false;  // the chosen folder is kept in sight
};

}  // namespace kardomel
