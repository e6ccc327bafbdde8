// TFrmInfo as the holder of the options the split reads.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

#include "dialogs/Info.h"
#include "modal_driver.h"
#include "support/maker.h"

namespace kardomel {
namespace {

TEST(FrmInfo, TabsAndTheOptionsOfTheSplit) {
  TFrmInfo dialog;
  EXPECT_EQ(dialog.objectName(), "FrmInfo");
  EXPECT_EQ(dialog.windowTitle(), "Einstellungen");
  ASSERT_EQ(dialog.PageControl->count(), 4);
  const char* tabs[] = {"Info", "Allgemein", "Verknüpfung", "Zip"};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(dialog.PageControl->tabText(i), QString::fromUtf8(tabs[i])) << i;

  const struct {
    const char* name;
    QWidget* tab;
    const char* caption;
    bool ticked;
  } boxes[] = {
      {"ChkKdmFile", dialog.TabGeneral, "KDM-File immer erzeugen", true},
      {"ChkSfx", dialog.TabZip, "Selbstauspackendes EXE-Archiv erstellen", false},
      {"ChkEncrypt", dialog.TabZip, "Archiv mit Passwort schützen", false},
  };
  for (const auto& b : boxes) {
    auto* box = b.tab->findChild<QCheckBox*>(b.name);
    ASSERT_NE(box, nullptr) << b.name;
    EXPECT_EQ(box->text(), QString::fromUtf8(b.caption)) << b.name;
    EXPECT_EQ(box->isChecked(), b.ticked) << b.name;
  }
  EXPECT_EQ(dialog.ChkKdmFile->toolTip(), "KDM-File enthält Informationen über Quelldatei");
  EXPECT_EQ(dialog.TabInfo->findChild<QLabel*>("EdtWWW")->text(), kMakerWebAddress);
  auto* password = dialog.TabZip->findChild<QLineEdit*>("EdtPsw");
  ASSERT_NE(password, nullptr);
  EXPECT_EQ(password->echoMode(), QLineEdit::Normal);
  EXPECT_TRUE(password->text().isEmpty());
}

TEST(FrmInfo, OkAndAbbrechen) {
  const struct {
    const char* button;
    int expected;
  } cases[] = {{"BtnOk", QDialog::Accepted}, {"BtnCancel", QDialog::Rejected}};
  TFrmInfo dialog;
  for (const auto& c : cases) {
    test::OnModal([&](QDialog& d) { test::Click(d, c.button); });
    EXPECT_EQ(dialog.exec(), c.expected) << c.button;
  }
  EXPECT_EQ(dialog.BtnOk->text(), "OK");
  EXPECT_EQ(dialog.BtnCancel->text(), "Abbrechen");
  EXPECT_TRUE(dialog.BtnOk->isDefault());
}

}  // namespace
}  // namespace kardomel
