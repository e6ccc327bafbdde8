// The controls of the main window's two panes and its status bar.
#include <QCheckBox>
#include <QComboBox>
#include <QFileSystemModel>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSplitter>
#include <QStatusBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/gui/frm_main.h"
#include "app/gui/action_icons.h"
#include "app/gui/led_gauge.h"
#include "app/gui/shell_view.h"
#include "engine/part_size.h"

namespace kardomel {

namespace {

constexpr int kGroupHeight = 167;
constexpr int kFilterHeight = 18;

template <typename T>
T* Named(T* widget, const char* name) {
  widget->setObjectName(QString::fromLatin1(name));
  return widget;
}

QLabel* ValueLabel(const char* name) {
  QLabel* label = Named(new QLabel, name);
  label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  label->setFrameShape(QFrame::StyledPanel);
  label->setFrameShadow(QFrame::Sunken);
  label->setMinimumWidth(120);
  return label;
}

QComboBox* EditCombo(const char* name, const QStringList& items) {
  QComboBox* box = Named(new QComboBox, name);
  box->setEditable(true);
  box->setInsertPolicy(QComboBox::NoInsert);  // the lists learn values by their own rules
  box->lineEdit()->setClearButtonEnabled(false);
  box->addItems(items);
  box->setCurrentIndex(-1);
  box->setEditText(QString());
  return box;
}

QToolButton* SmallButton(const char* name, const QString& text, const QString& hint) {
  QToolButton* button = Named(new QToolButton, name);
  button->setText(text);
  button->setToolTip(hint);
  button->setFocusPolicy(Qt::NoFocus);  // the field being typed in stays the active control
  button->setAutoRaise(false);
  return button;
}

// The strip below a file list that shows the drive's free space.
QWidget* FilterStrip(const char* name, QLabel*& label, const char* labelName) {
  QWidget* strip = Named(new QWidget, name);
  strip->setFixedHeight(kFilterHeight);
  auto* layout = new QHBoxLayout(strip);
  layout->setContentsMargins(4, 0, 4, 0);
  label = Named(new QLabel, labelName);
  layout->addWidget(label);
  return strip;
}

QWidget* ListPanel(const char* name, QWidget* list) {
  QWidget* panel = Named(new QWidget, name);
  auto* layout = new QVBoxLayout(panel);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(list);
  return panel;
}

}  // namespace

void TFrmMain::CreateLeftPane() {
  PnlLeft = Named(new QWidget, "PnlLeft");
  auto* column = new QVBoxLayout(PnlLeft);
  column->setContentsMargins(4, 4, 0, 0);
  column->setSpacing(2);

  GrpSource = Named(new QGroupBox(QStringLiteral("Quelldateien")), "GrpSource");
  GrpSource->setFixedHeight(kGroupHeight);
  auto* grid = new QGridLayout(GrpSource);
  LblFileName = ValueLabel("LblFileName");
  LblSrcSize = ValueLabel("LblSrcSize");
  LblSrcCount = ValueLabel("LblSrcCount");
  grid->addWidget(new QLabel(QStringLiteral("Selektierte Datei")), 0, 0);
  grid->addWidget(LblFileName, 0, 1);
  grid->addWidget(new QLabel(QStringLiteral("Dateigröße (Byte)")), 1, 0);
  grid->addWidget(LblSrcSize, 1, 1);
  grid->addWidget(new QLabel(QStringLiteral("Dateianzahl")), 2, 0);
  grid->addWidget(LblSrcCount, 2, 1);
  ChkDelete = Named(new QCheckBox(QStringLiteral("Teildateien nach dem Kitten löschen")),
                    "ChkDelete");
  grid->addWidget(ChkDelete, 3, 0, 1, 2);
  grid->setColumnStretch(1, 1);
  column->addWidget(GrpSource);

  TreeSrc = Named(new TShellTree, "TreeSrc");
  TreeSrc->setToolTip(QStringLiteral("Quellverzeichnis selektieren"));
  LstSrc = Named(new TShellList, "LstSrc");
  LstSrc->setToolTip(QStringLiteral("Quelldatei(en) selektieren"));
  LstSrc->setSelectionMode(QAbstractItemView::ExtendedSelection);
  LstSrc->setDragEnabled(true);
  TreeSrc->SetShellList(LstSrc);
  PnlSrcLstSrc = ListPanel("PnlSrcLstSrc", LstSrc);
  SplitSource = Named(new QSplitter(Qt::Vertical), "SplitSource");
  SplitSource->addWidget(TreeSrc);
  SplitSource->addWidget(PnlSrcLstSrc);
  SplitSource->setChildrenCollapsible(false);
  SplitSource->setSizes({200, 213});
  column->addWidget(SplitSource, 1);
  PnlSrcFilter = FilterStrip("PnlSrcFilter", LblSrcDiskFree, "LblSrcDiskFree");
  column->addWidget(PnlSrcFilter);
}

void TFrmMain::CreateRightPane() {
  PnlRight = Named(new QWidget, "PnlRight");
  auto* column = new QVBoxLayout(PnlRight);
  column->setContentsMargins(0, 4, 4, 0);
  column->setSpacing(2);

  GrpDest = Named(new QGroupBox(QStringLiteral("Zieldatei(en)")), "GrpDest");
  GrpDest->setMinimumHeight(kGroupHeight);
  auto* grid = new QGridLayout(GrpDest);
  grid->setVerticalSpacing(3);
  QStringList presets;
  for (const TSizePreset& preset : kSizePresets) presets << QString::fromUtf8(preset.Label);
  CbxDstSize = EditCombo("CbxDstSize", presets);
  CbxDstSize->setEditText(presets.first());
  CbxDstSize->setCompleter(nullptr);  // a typed digit must not turn into a preset label
  BtnUnit = SmallButton("BtnUnit", QStringLiteral("..."), QStringLiteral("Dateigröße berechnen"));
  CbxDstCount = EditCombo("CbxDstCount", {"2", "3", "4", "5", "6", "7", "8", "9", "10"});
  CbxDstCount->setCompleter(nullptr);
  BtnRecalc = SmallButton("BtnRecalc", QStringLiteral("="), QStringLiteral("Dateigröße berechnen"));
  CbxDstExt = EditCombo("CbxDstExt", {"arj", "com", "doc", "exe", "txt", "xls", "zip"});
  grid->addWidget(new QLabel(QStringLiteral("Dateigröße (Byte)")), 0, 0);
  grid->addWidget(CbxDstSize, 0, 1, 1, 2);
  grid->addWidget(BtnUnit, 0, 3);
  grid->addWidget(new QLabel(QStringLiteral("Dateianzahl")), 1, 0);
  grid->addWidget(CbxDstCount, 1, 1, 1, 2);
  grid->addWidget(BtnRecalc, 1, 3);
  grid->addWidget(new QLabel(QStringLiteral("Dateiendung")), 2, 0);
  grid->addWidget(CbxDstExt, 2, 1, 1, 2);

  ChkBatch = Named(new QCheckBox(QStringLiteral("Batch-Datei erzeugen")), "ChkBatch");
  ChkZip = Named(new QCheckBox, "ChkZip");
  LblZip = Named(new QLabel(QStringLiteral("Datei(en) vorher zippen")), "LblZip");
  LblZip->installEventFilter(this);  // a click on the label ticks the box
  auto* zip = new QHBoxLayout;
  zip->setSpacing(2);
  zip->addWidget(ChkZip);
  zip->addWidget(LblZip, 1);
  grid->addWidget(ChkBatch, 3, 0);
  grid->addLayout(zip, 3, 1, 1, 3);

  RadSameDir = Named(new QRadioButton(QStringLiteral("Quellverzeichnis")), "RadSameDir");
  RadOtherDir = Named(new QRadioButton(QStringLiteral("gewählten Verzeichnis")), "RadOtherDir");
  RadSameDir->setChecked(true);
  BtnNewFolder = SmallButton("BtnNewFolder", QString(), QStringLiteral("Neuen Ordner erstellen"));
  BtnNewFolder->setIcon(ActionIcon(TActionIcon::NewFolder));
  auto* place = new QHBoxLayout;
  place->addWidget(RadSameDir);
  place->addWidget(RadOtherDir);
  place->addStretch(1);
  grid->addWidget(new QLabel(QStringLiteral("Ablegen im")), 4, 0);
  grid->addLayout(place, 4, 1, 1, 2);
  grid->addWidget(BtnNewFolder, 4, 3);
  grid->setColumnStretch(1, 1);
  column->addWidget(GrpDest);

  TreeDst = Named(new TShellTree, "TreeDst");
  TreeDst->setToolTip(QStringLiteral("Zielverzeichnis selektieren"));
  TreeDst->SetAcceptFileDrops(true);
  LstDst = Named(new TShellList, "LstDst");
  LstDst->setToolTip(QStringLiteral("Zielverzeichnis einsehen"));
  LstDst->setSelectionMode(QAbstractItemView::ExtendedSelection);
  LstDst->setDragEnabled(true);
  TreeDst->SetShellList(LstDst);
  PnlDstLstDst = ListPanel("PnlDstLstDst", LstDst);
  SplitDest = Named(new QSplitter(Qt::Vertical), "SplitDest");
  SplitDest->addWidget(TreeDst);
  SplitDest->addWidget(PnlDstLstDst);
  SplitDest->setChildrenCollapsible(false);
  SplitDest->setSizes({200, 212});
  column->addWidget(SplitDest, 1);
  PnlDstFilter = FilterStrip("PnlDstFilter", LblDstDiskFree, "LblDstDiskFree");
  column->addWidget(PnlDstFilter);
}

void TFrmMain::CreateStatusBar() {
  QStatusBar* bar = statusBar();
  bar->setObjectName(QStringLiteral("StatusBar"));
  bar->setSizeGripEnabled(true);
  Gauge = Named(new TLedGauge, "Gauge");
  Gauge->setFixedHeight(15);
  LblStatus = Named(new QLabel, "LblStatus");
  // Wide enough for the longest progress text, so that none is cut off.
  LblStatus->setMinimumWidth(
      LblStatus->fontMetrics().horizontalAdvance(QStringLiteral("1.023,9 MiB von 1.023,9 MiB, 9.999,9 MB/s")) + 8);
  bar->addWidget(Gauge, 3);
  bar->addWidget(LblStatus, 2);
  CreateCancelButton();
}

}  // namespace kardomel
