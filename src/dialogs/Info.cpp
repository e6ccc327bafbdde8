#include "dialogs/Info.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

#include "support/maker.h"

namespace kardomel {

namespace {

QWidget* AddTab(QTabWidget& tabs, const QString& caption, const char* name) {
  auto* tab = new QWidget(&tabs);
  tab->setObjectName(name);
  auto* layout = new QVBoxLayout(tab);
  layout->addStretch();
  tabs.addTab(tab, caption);
  return tab;
}

// Adds Control to Tab above the closing stretch.
template <typename T>
T* Place(QWidget& tab, T* control) {
  auto* layout = static_cast<QVBoxLayout*>(tab.layout());
  layout->insertWidget(layout->count() - 1, control);
  return control;
}

}  // namespace

TFrmInfo::TFrmInfo(QWidget* parent)
    : TqelBaseForm(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                               Qt::WindowCloseButtonHint) {
  setObjectName("FrmInfo");
  setWindowTitle(QStringLiteral("Einstellungen"));

  PageControl = new QTabWidget(this);
  PageControl->setObjectName("PageControl");
  TabInfo = AddTab(*PageControl, QStringLiteral("Info"), "TabInfo");
  TabGeneral = AddTab(*PageControl, QStringLiteral("Allgemein"), "TabGeneral");
  TabShell = AddTab(*PageControl, QStringLiteral("Verknüpfung"), "TabShell");
  TabZip = AddTab(*PageControl, QStringLiteral("Zip"), "TabZip");

  auto* info = Place(*TabInfo, new QLabel(QStringLiteral("Aktuelle Versionen und weitere Infos bei"), TabInfo));
  info->setObjectName("LblInfo");
  EdtWWW = Place(*TabInfo, new QLabel(QString::fromUtf8(kMakerWebAddress), TabInfo));
  EdtWWW->setObjectName("EdtWWW");
  EdtWWW->setTextFormat(Qt::PlainText);

  ChkKdmFile = Place(*TabGeneral, new QCheckBox(QStringLiteral("KDM-File immer erzeugen"), TabGeneral));
  ChkKdmFile->setObjectName("ChkKdmFile");
  ChkKdmFile->setToolTip(QStringLiteral("KDM-File enthält Informationen über Quelldatei"));
  ChkKdmFile->setChecked(true);

  ChkSfx = Place(*TabZip, new QCheckBox(QStringLiteral("Selbstauspackendes EXE-Archiv erstellen"), TabZip));
  ChkSfx->setObjectName("ChkSfx");
  ChkEncrypt = Place(*TabZip, new QCheckBox(QStringLiteral("Archiv mit Passwort schützen"), TabZip));
  ChkEncrypt->setObjectName("ChkEncrypt");
  EdtPsw = Place(*TabZip, new QLineEdit(TabZip));
  EdtPsw->setObjectName("EdtPsw");
  EdtPsw->setEchoMode(QLineEdit::Normal);

  BtnOk = new QPushButton(QStringLiteral("OK"), this);
  BtnOk->setObjectName("BtnOk");
  BtnOk->setDefault(true);
  connect(BtnOk, &QPushButton::clicked, this, &QDialog::accept);
  BtnCancel = new QPushButton(QStringLiteral("Abbrechen"), this);
  BtnCancel->setObjectName("BtnCancel");
  BtnCancel->setAutoDefault(false);
  connect(BtnCancel, &QPushButton::clicked, this, &QDialog::reject);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(BtnOk);
  buttons->addWidget(BtnCancel);
  auto* main = new QVBoxLayout(this);
  main->addWidget(PageControl, 1);
  main->addLayout(buttons);
  main->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace kardomel
