#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryFile>
#include <QTimer>

#include "dialogs/update/frm_update.h"
#include "dialogs/update/standard_box.h"
#include "dialogs/update/update_dlg.h"
#include "pad_server.h"
#include "support/maker.h"
#include "fakes/url_catcher.h"
#include "ui/desktop_launcher.h"

// Failures show texts, not code units.
inline void PrintTo(const QString& text, std::ostream* out) { *out << text.toStdString(); }

namespace kardomel {
namespace {

const QString kNew = QString::fromUtf8("Es ist eine neue Programmversion verfügbar!");
const QString kNone = QString::fromUtf8("Es ist keine neue Version verfügbar!");
const QString kFailed = QString::fromUtf8("Die Prüfung konnte nicht durchgeführt werden!");

QByteArray Pad(const QByteArray& version) {
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<XML_DIZ_INFO>"
         "<Company_Info><Program_Version>1.0</Program_Version></Company_Info>"
         "<Program_Info><Program_Name>Kardomel</Program_Name><Program_Version>" +
         version + "</Program_Version></Program_Info></XML_DIZ_INFO>";
}

// Counts the error boxes instead of showing them.
class UpdateCheck : public ::testing::Test {
 protected:
  void SetUp() override {
    SetStandardErrorBox([this](QWidget*, const QString& title, const QString& text) {
      ++boxes_;
      EXPECT_EQ(title, "Fehler");
      EXPECT_EQ(text, kFailed);
    });
  }
  void TearDown() override { SetStandardErrorBox({}); }

  template <typename T>
  static T* Control(QWidget& form, const char* name) {
    T* control = form.findChild<T*>(name);
    EXPECT_NE(control, nullptr) << name;
    return control;
  }

  // Runs one check and waits for its end.
  void Check(TFrmUpdate& form, const QString& url) {
    form.FPadFileURL = url;
    QSignalSpy finished(&form, &TFrmUpdate::CheckFinished);
    Control<QPushButton>(form, "BtnCheck")->click();
    EXPECT_TRUE(form.Checking());
    ASSERT_TRUE(finished.wait(10000)) << url.toStdString();
    EXPECT_FALSE(form.Checking());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_TRUE(Control<QProgressBar>(form, "Animate")->isHidden());
    EXPECT_TRUE(Control<QPushButton>(form, "BtnCheck")->isEnabled());
  }

