// TFrmInfo, the options dialog "Einstellungen": its controls and defaults,
// the enabling rules, the close checks, the folder buttons, the size field
// and the links of the tab "Info".
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <QUrl>
#include <QUrlQuery>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "dialogs/frm_bytes.h"
#include "dialogs/frm_info.h"
#include "dialogs/update/update_dlg.h"
#include "engine/part_size.h"
#include "fakes/scripted_interaction.h"
#include "modal_driver.h"
#include "support/maker.h"
#include "ui/url_label.h"
#include "fakes/url_catcher.h"
#include "ui/desktop_launcher.h"

namespace kardomel {
namespace {

using test::OnModal;
using testing::TCall;
using testing::TScriptedInteraction;

// German number format for the megabyte tooltip, as on the users' systems.
class TGermanLocale {
 public:
  TGermanLocale() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }
  ~TGermanLocale() { QLocale::setDefault(saved_); }

 private:
  QLocale saved_;
};

// Waits until Dialog is the active window, so that focus moves as for a user;
// a test's first window takes a moment on the offscreen platform.
bool Activated(QDialog& dialog) {
  dialog.activateWindow();
  return QTest::qWaitForWindowActive(&dialog);
}

TEST(FrmInfo, ControlsCaptionsAndDefaults) {
  TFrmInfo dialog;
  EXPECT_EQ(dialog.objectName(), "FrmInfo");
  EXPECT_EQ(dialog.windowTitle(), "Einstellungen");
  // Only the close button: the window manager's default buttons stay off.
  EXPECT_TRUE(dialog.windowFlags() & Qt::CustomizeWindowHint);
  EXPECT_TRUE(dialog.windowFlags() & Qt::WindowCloseButtonHint);
  EXPECT_FALSE(dialog.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
  EXPECT_EQ(dialog.property("HelpContext").toInt(), 2);
  ASSERT_EQ(dialog.PageControl->count(), 4);
  const char* tabs[] = {"Info", "Allgemein", "Verknüpfung", "Zip"};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(dialog.PageControl->tabText(i), QString::fromUtf8(tabs[i])) << i;

  // Text: a button's or label's caption; Hint: the tooltip; Checked: -1 for
  // controls that are neither ticked nor checked.
  const struct {
    const char* name;
    QWidget* tab;
    const char* text;
    const char* hint;
    int checked;
  } controls[] = {
      {"LblProductName", dialog.TabInfo, "Kardomel", "", -1},
      {"LblVersion", dialog.TabInfo, "Version %s", "", -1},
      {"LblInfo", dialog.TabInfo, "Aktuelle Versionen und weitere Infos bei", "", -1},
      {"LblMail", dialog.TabInfo, kMakerMailAddress, "", -1},
      {"EdtWWW", dialog.TabInfo, kMakerWebAddress, "", -1},
      {"ImgHome", dialog.TabInfo, "", "Herstellerhomepage aufrufen", -1},
      {"BtnUpdate", dialog.TabInfo, "Auf neue Version überprüfen", "", 0},
      {"ChkHints", dialog.TabGeneral, "Hinweise anzeigen", "", 1},
      {"ChkGridLines", dialog.TabGeneral, "Linien in der Dateiansicht anzeigen", "", 0},
      {"ChkKdmFile", dialog.TabGeneral, "KDM-File immer erzeugen",
       "KDM-File enthält Informationen über Quelldatei", 1},
      {"ChkSendTo", dialog.TabShell, "Verknüpfung zu Kardomel-Dateien erstellen", "", 0},
      {"ChkAutomaticaly", dialog.TabShell, "Automatisch splitten im", "", 0},
      {"RadSplitSrc", dialog.TabShell, "Quellverzeichnis", "", 1},
      {"RadSplitSel", dialog.TabShell, "gewählten Verzeichnis", "", 0},
      {"BtnSplittFolder", dialog.TabShell, "...", "Pfad auswählen", 0},
      {"LblSplitSize", dialog.TabShell, "Standardsplitgröße (Bytes)", "", -1},
      {"BtnUnit", dialog.TabShell, "...", "Dateigröße berechnen", 0},
      {"LblKitt", dialog.TabShell, "Automatisch kitten im", "", -1},
      {"RadKittSrc", dialog.TabShell, "Quellverzeichnis", "", 1},
      {"RadKittSel", dialog.TabShell, "gewählten Verzeichnis", "", 0},
      {"BtnKittFolder", dialog.TabShell, "...", "Pfad auswählen", 0},
      {"RadLoCompress", dialog.TabZip, "Niedrige Kompression", "", 1},
      {"RadHiCompress", dialog.TabZip, "Hohe Kompression", "", 0},
      {"ChkDirNames", dialog.TabZip, "Pfade speichern", "", 1},
      {"ChkSfx", dialog.TabZip, "Selbstauspackendes EXE-Archiv erstellen", "", 0},
      {"ChkEncrypt", dialog.TabZip, "Archiv mit Passwort schützen", "", 0},
      {"BtnOk", &dialog, "OK", "", 0},
      {"BtnCancel", &dialog, "Abbrechen", "", 0},
  };
  for (const auto& c : controls) {
    auto* widget = c.tab->findChild<QWidget*>(c.name);
    ASSERT_NE(widget, nullptr) << c.name;
    if (auto* label = qobject_cast<QLabel*>(widget)) {
      EXPECT_EQ(label->text(), QString::fromUtf8(c.text)) << c.name;
    }
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
      EXPECT_EQ(button->text(), QString::fromUtf8(c.text)) << c.name;
      EXPECT_EQ(button->isChecked(), c.checked == 1) << c.name;
    }
    EXPECT_EQ(widget->toolTip(), QString::fromUtf8(c.hint)) << c.name;
  }

  // Each radio pair is a choice of its own, though they share a tab sheet.
  dialog.RadSplitSel->setChecked(true);
  dialog.RadHiCompress->setChecked(true);
  EXPECT_TRUE(dialog.RadKittSrc->isChecked());
  EXPECT_FALSE(dialog.RadSplitSrc->isChecked());
  EXPECT_FALSE(dialog.RadLoCompress->isChecked());

  ASSERT_EQ(dialog.CbxDstSize->count(), static_cast<int>(kSizePresets.size()));
  for (int i = 0; i < dialog.CbxDstSize->count(); ++i)
    EXPECT_EQ(dialog.CbxDstSize->itemText(i), QString::fromUtf8(kSizePresets[i].Label)) << i;
  EXPECT_EQ(dialog.CbxDstSize->currentText(), QString::fromUtf8(kSizePresets[0].Label));
  EXPECT_TRUE(dialog.EdtSplitFolder->isReadOnly());
  EXPECT_FALSE(dialog.EdtKittFolder->isReadOnly());
  EXPECT_EQ(dialog.EdtPsw->echoMode(), QLineEdit::Normal);
  EXPECT_TRUE(dialog.BtnOk->isDefault());

  EXPECT_TRUE(dialog.LblProductName->font().bold());
  EXPECT_GT(dialog.LblProductName->font().pointSizeF(), dialog.LblVersion->font().pointSizeF());
  EXPECT_EQ(dialog.EdtWWW->textFormat(), Qt::PlainText);
  EXPECT_EQ(dialog.ImgHome->cursor().shape(), Qt::PointingHandCursor);
  EXPECT_EQ(dialog.UpdateDlg->PadFileURL, QString(kMakerWebAddress) + "/pad/kdm.xml");

  dialog.SetVersionText("9.00");
  EXPECT_EQ(dialog.LblVersion->text(), "Version 9.00");
  dialog.SetVersionText("9.01");  // the start-up may set it again
  EXPECT_EQ(dialog.LblVersion->text(), "Version 9.01");
}

TEST(FrmInfo, OptionsGoInAndComeOutAsOneValue) {
  TFrmInfo dialog;
  EXPECT_EQ(dialog.Options(), TOptions()) << "the dialog's design and a first start agree";
  TOptions changed;
  changed.Hints = false;
  changed.GridLines = true;
  changed.KdmFile = false;
  changed.Checksums = true;
  changed.ShellScript = true;
  changed.SendTo = true;
  changed.Automatic = true;
  changed.SplitSel = true;
  changed.SplitFolder = "/split/Ä/";
  changed.DstSize = "734000800";
  changed.KittSel = true;
  changed.KittFolder = "/kitt/";
  changed.Zip = {.HighCompression = true, .StorePaths = false, .Sfx = true, .Encrypt = true,
                 .Password = "Geheim €"};
  dialog.SetOptions(changed);
  EXPECT_EQ(dialog.Options(), changed);
  EXPECT_TRUE(dialog.RadHiCompress->isChecked());
  EXPECT_FALSE(dialog.RadKittSrc->isChecked());
  EXPECT_TRUE(dialog.findChild<QCheckBox*>("ChkChecksums")->isChecked());
  EXPECT_TRUE(dialog.findChild<QCheckBox*>("ChkShellScript")->isChecked());
  EXPECT_EQ(dialog.ChkShellScript->parentWidget(), dialog.TabGeneral);
  EXPECT_TRUE(dialog.CbxDstSize->isEnabled()) << "the enabling rules follow the value";
  EXPECT_TRUE(dialog.EdtPsw->isEnabled());
  dialog.SetOptions(TOptions());
  EXPECT_EQ(dialog.Options(), TOptions());
}

TEST(FrmInfo, EnablingFollowsTheShellAndAutomaticOptions) {
  const struct {
    bool sendTo, automatic;
    bool joinControls, splitControls;
  } cases[] = {
      {false, false, false, false},
      {false, true, false, false},  // automatic alone does not enable the split folder
      {true, false, true, false},
      {true, true, true, true},
  };
  TFrmInfo dialog;
  dialog.EdtSplitFolder->setText("/ziel/split");
  dialog.CbxDstSize->setEditText("123456");
  for (const auto& c : cases) {
    // In both orders, and always as a change, as a user or the settings
    // file makes it.
    for (bool automaticFirst : {false, true}) {
      dialog.ChkSendTo->setChecked(!c.sendTo);
      dialog.ChkAutomaticaly->setChecked(!c.automatic);
      if (automaticFirst) dialog.ChkAutomaticaly->setChecked(c.automatic);
      dialog.ChkSendTo->setChecked(c.sendTo);
      if (!automaticFirst) dialog.ChkAutomaticaly->setChecked(c.automatic);
      const std::string at = std::to_string(c.sendTo) + std::to_string(c.automatic) +
                             (automaticFirst ? " automatic first" : " shell first");
      for (QWidget* w : std::initializer_list<QWidget*>{
               dialog.ChkAutomaticaly, dialog.LblKitt, dialog.RadKittSrc, dialog.RadKittSel,
               dialog.BtnKittFolder, dialog.EdtKittFolder})
        EXPECT_EQ(w->isEnabled(), c.joinControls) << w->objectName().toStdString() << " " << at;
      for (QWidget* w : std::initializer_list<QWidget*>{
               dialog.RadSplitSrc, dialog.RadSplitSel, dialog.EdtSplitFolder, dialog.BtnSplittFolder,
               dialog.LblSplitSize, dialog.CbxDstSize, dialog.BtnUnit})
        EXPECT_EQ(w->isEnabled(), c.splitControls) << w->objectName().toStdString() << " " << at;
    }
  }
  // Disabled controls keep their values.
  EXPECT_EQ(dialog.EdtSplitFolder->text(), "/ziel/split");
  EXPECT_EQ(dialog.CbxDstSize->currentText(), "123456");
}

TEST(FrmInfo, PasswordFieldIsGreyAndKeepsItsTextWhileEncryptionIsOff) {
  TFrmInfo dialog;
  const QPalette standard = QApplication::palette(dialog.EdtPsw);
  const QColor window = standard.color(QPalette::Active, QPalette::Base);
  const QColor buttonFace = standard.color(QPalette::Active, QPalette::Button);
  ASSERT_NE(window, buttonFace);

  EXPECT_FALSE(dialog.EdtPsw->isEnabled());
  EXPECT_EQ(dialog.EdtPsw->palette().color(QPalette::Active, QPalette::Base), buttonFace);

  dialog.ChkEncrypt->click();
  EXPECT_TRUE(dialog.EdtPsw->isEnabled());
  EXPECT_EQ(dialog.EdtPsw->palette().color(QPalette::Active, QPalette::Base), window);
  dialog.EdtPsw->setText("geheim");

  dialog.ChkEncrypt->click();
  EXPECT_FALSE(dialog.EdtPsw->isEnabled());
  EXPECT_EQ(dialog.EdtPsw->palette().color(QPalette::Active, QPalette::Base), buttonFace);
  EXPECT_EQ(dialog.EdtPsw->text(), "geheim");

  // The settings file may tick the box while the dialog is hidden; showing
  // it brings the field in line too.
  dialog.ChkEncrypt->setChecked(true);
  OnModal([&](QDialog& d) {
    EXPECT_TRUE(dialog.EdtPsw->isEnabled());
    d.reject();
  });
  dialog.exec();
}

// Options for one close attempt: which choices are made and what the folder
// fields hold.
struct TCloseCase {
  const char* what;
  bool sendTo, automatic, splitSel, kittSel;
  const char* splitFolder;
  const char* kittFolder;
  const char* button;
  int result;                             // -1: the dialog stayed open
  std::vector<std::string> messages;      // the contents, in order
};

TEST(FrmInfo, OkChecksTheChosenFoldersOnlyWithTheShellOptionOn) {
  const char* kSplit = "Geben Sie einen gültigen Split-Verzeichnispfad ein.";
  const char* kKitt = "Geben Sie einen gültigen Kitt-Verzeichnispfad ein.";
  const TCloseCase cases[] = {
      {"both chosen, both empty", true, true, true, true, "", "", "BtnOk", -1, {kSplit, kKitt}},
      {"shell option off", false, true, true, true, "", "", "BtnOk", QDialog::Accepted, {}},
      {"cancel is not checked", true, true, true, true, "", "", "BtnCancel", QDialog::Rejected, {}},
      {"split folder only with automatic split", true, false, true, true, "", "/nicht/da", "BtnOk",
       QDialog::Accepted, {}},
      {"join folder empty", true, true, false, true, "", "", "BtnOk", -1, {kKitt}},
      {"split folder empty", true, true, true, false, "", "", "BtnOk", -1, {kSplit}},
      {"source folders need no path", true, true, false, false, "", "", "BtnOk", QDialog::Accepted, {}},
      {"folders that do not exist pass", true, true, true, true, "/gibt/es/nicht", "/auch/nicht",
       "BtnOk", QDialog::Accepted, {}},
  };
  for (const auto& c : cases) {
    TScriptedInteraction questions;
    TFrmInfo dialog;
    dialog.SetInteraction(&questions);
    dialog.ChkSendTo->setChecked(c.sendTo);
    dialog.ChkAutomaticaly->setChecked(c.automatic);
    (c.splitSel ? dialog.RadSplitSel : dialog.RadSplitSrc)->setChecked(true);
    (c.kittSel ? dialog.RadKittSel : dialog.RadKittSrc)->setChecked(true);
    dialog.EdtSplitFolder->setText(c.splitFolder);
    dialog.EdtKittFolder->setText(c.kittFolder);
    bool stayedOpen = false;
    OnModal([&](QDialog& d) {
      test::Click(d, c.button);
      stayedOpen = d.isVisible();
      if (stayedOpen) {
        // Refused with everything as it was.
        EXPECT_TRUE(dialog.ChkSendTo->isChecked()) << c.what;
        EXPECT_EQ(dialog.RadKittSel->isChecked(), c.kittSel) << c.what;
        d.reject();
      }
    });
    const int result = dialog.exec();
    EXPECT_EQ(stayedOpen ? -1 : result, c.result) << c.what;
    ASSERT_EQ(questions.Records().size(), c.messages.size()) << c.what;
    for (size_t i = 0; i < c.messages.size(); ++i) {
      const auto& r = questions.Records()[i];
      EXPECT_EQ(r.Instruction, "Verzeichnis ungültig.") << c.what;
      EXPECT_EQ(r.Content, c.messages[i]) << c.what;
      EXPECT_EQ(r.Kind, TMsgKind::Error) << c.what;
      EXPECT_EQ(r.Buttons, unsigned{mbOK}) << c.what;
    }
  }
}

TEST(FrmInfo, EscapeAndTheCloseBoxCancel) {
  TFrmInfo dialog;
  OnModal([](QDialog& d) { test::PressKey(d, Qt::Key_Escape); });
  EXPECT_EQ(dialog.exec(), QDialog::Rejected);
  OnModal([](QDialog& d) { d.close(); });
  EXPECT_EQ(dialog.exec(), QDialog::Rejected);
}

TEST(FrmInfo, AlwaysOpensOnTheInfoTabWithOkFocused) {
  TFrmInfo dialog;
  dialog.PageControl->setCurrentWidget(dialog.TabZip);
  for (int opening = 0; opening < 2; ++opening) {
    OnModal([&](QDialog& d) {
      EXPECT_TRUE(Activated(d));
      EXPECT_EQ(dialog.PageControl->currentWidget(), dialog.TabInfo) << opening;
      EXPECT_EQ(QApplication::focusWidget(), dialog.BtnOk) << opening;
      dialog.PageControl->setCurrentWidget(dialog.TabShell);
      d.reject();
    });
    dialog.exec();
  }
}

TEST(FrmInfo, FolderButtonsBrowseFromTheFieldAndChooseTheSelectedFolder) {
  struct TFolder {
    const char* what;
    QLineEdit* TFrmInfo::*field;
    QToolButton* TFrmInfo::*button;
    QRadioButton* TFrmInfo::*sel;
    QRadioButton* TFrmInfo::*src;
  };
  const TFolder folders[] = {
      {"split", &TFrmInfo::EdtSplitFolder, &TFrmInfo::BtnSplittFolder, &TFrmInfo::RadSplitSel, &TFrmInfo::RadSplitSrc},
      {"join", &TFrmInfo::EdtKittFolder, &TFrmInfo::BtnKittFolder, &TFrmInfo::RadKittSel, &TFrmInfo::RadKittSrc},
  };
  for (const auto& f : folders) {
    TScriptedInteraction questions;
    TFrmInfo dialog;
    dialog.SetInteraction(&questions);
    dialog.ChkSendTo->setChecked(true);
    dialog.ChkAutomaticaly->setChecked(true);
    QLineEdit* field = dialog.*f.field;

    // An empty field leaves the browser where it was last.
    questions.AnswerBrowse("/daten/ziel");
    (dialog.*f.button)->click();
    EXPECT_EQ(questions.LastBrowsePreset(), "") << f.what;
    EXPECT_EQ(field->text(), "/daten/ziel") << f.what;
    EXPECT_TRUE((dialog.*f.sel)->isChecked()) << f.what;

    // Cancelled: nothing changes, also not the choice of folder.
    (dialog.*f.src)->setChecked(true);
    questions.AnswerBrowse(std::nullopt);
    (dialog.*f.button)->click();
    EXPECT_EQ(questions.LastBrowsePreset(), "/daten/ziel") << f.what;
    EXPECT_EQ(field->text(), "/daten/ziel") << f.what;
    EXPECT_FALSE((dialog.*f.sel)->isChecked()) << f.what;
    EXPECT_EQ(questions.Unused(), 0u) << f.what;
  }
}

TEST(FrmInfo, SizeFieldTakesOnlyDigitsFromTheKeyboard) {
  TFrmInfo dialog;
  dialog.ChkSendTo->setChecked(true);
  dialog.ChkAutomaticaly->setChecked(true);
  QLineEdit* edit = dialog.CbxDstSize->lineEdit();
  OnModal([&](QDialog& d) {
    EXPECT_TRUE(Activated(d));
    dialog.PageControl->setCurrentWidget(dialog.TabShell);
    dialog.CbxDstSize->setFocus();
    edit->clear();
    // Typed where a user types: at the control that has the focus.
    QWidget* focus = QApplication::focusWidget();
    ASSERT_NE(focus, nullptr);
    QTest::keyClicks(focus, "1a2-3 ,.x4");
    EXPECT_EQ(edit->text(), "1234");
    QTest::keyClick(focus, Qt::Key_Backspace);
    EXPECT_EQ(edit->text(), "123");
    // Keys that move the cursor still work; they type nothing.
    QTest::keyClick(focus, Qt::Key_Home);
    QTest::keyClicks(focus, "9");
    EXPECT_EQ(edit->text(), "9123");
    d.reject();
  });
  dialog.exec();
}

TEST(FrmInfo, SizeFieldEvaluation) {
  TGermanLocale german;
  const struct {
    const char* text;
    const char* expected;
    const char* hint;
    bool learnt;  // the text heads the list afterwards
  } cases[] = {
      // A label becomes its bytes, and the bytes a new entry.
      {"CDROM 700MB", "734000800", "ca. 700,0 MB", true},
      {"1456128", "1456128", "ca. 1,4 MB", true},
      {"abc", "abc", "", false},
      {"0", "0", "", false},
      {"-5", "-5", "", false},
  };
  for (const auto& c : cases) {
    TFrmInfo dialog;
    dialog.CbxDstSize->setToolTip("alt");
    dialog.CbxDstSize->setEditText(c.text);
    dialog.CbxDstSizeExit();
    EXPECT_EQ(dialog.CbxDstSize->currentText(), c.expected) << c.text;
    EXPECT_EQ(dialog.CbxDstSize->toolTip(), c.hint) << c.text;
    EXPECT_EQ(dialog.CbxDstSize->count(), static_cast<int>(kSizePresets.size()) + (c.learnt ? 1 : 0))
        << c.text;
    if (c.learnt) {
      EXPECT_EQ(dialog.CbxDstSize->itemText(0), c.expected);
    }
    // Once is enough: evaluating again learns nothing more.
    dialog.CbxDstSizeExit();
    EXPECT_EQ(dialog.CbxDstSize->count(), static_cast<int>(kSizePresets.size()) + (c.learnt ? 1 : 0))
        << c.text;
  }
}

TEST(FrmInfo, SizeFieldIsEvaluatedOnPickingLeavingAndClosing) {
  TGermanLocale german;
  TFrmInfo dialog;
  dialog.ChkSendTo->setChecked(true);
  dialog.ChkAutomaticaly->setChecked(true);

  // Picking the last preset from the list with the keyboard.
  dialog.CbxDstSize->setCurrentIndex(12);
  QTest::keyClick(dialog.CbxDstSize, Qt::Key_Down);
  EXPECT_EQ(dialog.CbxDstSize->currentText(), "5046584000");
  EXPECT_EQ(dialog.CbxDstSize->toolTip(), "ca. 4812,8 MB");

  OnModal([&](QDialog& d) {
    EXPECT_TRUE(Activated(d));
    dialog.PageControl->setCurrentWidget(dialog.TabShell);
    dialog.CbxDstSize->setFocus();
    dialog.CbxDstSize->setEditText("2097152");
    dialog.EdtKittFolder->setFocus();
    EXPECT_EQ(dialog.CbxDstSize->toolTip(), "ca. 2,0 MB");
    dialog.CbxDstSize->setEditText(QString::fromUtf8(kSizePresets[0].Label));
    d.reject();
  });
  dialog.exec();
  EXPECT_EQ(dialog.CbxDstSize->currentText(), QString::number(kSizePresets[0].Bytes));
}

TEST(FrmInfo, SizeButtonOpensTheSizeEntryBelowTheField) {
  TGermanLocale german;
  TFrmInfo dialog;
  dialog.ChkSendTo->setChecked(true);
  dialog.ChkAutomaticaly->setChecked(true);
  bool sawBytes = false;
  OnModal([&](QDialog& d) {
    dialog.PageControl->setCurrentWidget(dialog.TabShell);
    OnModal([&](QDialog& inner) {
      auto* bytes = qobject_cast<TFrmBytes*>(&inner);
      ASSERT_NE(bytes, nullptr);
      sawBytes = true;
      const QPoint field = dialog.CbxDstSize->mapToGlobal(QPoint(0, 0));
      EXPECT_EQ(bytes->pos(), QPoint(field.x(), field.y() + 2 * dialog.CbxDstSize->height()));
      bytes->EdtUnit->setText("3");
      bytes->CbxUnit->setCurrentIndex(0);  // MB
      bytes->BtnOk->click();
    });
    dialog.BtnUnit->click();
    EXPECT_EQ(dialog.CbxDstSize->currentText(), "3145728");
    EXPECT_EQ(dialog.CbxDstSize->toolTip(), "ca. 3,0 MB");
    EXPECT_EQ(dialog.CbxDstSize->itemText(0), "3145728");

    // Closed without OK: the field stays as it is.
    OnModal([](QDialog& inner) { inner.reject(); });
    dialog.BtnUnit->click();
    EXPECT_EQ(dialog.CbxDstSize->currentText(), "3145728");
    d.reject();
  });
  dialog.exec();
  EXPECT_TRUE(sawBytes);
}

TEST(FrmInfo, LinksOpenTheMakersSiteAndAMailWithProductAndVersion) {
  testing::TUrlCatcher catcher;
  TFrmInfo dialog;
  dialog.SetLauncher(&catcher);
  dialog.SetVersionText("9.00");
  dialog.show();

  QTest::mouseClick(dialog.EdtWWW, Qt::LeftButton);
  QTest::mouseClick(dialog.ImgHome, Qt::LeftButton);
  QTest::mouseClick(dialog.LblMail, Qt::LeftButton);
  ASSERT_EQ(catcher.Opened.size(), 3u);
  EXPECT_EQ(catcher.Opened[0], QUrl(kMakerWebAddress));
  EXPECT_EQ(catcher.Opened[1], QUrl(kMakerWebAddress));
  const QUrl mail = catcher.Opened[2];
  EXPECT_EQ(mail.scheme(), "mailto");
  EXPECT_EQ(mail.path(), kMakerMailAddress);
  EXPECT_EQ(QUrlQuery(mail).queryItemValue("subject", QUrl::FullyDecoded), "Kardomel Version 9.00");

  // A press that is let go outside the label is no click.
  QTest::mousePress(dialog.EdtWWW, Qt::LeftButton);
  QTest::mouseRelease(dialog.EdtWWW, Qt::LeftButton, {}, QPoint(-5, -5));
  EXPECT_EQ(catcher.Opened.size(), 3u);
}

TEST(FrmInfo, UpdateButtonRunsTheCheckAndOpensNothingWithoutUpdaten) {
  testing::TUrlCatcher catcher;
  TFrmInfo dialog;
  dialog.SetLauncher(&catcher);
  QString title;
  OnModal([&](QDialog& d) {
    title = d.windowTitle();
    d.reject();
  });
  dialog.BtnUpdate->click();
  EXPECT_EQ(title, "Auf neue Version überprüfen");
  EXPECT_TRUE(catcher.Opened.empty());
}

// Opened again and again, the dialog stays where it first appeared, in the
// middle of the screen; it used to creep down by its title bar each time.
TEST(FrmInfo, OpensAtTheSamePlaceEachTime) {
  TFrmInfo dialog;
  std::vector<QRect> places;
  for (int i = 0; i < 3; ++i) {
    OnModal([&places](QDialog& shown) {
      places.push_back(shown.frameGeometry());
      shown.reject();
    });
    dialog.exec();
  }
  ASSERT_EQ(places.size(), 3u);
  EXPECT_EQ(places[1], places[0]);
  EXPECT_EQ(places[2], places[0]);
  const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
  EXPECT_LE(std::abs(places[0].center().x() - area.center().x()), 1);
  EXPECT_LE(std::abs(places[0].center().y() - area.center().y()), 1);
}

}  // namespace
}  // namespace kardomel
