// The window's start and end: the settings it loads and saves, the options
// dialog's OK and cancel, and the file named on the command line, joined or
// split at once with the window closing itself.
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <functional>

#include "app/gui/application.h"
#include "app/gui/shell_view.h"
#include "dialogs/frm_info.h"
#include "engine/part_size.h"
#include "support/errors.h"
#include "ui/task_dialog.h"
#include "window_fixture.h"

namespace kardomel::testing {
namespace {

class StartupTest : public TWindowTest {
 protected:
  std::string Ini() const { return config_ / "Kardomel.INI"; }

  // FormCreate on the test's settings file, then the command line, then the
  // window is shown; returns once the start-up has run. Both trees start at
  // the temp folder unless the settings name folders.
  void Start(std::vector<std::string> args = {}, bool foldersFromSettings = false) {
    window_->FormCreate(Ini());
    if (!foldersFromSettings) window_->SetStartFolders(temp_.Path(), temp_.Path());
    window_->SetCommandLine(std::move(args));
    window_->show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return window_->Started(); }, 15000));
    Settle();
  }

  // Writes Data as "data.bin" into Folder and splits it there into parts of
  // 1000 bytes, as an earlier run would have left them; the file itself is
  // removed. Returns the file's path.
  std::string MakeSet(const std::string& folder, const std::string& data) {
    const std::string name = "data.bin";
    WriteFile(folder + name, data);
    TFrmMain splitter(&env_);
    splitter.SetResponder(&ui_);
    splitter.SetStartFolders(folder, folder);
    splitter.show();
    EXPECT_TRUE(QTest::qWaitFor([&] { return splitter.Started(); }, 5000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return splitter.LstSrc->SelectName(QString::fromStdString(name)); }, 5000));
    Settle();
    splitter.CbxDstSize->setFocus();
    splitter.CbxDstSize->setEditText("1000");
    EXPECT_TRUE(splitter.BtnSplitClick(&splitter));
    EXPECT_NE(ui_.Find("Datei wurde geteilt."), nullptr);
    std::remove((folder + name).c_str());
    return folder + name;
  }

  std::string IniText() const { return ReadFile(Ini()); }

  TTempFolder config_;
};

// Runs Action on the next modal dialog once it is open.
void OnModal(std::function<void(QDialog&)> action) {
  auto* timer = new QTimer;
  QObject::connect(timer, &QTimer::timeout, [timer, action] {
    if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
      timer->stop();
      timer->deleteLater();
      action(*dialog);
    }
  });
  timer->start(20);
}

TEST_F(StartupTest, FirstStartHasTheDefaultsAndTheCloseSavesThem) {
  Start();
  EXPECT_EQ(window_->pos(), QPoint(0, 0));
  // The default size, wider where the captions need more (the minimum size).
  const QSize standard = QSize(611, 562).expandedTo(window_->minimumSize());
  EXPECT_EQ(window_->size(), standard);
  EXPECT_TRUE(window_->RadSameDir->isChecked());
  EXPECT_TRUE(window_->ChkBatch->isChecked());
  EXPECT_FALSE(window_->ChkDelete->isChecked());
  TFrmInfo& info = *window_->FrmInfo();
  EXPECT_TRUE(info.ChkHints->isChecked());
  EXPECT_TRUE(info.ChkKdmFile->isChecked());
  EXPECT_TRUE(info.RadLoCompress->isChecked());
  EXPECT_TRUE(info.ChkDirNames->isChecked());
  EXPECT_TRUE(info.EdtPsw->text().isEmpty());
  EXPECT_EQ(info.CbxDstSize->currentText(), kSizePresets[0].Label);
  EXPECT_FALSE(FileExists(Ini())) << "a start writes nothing";

  window_->close();
  const std::string text = IniText();
  // A new file has its keys in the order they are written, by section.
  const std::string order[] = {
      "[FrmMain]", "WindowState=0", "Left=0", "Top=0",
      "Width=" + std::to_string(standard.width()), "Height=562", "[Window]",
      "SplitClient=", "SplitSrc=", "SplitDst=", "Hints=1", "KdmFile=1", "[Options]", "Batch=1",
      "GridLines=0", "SendTo=0", "Automatic=0", "KittSel=0", "SplitSel=0",
      std::string("DstSize=") + kSizePresets[0].Label, "Delete=0", "RadLoCompress=1",
      "ChkDirNames=1", "ChkSfx=0", "ChkEncrypt=0", "EdtPsw=\n", "[Paths]", "KittFolder=",
      "SplitFolder=", "Src=", "Dst=", "SrcDst=1"};
  size_t at = 0;
  for (const std::string& key : order) {
    const size_t found = text.find(key, at);
    ASSERT_NE(found, std::string::npos) << key << " after " << at << " in\n" << text;
    at = found;
  }
}

