#include "app/gui/shell_view.h"

#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QPainter>
#include <QPen>

#include "ui/qt_text.h"
#include "ui/shell_model.h"

namespace kardomel {

namespace {

constexpr QDir::Filters kListFilter =
    QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System;
constexpr QDir::Filters kTreeFilter = QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Hidden;

std::string StripSlash(const QString& path) {
  QString p = QDir::cleanPath(path);
  return ToStdString(p);
}

bool IsShortcutName(const QString& name) {
  return name.endsWith(".lnk", Qt::CaseInsensitive) ||
         name.endsWith(".desktop", Qt::CaseInsensitive);
}

}  // namespace

TShellList::TShellList(QWidget* parent) : QTreeView(parent), model_(new TShellFileModel(this)) {
  model_->setFilter(kListFilter);
  model_->setReadOnly(true);
  setModel(model_);
  setRootIsDecorated(false);
  setItemsExpandable(false);
  setUniformRowHeights(true);
  setSortingEnabled(true);
  sortByColumn(0, Qt::AscendingOrder);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  header()->setStretchLastSection(false);
  // The name takes the width the other columns leave, but never less than
  // MinNameWidth: a stretched column would shrink to nothing in a narrow
  // pane, and the list scrolls sideways instead.
  header()->setSectionResizeMode(0, QHeaderView::Interactive);
  const int digit = fontMetrics().horizontalAdvance(QLatin1Char('0'));
  header()->resizeSection(1, digit * 10);
  header()->resizeSection(2, digit * 13);
  header()->resizeSection(3, digit * 15);
  FitNameColumn();
  connect(model_, &QFileSystemModel::directoryLoaded, this, [this](const QString& path) {
    if (QDir::cleanPath(path) == QDir::cleanPath(model_->rootPath())) {
      loaded_ = true;
      emit FolderLoaded();
    }
  });
}

int TShellList::MinNameWidth() const {
  return fontMetrics().horizontalAdvance(QStringLiteral("Urlaubsfilm.001")) + 24;
}

void TShellList::FitNameColumn() {
  int others = 0;
  for (int column = 1; column < header()->count(); ++column)
    if (!header()->isSectionHidden(column)) others += header()->sectionSize(column);
  header()->resizeSection(0, qMax(MinNameWidth(), viewport()->width() - others));
}

void TShellList::resizeEvent(QResizeEvent* event) {
  QTreeView::resizeEvent(event);
  FitNameColumn();
}

void TShellList::SetGridLines(bool on) {
  if (gridLines_ == on) return;
  gridLines_ = on;
  viewport()->update();
}

void TShellList::drawRow(QPainter* painter, const QStyleOptionViewItem& option,
                         const QModelIndex& index) const {
  QTreeView::drawRow(painter, option, index);
  if (!gridLines_) return;
  painter->save();
  painter->setPen(palette().color(QPalette::Midlight));
  const QRect row = option.rect;
  painter->drawLine(row.left(), row.bottom(), row.right(), row.bottom());
  for (int column = 0; column < header()->count(); ++column) {
    const int right = columnViewportPosition(column) + columnWidth(column) - 1;
    painter->drawLine(right, row.top(), right, row.bottom());
  }
  painter->restore();
}

std::string TShellList::Folder() const {
  if (!rootIndex().isValid()) return {};
  return StripSlash(model_->filePath(rootIndex()));
}

void TShellList::SetFolder(const std::string& folder) {
  const QString path = ToQString(folder);
  if (rootIndex().isValid() && QDir::cleanPath(path) == QDir::cleanPath(model_->rootPath())) return;
  clearSelection();
  loaded_ = false;
  setRootIndex(model_->setRootPath(path));
}

std::optional<TShListData> TShellList::SelectedItem() const {
  if (selectionModel() == nullptr) return std::nullopt;
  QModelIndex item = currentIndex();
  if (!item.isValid() || !selectionModel()->isRowSelected(item.row(), item.parent())) {
    const QModelIndexList rows = selectionModel()->selectedRows(0);
    if (rows.isEmpty()) return std::nullopt;
    item = rows.first();
  }
  item = item.siblingAtColumn(0);
  const QFileInfo info = model_->fileInfo(item);
  TShListData entry;
  entry.FileName = ToStdString(info.fileName());
  entry.PathName = ToStdString(info.absoluteFilePath());
  entry.IsFolder = info.isDir();
  entry.IsLnkShortcut = IsShortcutName(info.fileName());
  return entry;
}

int TShellList::SelCount() const {
  return selectionModel() == nullptr ? 0 : static_cast<int>(selectionModel()->selectedRows(0).size());
}

bool TShellList::SelectName(const QString& name, bool addToSelection) {
  const QString path = QDir(model_->rootPath()).filePath(name);
  const QModelIndex item = model_->index(path);
  // An entry the model has not listed yet may get another entry's row.
  if (!item.isValid() || item.parent() != rootIndex() || model_->filePath(item) != path)
    return false;
  auto flags = QItemSelectionModel::Rows |
               (addToSelection ? QItemSelectionModel::Select : QItemSelectionModel::ClearAndSelect);
  selectionModel()->setCurrentIndex(item, flags);
  return true;
}

void TShellList::FillItems() {
  // The model watches the folder itself; forgetting the cached entries makes
  // it read the folder again, for the rare change a watcher misses.
  const QString path = model_->rootPath();
  setRootIndex(model_->setRootPath(QString()));
  loaded_ = false;
  setRootIndex(model_->setRootPath(path));
}

TShellTree::TShellTree(QWidget* parent) : QTreeView(parent), model_(new QFileSystemModel(this)) {
  model_->setFilter(kTreeFilter);
  model_->setReadOnly(false);  // a new folder's name is edited in place
  model_->setRootPath(QDir::rootPath());
  setModel(model_);
  for (int column = 1; column < model_->columnCount(); ++column) hideColumn(column);
  setHeaderHidden(true);
  setUniformRowHeights(true);
  setSortingEnabled(true);
  sortByColumn(0, Qt::AscendingOrder);
  setEditTriggers(QAbstractItemView::EditKeyPressed);
  setSelectionMode(QAbstractItemView::SingleSelection);
  // The model lists folders in the background and re-sorts them later; the
  // folder chosen stays selected through that.
  auto reapply = [this] { ApplyWanted(); };
  connect(model_, &QFileSystemModel::rowsInserted, this, reapply, Qt::QueuedConnection);
  connect(model_, &QFileSystemModel::rowsRemoved, this, reapply, Qt::QueuedConnection);
  connect(model_, &QFileSystemModel::layoutChanged, this, reapply, Qt::QueuedConnection);
  connect(model_, &QFileSystemModel::directoryLoaded, this, reapply, Qt::QueuedConnection);
  connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this](const QModelIndex& current) { CurrentChanged(current); });
}

