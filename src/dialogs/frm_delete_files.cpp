#include "dialogs/frm_delete_files.h"

#include <QBoxLayout>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTreeView>

#include "engine/interaction.h"
#include "ui/qt_text.h"
#include "ui/shell_model.h"

namespace kardomel {

// Customized, or the window manager adds a minimise button as well: the list
// may be maximised, but a modal dialog is never minimised.
TFrmDeleteFiles::TFrmDeleteFiles(QWidget* parent)
    : TqelBaseForm(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                               Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint |
                               Qt::WindowStaysOnTopHint) {
  setObjectName("FrmDeleteFiles");
  setWindowTitle(QString());
  setSizeGripEnabled(true);
  SetKeyPreview(true);

  Img = new QLabel(this);
  Img->setObjectName("Img");
  Img->setFixedSize(32, 32);
  Img->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxQuestion, nullptr, this).pixmap(32, 32));

  LblConfirmation = new QLabel(this);
  LblConfirmation->setObjectName("LblConfirmation");
  LblConfirmation->setWordWrap(true);
  LblConfirmation->setTextFormat(Qt::PlainText);

  BtnAktualisieren = new QPushButton(this);
  BtnAktualisieren->setObjectName("BtnAktualisieren");
  BtnAktualisieren->setIcon(style()->standardIcon(QStyle::SP_BrowserReload, nullptr, this));
  BtnAktualisieren->setToolTip(QStringLiteral("Ansicht aktualisieren [F5]"));
  BtnAktualisieren->setAutoDefault(false);
  connect(BtnAktualisieren, &QPushButton::clicked, this, &TFrmDeleteFiles::BtnAktualisierenClick);

  ShellList = new QTreeView(this);
  ShellList->setObjectName("ShellList");
  ShellList->setRootIsDecorated(false);
  ShellList->setItemsExpandable(false);
  ShellList->setEditTriggers(QAbstractItemView::NoEditTriggers);
  ShellList->setSelectionMode(QAbstractItemView::ExtendedSelection);
  ShellList->setSortingEnabled(true);
  ShellList->sortByColumn(0, Qt::AscendingOrder);
  model_ = new TShellFileModel(this);
  ShellList->setModel(model_);

  BtnYes = new QPushButton(QStringLiteral("&Ja"), this);
  BtnYes->setObjectName("BtnYes");
  BtnYes->setDefault(true);
  connect(BtnYes, &QPushButton::clicked, this, &TFrmDeleteFiles::BtnYesClick);
  BtnNo = new QPushButton(QStringLiteral("&Nein"), this);
  BtnNo->setObjectName("BtnNo");
  BtnNo->setAutoDefault(false);
  connect(BtnNo, &QPushButton::clicked, this, &TFrmDeleteFiles::BtnNoClick);

  auto* top = new QHBoxLayout;
  top->addWidget(Img, 0, Qt::AlignTop);
  top->addWidget(LblConfirmation, 1);
  top->addWidget(BtnAktualisieren, 0, Qt::AlignTop);
  auto* bottom = new QHBoxLayout;
  bottom->addStretch();
  bottom->addWidget(BtnYes);
  bottom->addWidget(BtnNo);
  auto* main = new QVBoxLayout(this);
  main->addLayout(top);
  main->addWidget(ShellList, 1);
  main->addLayout(bottom);

  setMinimumSize(371, 200);
  resize(550, 314);
}

void TFrmDeleteFiles::SetFolder(const QString& folder) {
  // The view keeps watching the folder, so the list follows what happens
  // on the medium while the dialog is open.
  folder_ = folder;
  ShellList->setRootIndex(model_->setRootPath(folder));
}

QString TFrmDeleteFiles::Folder() const { return folder_; }

void TFrmDeleteFiles::BtnAktualisierenClick() {
  // The model caches what it has read; only a fresh one reads a disk that
  // was changed behind the watcher's back (another medium in the drive).
  const QString folder = Folder();
  auto* fresh = new TShellFileModel(this);
  QItemSelectionModel* oldSelection = ShellList->selectionModel();
  ShellList->setModel(fresh);
  delete oldSelection;
  delete model_;
  model_ = fresh;
  SetFolder(folder);
}

void TFrmDeleteFiles::showEvent(QShowEvent* event) {
  FPath = Folder();
  LblConfirmation->setText(
      QStringLiteral("Folgende Dateien/Ordner befinden sich auf %1. Sollen sie gelöscht werden?").arg(FPath));
  CenterOnPrimaryScreen();
  BtnYes->setFocus();
  TqelBaseForm::showEvent(event);
}

void TFrmDeleteFiles::FormKeyDown(QKeyEvent& event) {
  if (event.key() == Qt::Key_F5) BtnAktualisierenClick();
}

void TFrmDeleteFiles::keyPressEvent(QKeyEvent* event) {
  // Escape answers "&Nein"; only the close box leaves without an answer.
  if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
    BtnNoClick();
    return;
  }
  TqelBaseForm::keyPressEvent(event);
}

void TFrmDeleteFiles::BtnYesClick() {
  // Show what the caller is about to delete: the folder offered at the
  // start, all of it.
  if (Folder() != FPath) SetFolder(FPath);
  ShellList->selectAll();
  done(mrYes);
}

void TFrmDeleteFiles::BtnNoClick() { done(mrNo); }

void TFrmDeleteFiles::reject() { done(mrCancel); }

bool ConfirmDeleteFilesDialog(QWidget* parent, const std::string& folder) {
  TFrmDeleteFiles dialog(parent);
  dialog.SetFolder(ToQString(folder));
  return dialog.exec() == mrYes;
}

}  // namespace kardomel