TEST_F(StartupTest, SettingsSurviveARestart) {
  const std::string umlauts = temp_ / "Übergröße Ä";
  ASSERT_EQ(Shell("mkdir " + Quote(umlauts)), 0);
  Start();
  TFrmInfo& info = *window_->FrmInfo();
  window_->RadOtherDir->click();
  window_->TreeDst->SetSelectedPathName(umlauts);
  window_->ChkBatch->setChecked(false);
  window_->ChkDelete->setChecked(true);
  info.ChkHints->setChecked(false);
  info.ChkGridLines->setChecked(true);
  info.ChkSendTo->setChecked(true);
  info.RadKittSel->setChecked(true);
  info.EdtKittFolder->setText(QString::fromStdString(umlauts + std::string(300, 'x')));
  info.CbxDstSize->setEditText("123456");
  info.RadHiCompress->setChecked(true);
  info.ChkEncrypt->setChecked(true);
  info.EdtPsw->setText("abc");
  // On the offscreen screen of 800 pixels, at the window's minimum width.
  const int width = window_->minimumWidth();
  const QPoint placed(std::min(40, 800 - width), 30);
  window_->move(placed);
  window_->resize(width, 580);
  Settle();
  window_->close();
  const std::string text = IniText();
  EXPECT_NE(text.find("EdtPsw="), std::string::npos);
  EXPECT_EQ(text.find("EdtPsw=abc"), std::string::npos) << "the password is stored scrambled";
  EXPECT_NE(text.find("Dst=" + umlauts + "\n"), std::string::npos) << text;

  TScriptedInteraction ui;
  TFrmMain next(&env_);
  next.SetResponder(&ui);
  next.FormCreate(Ini());
  EXPECT_EQ(next.pos(), placed);
  EXPECT_EQ(next.size(), QSize(width, 580));
  EXPECT_TRUE(next.RadOtherDir->isChecked());
  EXPECT_FALSE(next.ChkBatch->isChecked());
  EXPECT_TRUE(next.ChkDelete->isChecked());
  TFrmInfo& restored = *next.FrmInfo();
  EXPECT_FALSE(restored.ChkHints->isChecked());
  EXPECT_TRUE(restored.ChkGridLines->isChecked());
  EXPECT_TRUE(next.LstSrc->GridLines());
  EXPECT_TRUE(next.LstDst->GridLines());
  EXPECT_TRUE(restored.RadKittSel->isChecked());
  EXPECT_EQ(restored.EdtKittFolder->text().toStdString(), umlauts + std::string(300, 'x'));
  EXPECT_EQ(restored.CbxDstSize->currentText(), "123456");
  EXPECT_TRUE(restored.RadHiCompress->isChecked());
  EXPECT_EQ(restored.EdtPsw->text(), "abc");
  EXPECT_EQ(restored.Options(), info.Options()) << "every option comes back";
  next.show();
  ASSERT_TRUE(QTest::qWaitFor([&] { return next.Started(); }, 5000));
  EXPECT_EQ(next.TreeDst->SelectedPathName(), umlauts);
}