void TShellTree::paintEvent(QPaintEvent* event) {
  QTreeView::paintEvent(event);
  if (!hasFocus()) return;
  QPainter painter(viewport());
  const QColor highlight = palette().color(QPalette::Active, QPalette::Highlight);
  painter.setPen(QPen(highlight, 2));
  painter.drawRect(viewport()->rect().adjusted(1, 1, -1, -1));
  const QRect current = visualRect(currentIndex());
  if (current.isValid()) {
    painter.setPen(QPen(highlight, 1, Qt::DotLine));
    painter.drawRect(current.adjusted(0, 0, -1, -1));
  }
}

void TShellTree::focusInEvent(QFocusEvent* event) {
  QTreeView::focusInEvent(event);
  viewport()->update();
}

void TShellTree::focusOutEvent(QFocusEvent* event) {
  QTreeView::focusOutEvent(event);
  viewport()->update();
}

void TShellTree::CurrentChanged(const QModelIndex& current) {
  const QString folder = QDir::cleanPath(model_->filePath(current));
  const bool wantedGone = wanted_.isEmpty() || !QFileInfo(wanted_).isDir();
  if (!userMoving_ && !wantedGone && folder != wanted_) {
    // Moved by the model, not by the user: back to the chosen folder.
    QMetaObject::invokeMethod(this, [this] { ApplyWanted(); }, Qt::QueuedConnection);
    return;
  }
  wanted_ = folder;
  if (list_ != nullptr) list_->SetFolder(ToStdString(folder));
  emit FolderChanged(folder);
}

void TShellTree::mousePressEvent(QMouseEvent* event) {
  revealPending_ = false;
  userMoving_ = true;
  QTreeView::mousePressEvent(event);
  userMoving_ = false;
}

void TShellTree::keyPressEvent(QKeyEvent* event) {
  revealPending_ = false;
  userMoving_ = true;
  QTreeView::keyPressEvent(event);
  userMoving_ = false;
}

void TShellTree::SetShellList(TShellList* list) {
  list_ = list;
  if (list_ != nullptr && !wanted_.isEmpty()) list_->SetFolder(SelectedPathName());
}

std::string TShellTree::SelectedPathName() const {
  return ToStdString(wanted_);
}

void TShellTree::SetSelectedPathName(const std::string& folder) {
  const QString path = QDir::cleanPath(ToQString(folder));
  if (!QFileInfo(path).isDir()) return;
  wanted_ = path;
  revealPending_ = true;
  if (list_ != nullptr) list_->SetFolder(ToStdString(path));
  ApplyWanted();
  emit FolderChanged(path);
}

void TShellTree::ApplyWanted() {
  if (wanted_.isEmpty()) return;
  // A folder the model has not listed yet may get an index whose row is
  // not its own; it is taken only once the model names it right.
  const QModelIndex item = model_->index(wanted_);
  if (!item.isValid() || QDir::cleanPath(model_->filePath(item)) != wanted_) return;
  if (currentIndex() != item) {
    for (QModelIndex parent = item.parent(); parent.isValid(); parent = parent.parent())
      expand(parent);
    setCurrentIndex(item);
  }
  // The folders above it are still being read and push it down; it is kept
  // in sight until the user moves in the tree.
  if (revealPending_) scrollTo(item, QAbstractItemView::PositionAtCenter);
}

void TShellTree::wheelEvent(QWheelEvent* event) {
  revealPending_ = false;
  QTreeView::wheelEvent(event);
}

void TShellTree::RefreshNodes() {
  const std::string selected = SelectedPathName();
  model_->setRootPath(QString());
  model_->setRootPath(QDir::rootPath());
  if (!selected.empty()) SetSelectedPathName(selected);
  if (list_ != nullptr) list_->FillItems();
}

std::string TShellTree::CreateNewFolder() {
  const QModelIndex parent = model_->index(wanted_);
  if (!parent.isValid()) return {};
  const QDir dir(wanted_);
  QString name = QStringLiteral("Neuer Ordner");
  for (int n = 2; dir.exists(name); ++n) name = QStringLiteral("Neuer Ordner (%1)").arg(n);
  const QModelIndex created = model_->mkdir(parent, name);
  if (!created.isValid()) return {};
  const QString path = dir.filePath(name);
  SetSelectedPathName(ToStdString(path));
  edit(created);
  return ToStdString(path);
}

void TShellTree::SetAcceptFileDrops(bool accept) {
  setAcceptDrops(accept);
  setDropIndicatorShown(accept);
  setDragDropMode(accept ? QAbstractItemView::DropOnly : QAbstractItemView::NoDragDrop);
  setDefaultDropAction(Qt::CopyAction);
}

}  // namespace kardomel