  int boxes_ = 0;
};

QString RefusedUrl() {
  QTcpServer probe;
  probe.listen(QHostAddress::LocalHost);
  quint16 port = probe.serverPort();
  probe.close();
  return QStringLiteral("http://127.0.0.1:%1/pad/kdm.xml").arg(port);
}

TEST_F(UpdateCheck, ComparesThePublishedVersion) {
  QTemporaryFile secret;
  ASSERT_TRUE(secret.open());
  secret.write("SECRET");
  secret.flush();
  const QByteArray external = "<?xml version=\"1.0\"?><!DOCTYPE XML_DIZ_INFO [<!ENTITY s SYSTEM \"file://" +
                              secret.fileName().toUtf8() + "\">]>" + Pad("&s;").mid(39);
  struct {
    const char* name;
    int status;          // 0: no server at all
    QByteArray body;
    const char* running;
    QString info;
    const char* server;  // what LblVerServer shows
    bool newer;          // bold, red, "Updaten" enabled
    bool box;
  } cases[] = {
      {"newer", 200, Pad("9.01"), "9.00", kNew, "9.01", true, false},
      {"equal", 200, Pad("9.00"), "9.00", kNone, "9.00", false, false},
      {"decimal not part by part", 200, Pad("9.10"), "9.9", kNone, "9.10", false, false},
      {"running with a suffix", 200, Pad("9.01"), "9.00 beta", kNew, "9.01", true, false},
      {"blanks around", 200, Pad(" 9.5"), "9.00", kNew, " 9.5", true, false},
      {"decimal comma", 200, Pad("9,01"), "9.00", kFailed, "9,01", false, true},
      {"running undefined", 200, Pad("9.01"), "Undefiniert", kFailed, "9.01", false, true},
      {"no such node", 200, "<XML_DIZ_INFO><Program_Info/></XML_DIZ_INFO>", "9.00", kFailed, "",
       false, true},
      {"version outside Program_Info", 200, "<XML_DIZ_INFO><Program_Version>9.5</Program_Version></XML_DIZ_INFO>",
       "9.00", kFailed, "", false, true},
      {"other root", 200, "<Other><Program_Info><Program_Version>9.5</Program_Version></Program_Info></Other>",
       "9.00", kFailed, "", false, true},
      {"not XML", 200, "<html><body>Not found", "9.00", "", "", false, true},
      {"external entity", 200, external, "9.00", "", "", false, true},
      {"HTTP 404", 404, Pad("9.01"), "9.00", "", "", false, true},
      {"no server", 0, "", "9.00", "", "", false, true},
  };
  for (const auto& c : cases) {
    TPadServer server;
    server.Serve(c.status, c.body);
    TFrmUpdate form;
    Control<QLabel>(form, "LblVer")->setText(c.running);
    boxes_ = 0;
    Check(form, c.status == 0 ? RefusedUrl() : server.Url());
    QLabel* info = Control<QLabel>(form, "LblInfo");
    QLabel* published = Control<QLabel>(form, "LblVerServer");
    EXPECT_EQ(info->text(), c.info) << c.name;
    EXPECT_EQ(published->text(), c.server) << c.name;
    EXPECT_EQ(published->font().bold(), c.newer) << c.name;
    EXPECT_EQ(info->palette().color(QPalette::WindowText) == QColor(Qt::red), c.newer) << c.name;
    EXPECT_EQ(Control<QPushButton>(form, "BtnUpdate")->isEnabled(), c.newer) << c.name;
    EXPECT_EQ(boxes_, c.box ? 1 : 0) << c.name;
  }
}

TEST_F(UpdateCheck, UpdatenStaysEnabledAndTheLabelsReset) {
  TPadServer server;
  server.Serve(200, Pad("9.50"));
  TFrmUpdate form;
  Check(form, server.Url());
  ASSERT_TRUE(Control<QPushButton>(form, "BtnUpdate")->isEnabled());
  Check(form, RefusedUrl());
  EXPECT_EQ(boxes_, 1);
  EXPECT_TRUE(Control<QPushButton>(form, "BtnUpdate")->isEnabled());
  EXPECT_EQ(Control<QLabel>(form, "LblVerServer")->text(), "");
  EXPECT_FALSE(Control<QLabel>(form, "LblVerServer")->font().bold());
  EXPECT_EQ(Control<QLabel>(form, "LblInfo")->text(), "");
}

// Runs Script once the modal dialog is up.
void WhenShown(std::function<void(TFrmUpdate&)> script) {
  QTimer::singleShot(0, [script] {
    auto* form = qobject_cast<TFrmUpdate*>(QApplication::activeModalWidget());
    ASSERT_NE(form, nullptr);
    script(*form);
  });
}

TEST_F(UpdateCheck, OnlyUpdatenOpensTheMakersSite) {
  testing::TUrlCatcher catcher;
  TPadServer server;
  server.Serve(200, Pad("10.00"));
  TUpdateDlg dlg;
  dlg.PadFileURL = server.Url();
  EXPECT_EQ(DefaultPadFileURL(), QString(kMakerWebAddress) + "/pad/kdm.xml");

  WhenShown([](TFrmUpdate& form) { form.findChild<QPushButton*>("BtnCancel")->click(); });
  EXPECT_FALSE(RunUpdateCheck(dlg, nullptr, catcher));
  EXPECT_TRUE(catcher.Opened.empty());

  WhenShown([url = server.Url()](TFrmUpdate& form) {
    EXPECT_EQ(form.FPadFileURL, url);
    QObject::connect(&form, &TFrmUpdate::CheckFinished, &form,
                     [&form] { form.findChild<QPushButton*>("BtnUpdate")->click(); });
    form.findChild<QPushButton*>("BtnCheck")->click();
  });
  EXPECT_TRUE(RunUpdateCheck(dlg, nullptr, catcher));
  ASSERT_EQ(catcher.Opened.size(), 1u);
  EXPECT_EQ(catcher.Opened[0], QUrl(kMakerWebAddress));
  EXPECT_EQ(server.Requests(), 1);
}

TEST_F(UpdateCheck, AStalledDownloadGivesUp) {
  EXPECT_EQ(TFrmUpdate().FTransferTimeout, 30000);
  const QByteArray body = Pad("9.01");
  const struct {
    const char* name;
    qsizetype stallAfter;  // bytes of the body sent; -1: not even the headers
  } cases[] = {
      {"no answer", -1},
      {"headers only", 0},
      {"half the file", body.size() / 2},
  };
  for (const auto& c : cases) {
    TPadServer server;
    server.Serve(200, body);
    if (c.stallAfter < 0)
      server.StaySilent();
    else
      server.StallAfter(c.stallAfter);
    TFrmUpdate form;
    form.FTransferTimeout = 300;
    boxes_ = 0;
    Check(form, server.Url());
    EXPECT_EQ(server.Requests(), 1) << c.name;
    EXPECT_EQ(boxes_, 1) << c.name;
    EXPECT_EQ(Control<QLabel>(form, "LblInfo")->text(), "") << c.name;
    EXPECT_EQ(Control<QLabel>(form, "LblVerServer")->text(), "") << c.name;
    EXPECT_FALSE(Control<QPushButton>(form, "BtnUpdate")->isEnabled()) << c.name;
  }
}

TEST_F(UpdateCheck, ClosingCancelsAWaitingCheck) {
  TPadServer server;
  server.StaySilent();
  TUpdateDlg dlg;
  dlg.PadFileURL = server.Url();
  WhenShown([&server](TFrmUpdate& form) {
    form.findChild<QPushButton*>("BtnCheck")->click();
    // The dialog still answers while the server keeps it waiting.
    QTimer* poll = new QTimer(&form);
    QObject::connect(poll, &QTimer::timeout, &form, [&form, &server] {
      if (server.Requests() == 0) return;
      EXPECT_TRUE(form.Checking());
      form.findChild<QPushButton*>("BtnCancel")->click();
    });
    poll->start(10);
  });
  EXPECT_FALSE(dlg.Execute(nullptr));
  EXPECT_EQ(boxes_, 0);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

}  // namespace
}  // namespace kardomel