TEST_F(StartupTest, PlacementStaysOnTheDesktopAndMaximisedComesBack) {
  // The offscreen platform has one screen of 800 × 600.
  const struct {
    const char* stored;
    QPoint pos;
    QSize size;
    bool maximised;
  } cases[] = {
      {"Left=500\r\nTop=10\r\nWidth=700\r\nHeight=580\r\n", {800 - 611, 10}, {611, 580}, false},
      {"Left=-50\r\nTop=-20\r\nWidth=640\r\nHeight=540\r\n", {0, 0}, {640, 540}, false},
      {"WindowState=2\r\nLeft=20\r\nTop=10\r\n", {20, 10}, {611, 562}, true},
      {"WindowState=1\r\nLeft=20\r\nTop=10\r\n", {20, 10}, {611, 562}, false},
  };
  for (const auto& c : cases) {
    WriteFile(Ini(), std::string("[FrmMain]\r\n") + c.stored);
    TScriptedInteraction ui;
    TFrmMain window(&env_);
    window.SetResponder(&ui);
    window.FormCreate(Ini());
    EXPECT_EQ(window.isMaximized(), c.maximised) << c.stored;
    EXPECT_FALSE(window.isMinimized()) << c.stored;
    if (!c.maximised) {
      // Never narrower than the minimum size, never reaching past the
      // screen's right edge.
      const QSize size = c.size.expandedTo(window.minimumSize());
      QPoint pos = c.pos;
      pos.setX(std::max(0, std::min(pos.x(), 800 - size.width())));
      EXPECT_EQ(window.pos(), pos) << c.stored;
      EXPECT_EQ(window.size(), size) << c.stored;
    }
  }
}

TEST_F(StartupTest, CancelBringsBackTheStoredOptionsAndOkSavesThem) {
  WriteFile(Ini(), "[Options]\r\nBatch=1\r\nDstSize=700000\r\n[Window]\r\nHints=1\r\n");
  Start();
  TFrmInfo& info = *window_->FrmInfo();
  window_->ChkBatch->setChecked(false);
  OnModal([&](QDialog& dialog) {
    EXPECT_EQ(&dialog, &info);
    info.ChkHints->setChecked(false);
    info.CbxDstSize->setEditText("5");
    info.ChkEncrypt->setChecked(true);
    info.BtnCancel->click();
  });
  window_->BtnInfoClick();
  EXPECT_TRUE(info.ChkHints->isChecked());
  EXPECT_EQ(info.CbxDstSize->currentText(), "700000");
  EXPECT_FALSE(info.ChkEncrypt->isChecked());
  EXPECT_TRUE(window_->ChkBatch->isChecked()) << "the window's own check box is stored too";

  OnModal([&](QDialog&) {
    info.ChkHints->setChecked(false);
    info.ChkGridLines->setChecked(true);
    info.BtnOk->click();
  });
  window_->BtnInfoClick();
  EXPECT_TRUE(window_->LstSrc->GridLines());
  const std::string text = IniText();
  EXPECT_NE(text.find("Hints=0"), std::string::npos) << text;
  EXPECT_NE(text.find("GridLines=1"), std::string::npos) << text;
  EXPECT_NE(text.find("[FrmMain]"), std::string::npos) << "OK saves the whole file";
}

TEST_F(StartupTest, GarbledSettingsGiveTheDefaults) {
  WriteFile(Ini(), "[FrmMain]\r\nWidth=wide\r\nWindowState=7\r\n[Options]\r\nBatch=yes\r\n"
                   "EdtPsw=zz!\r\n[Paths]\r\nSrcDst=\r\n");
  Start();
  EXPECT_EQ(window_->size(), QSize(611, 562).expandedTo(window_->minimumSize()));
  EXPECT_FALSE(window_->isMaximized());
  EXPECT_TRUE(window_->ChkBatch->isChecked());
  EXPECT_TRUE(window_->RadSameDir->isChecked());
}

TEST_F(StartupTest, ACloseThatCannotSaveSaysSoAndStillCloses) {
  // The settings "file" is a folder: nothing can be written there.
  ASSERT_EQ(Shell("mkdir " + Quote(Ini())), 0);
  Start();
  window_->close();
  EXPECT_FALSE(window_->isVisible());
  const TRecord* error = ui_.Find("Fehlermeldung!");
  ASSERT_NE(error, nullptr);
  EXPECT_EQ(error->Content, "In " + Ini() + " kann nicht geschrieben werden");
}

TEST_F(StartupTest, AJoinCaseIsJoinedAndTheWindowCloses) {
  const std::string data = PatternBytes(3500);
  const std::string source = MakeSet(temp_.Path(), data);
  TTempFolder other;
  const std::string mine = other.Path().substr(0, other.Path().size() - 1);
  WriteFile(Ini(), "[Paths]\r\nSrcDst=0\r\nDst=" + mine + "\r\nSrc=" + temp_.Path() + "\r\n");
  Start({temp_ / "data.002"}, true);
  EXPECT_EQ(ReadFile(source), data);
  EXPECT_NE(ui_.Find("Teildateien zusammengesetzt."), nullptr);
  EXPECT_FALSE(window_->isVisible());
  // The join went into the source folder, but the user's choice is kept.
  EXPECT_TRUE(window_->RadOtherDir->isChecked());
  EXPECT_EQ(window_->TreeDst->SelectedPathName(), mine);
  EXPECT_NE(IniText().find("SrcDst=0"), std::string::npos);
  EXPECT_NE(IniText().find("Dst=" + mine + "\r\n"), std::string::npos);
}

TEST_F(StartupTest, AnAutomaticJoinIntoTheChosenFolderCreatesIt) {
  const std::string data = PatternBytes(2500);
  MakeSet(temp_.Path(), data);
  const std::string target = temp_ / "out/deeper";
  WriteFile(Ini(), "[Options]\r\nSendTo=1\r\nKittSel=1\r\n[Paths]\r\nKittFolder=" + target + "\r\n");
  Start({temp_ / "data.KDM"});
  EXPECT_EQ(ReadFile(target + "/data.bin"), data);
  EXPECT_FALSE(window_->isVisible());
  EXPECT_TRUE(window_->RadSameDir->isChecked());
  EXPECT_EQ(window_->TreeDst->SelectedPathName() + "/", temp_.Path());
}

TEST_F(StartupTest, AJoinIntoAnEmptyChosenFolderStopsWithAnError) {
  MakeSet(temp_.Path(), PatternBytes(1500));
  WriteFile(Ini(), "[Options]\r\nSendTo=1\r\nKittSel=1\r\n");
  Start({temp_ / "data.001"});
  const TRecord* error = ui_.Find("Fehlermeldung!");
  ASSERT_NE(error, nullptr);
  EXPECT_EQ(error->Content, "Verzeichnis kann nicht erstellt werden");
  EXPECT_FALSE(FileExists(temp_ / "data.bin"));
  EXPECT_TRUE(window_->isVisible());
  EXPECT_TRUE(window_->RadSameDir->isChecked());
}

TEST_F(StartupTest, AnAutomaticSplitUsesTheDefaultSizeAndFolder) {
  const std::string data = PatternBytes(5000);
  WriteFile(temp_ / "movie.mkv", data);
  const std::string target = temp_ / "parts/new";
  WriteFile(Ini(), "[Options]\r\nAutomatic=1\r\nSplitSel=1\r\nDstSize=2000\r\n[Paths]\r\nSplitFolder=" +
                       target + "\r\n");
  Start({temp_ / "movie.mkv"});
  EXPECT_NE(ui_.Find("Datei wurde geteilt."), nullptr);
  EXPECT_EQ(FileSize(target + "/movie.001"), 2000);
  EXPECT_EQ(FileSize(target + "/movie.003"), 1000);
  EXPECT_FALSE(FileExists(target + "/movie.004"));
  EXPECT_FALSE(window_->isVisible());
  // The run's folder is not the user's choice: the window keeps its own.
  EXPECT_TRUE(window_->RadSameDir->isChecked());
  EXPECT_EQ(window_->TreeDst->SelectedPathName() + "/", temp_.Path());
}

TEST_F(StartupTest, AnAutomaticSplitWithoutAUsableSizeWarnsAndCloses) {
  WriteFile(temp_ / "movie.mkv", PatternBytes(5000));
  WriteFile(Ini(), "[Options]\r\nAutomatic=1\r\nDstSize=\r\n");
  Start({temp_ / "movie.mkv"});
  // The count the size gives is checked first, then the split refuses.
  EXPECT_EQ(ui_.Instructions(),
            (std::vector<std::string>{"Fehlerhafte Eingabe.", "Eingabe erwartet."}));
  EXPECT_EQ(ListNames(temp_.Path()), std::vector<std::string>{"movie.mkv"});
  EXPECT_FALSE(window_->isVisible());
}

TEST_F(StartupTest, ASplitCaseWithoutTheAutomaticOnlySelectsTheFile) {
  WriteFile(temp_ / "archive.100", PatternBytes(100));
  Start({temp_ / "archive.100"});
  EXPECT_TRUE(window_->isVisible());
  ASSERT_TRUE(window_->LstSrc->SelectedItem());
  EXPECT_EQ(window_->LstSrc->SelectedItem()->FileName, "archive.100");
  EXPECT_EQ(window_->SrcSize(), 100);
  // The commands match the selected file, and the size is to be typed.
  EXPECT_TRUE(window_->ActSplit->isEnabled());
  EXPECT_FALSE(window_->ActGlue->isEnabled());
  QWidget* focus = window_->focusWidget();
  EXPECT_TRUE(focus == window_->CbxDstSize || window_->CbxDstSize->isAncestorOf(focus));
  EXPECT_TRUE(FileExists(temp_ / "archive.100"));
  EXPECT_EQ(ListNames(temp_.Path()).size(), 1u);
}

TEST_F(StartupTest, AFileHandedOverByALaterStartIsOnlySelected) {
  Start();
  const std::string sub = temp_ / "sub/";
  ASSERT_TRUE(QDir().mkpath(QString::fromStdString(sub)));
  MakeSet(sub, PatternBytes(2500));
  const std::vector<std::string> set = ListNames(sub);

  window_->SelectHandedFile(sub + "data.001");
  Settle();
  EXPECT_TRUE(window_->isVisible());
  EXPECT_EQ(window_->TreeSrc->SelectedPathName() + "/", sub);
  ASSERT_TRUE(window_->LstSrc->SelectedItem());
  EXPECT_EQ(window_->LstSrc->SelectedItem()->FileName, "data.001");
  // Ready to join, but not joined: the user decides.
  EXPECT_TRUE(window_->ActGlue->isEnabled());
  EXPECT_EQ(ListNames(sub), set);

  // A name that is gone by now changes nothing.
  window_->SelectHandedFile(temp_ / "gone.bin");
  Settle();
  EXPECT_EQ(window_->TreeSrc->SelectedPathName() + "/", sub);
  ASSERT_TRUE(window_->LstSrc->SelectedItem());
  EXPECT_EQ(window_->LstSrc->SelectedItem()->FileName, "data.001");
}

TEST_F(StartupTest, ArgumentsThatAreNoFileStartNormally) {
  const std::vector<std::string> cases[] = {{temp_.Path()}, {temp_ / "missing.001"}, {""}};
  for (const auto& args : cases) {
    window_ = std::make_unique<TFrmMain>(&env_);
    window_->SetResponder(&ui_);
    Start(args);
    EXPECT_TRUE(window_->isVisible()) << args[0];
    EXPECT_FALSE(window_->LstSrc->SelectedItem()) << args[0];
    EXPECT_TRUE(ui_.Records().empty()) << args[0];
  }
}

}  // namespace
}  // namespace kardomel::testing

namespace kardomel::testing {
namespace {

// An object whose event handler fails the way a command's may.
class TFailingObject : public QObject {
 public:
  bool event(QEvent* event) override {
    if (event->type() == QEvent::User) throw EKardomel("Das ging schief.");
    return QObject::event(event);
  }
};

TEST(ApplicationEventsException, ShowsTheErrorAndTheProgramGoesOn) {
  QString instruction, content;
  OnModal([&](QDialog& dialog) {
    auto* message = qobject_cast<TTaskDialog*>(&dialog);
    ASSERT_NE(message, nullptr);
    instruction = message->Instruction()->text();
    content = message->Content()->text();
    dialog.findChild<QPushButton*>("BtnOk")->click();
  });
  TFailingObject failing;
  QCoreApplication::postEvent(&failing, new QEvent(QEvent::User));
  ASSERT_TRUE(QTest::qWaitFor([&] { return !content.isEmpty(); }, 5000));
  EXPECT_EQ(instruction, "Fehlermeldung!");
  EXPECT_EQ(content, "Das ging schief.");
  // Later events are delivered as before.
  QCoreApplication::postEvent(&failing, new QEvent(QEvent::None));
  QCoreApplication::processEvents();
}

}  // namespace
}  // namespace kardomel::testing

namespace kardomel::testing {
namespace {

TEST(BringToFront, RestoresAMinimisedWindow) {
  QWidget window;
  window.showMinimized();
  ASSERT_TRUE(window.isMinimized());
  BringToFront(window);
  EXPECT_FALSE(window.isMinimized());
  EXPECT_TRUE(window.isVisible());
}

}  // namespace
}  // namespace kardomel::testing
