// TFrmBytes and the conversion behind its "OK".
#include <gtest/gtest.h>

#include <QComboBox>
#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTest>
#include <limits>
#include <string>
#include <vector>

#include "dialogs/frm_bytes.h"
#include "ui/qt_text.h"
#include "modal_driver.h"
#include "support/errors.h"

namespace kardomel {
namespace {

using test::OnModal;
using test::PressKey;
using test::WaitFor;

TEST(UnitBytes, MegabytesAndGigabytes) {
  const struct {
    const char* count;
    const char* unit;
    int64_t expected;
  } cases[] = {
      {"1", "MB", 1048576},
      {"2", "GB", 2147483648},
      {"0", "GB", 0},
      {"4096", "MB", 4294967296},
      {"5", "GB", 5368709120},
      // The largest count each unit can carry in a signed 64-bit size.
      {"8796093022207", "MB", 8796093022207 * 1048576},
      {"8589934591", "GB", int64_t{8589934591} * 1073741824},
  };
  for (const auto& c : cases)
    EXPECT_EQ(UnitBytes(c.count, c.unit), c.expected) << c.count << " " << c.unit;
}

TEST(UnitBytes, UnreadableOrTooLargeCountsRaiseTheConversionError) {
  const struct {
    const char* count;
    const char* unit;
  } cases[] = {{"", "MB"}, {"12a", "MB"}, {"8796093022208", "MB"}, {"8589934592", "GB"},
               {"99999999999999999999", "GB"}};
  for (const auto& c : cases) {
    try {
      UnitBytes(c.count, c.unit);
      ADD_FAILURE() << "no error for " << c.count << " " << c.unit;
    } catch (const EConvertError& error) {
      EXPECT_EQ(std::string(error.what()), std::string("'") + c.count + "' ist kein gültiger Integerwert")
          << c.count;
    }
  }
}

TEST(FrmBytes, WideEnoughForTheProgramNameInItsTitleBar) {
  // With no caption text of its own, the title bar shows the program's name,
  // in bold, between the window icon and the close button.
  const QString saved = QCoreApplication::applicationName();
  QCoreApplication::setApplicationName(QStringLiteral("Kardomel"));
  TFrmBytes dialog;
  QFont bold = dialog.font();
  bold.setBold(true);
  const int titleBar = dialog.style()->pixelMetric(QStyle::PM_TitleBarHeight);
  EXPECT_GE(dialog.width() - 3 * titleBar,
            QFontMetrics(bold).horizontalAdvance(QGuiApplication::applicationDisplayName()));
  EXPECT_EQ(dialog.height(), 66);
  QCoreApplication::setApplicationName(saved);
}

TEST(FrmBytes, ControlsAtTheStart) {
  TFrmBytes dialog;
  EXPECT_EQ(dialog.objectName(), "FrmBytes");
  EXPECT_TRUE(dialog.windowTitle().isEmpty());
  EXPECT_EQ(dialog.windowFlags() & Qt::WindowType_Mask, Qt::Tool);
  EXPECT_EQ(dialog.EdtUnit->text(), "1");
  EXPECT_EQ(dialog.CbxUnit->count(), 2);
  EXPECT_EQ(dialog.CbxUnit->itemText(0), "MB");
  EXPECT_EQ(dialog.CbxUnit->itemText(1), "GB");
  EXPECT_EQ(dialog.CbxUnit->currentText(), "MB");
  EXPECT_FALSE(dialog.CbxUnit->isEditable());
  EXPECT_EQ(dialog.BtnOk->text(), "OK");
  EXPECT_TRUE(dialog.BtnOk->isDefault());
  dialog.show();
  EXPECT_TRUE(WaitFor([&] { return dialog.focusWidget() == dialog.EdtUnit; }));
}

TEST(FrmBytes, OnlyDigitsCanBeTyped) {
  TFrmBytes dialog;
  dialog.EdtUnit->clear();
  QTest::keyClicks(dialog.EdtUnit, "2,5 GB-1");
  EXPECT_EQ(dialog.EdtUnit->text(), "251");
}

TEST(FrmBytes, OkStoresTheProductAndCloses) {
  const struct {
    const char* name;
    const char* count;
    int unit;
    bool byEnter;
    int64_t expected;
  } cases[] = {
      {"2 GB", "2", 1, false, 2147483648},
      {"700 MB by Enter", "700", 0, true, 734003200},
  };
  for (const auto& c : cases) {
    TFrmBytes dialog;
    OnModal([&](QDialog&) {
      dialog.EdtUnit->setText(c.count);
      dialog.CbxUnit->setCurrentIndex(c.unit);
      if (c.byEnter)
        QTest::keyClick(dialog.EdtUnit, Qt::Key_Return);
      else
        dialog.BtnOk->click();
    });
    EXPECT_EQ(dialog.exec(), QDialog::Accepted) << c.name;
    EXPECT_EQ(dialog.Bytes(), c.expected) << c.name;
  }
}

TEST(FrmBytes, AnEmptyNumberReportsTheErrorAndStaysOpen) {
  TFrmBytes dialog;
  std::vector<std::string> errors;
  dialog.SetErrorHandler([&](const std::string& message) { errors.push_back(message); });
  bool stayedOpen = false;
  OnModal([&](QDialog&) {
    dialog.EdtUnit->clear();
    dialog.BtnOk->click();
    stayedOpen = dialog.isVisible();
    dialog.EdtUnit->setText("3");
    dialog.BtnOk->click();
  });
  EXPECT_EQ(dialog.exec(), QDialog::Accepted);
  EXPECT_TRUE(stayedOpen);
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_EQ(errors[0], "'' ist kein gültiger Integerwert\rBitte geben Sie die Anzahl der " +
                           ToStdString(dialog.CbxUnit->currentText()) + " ein.");
  EXPECT_EQ(dialog.Bytes(), 3 * 1048576);
}

TEST(FrmBytes, WithoutAHandlerTheErrorIsShownAsFehlermeldung) {
  TFrmBytes dialog;
  std::string instruction;
  OnModal([&](QDialog&) {
    dialog.EdtUnit->clear();
    OnModal([&](QDialog& message) {
      instruction = message.findChild<QLabel*>("LblInstruction")->text().toStdString();
      EXPECT_EQ(message.windowTitle(), "Fehler");
      message.done(1);
    });
    dialog.BtnOk->click();
    EXPECT_TRUE(dialog.isVisible());
    dialog.close();
  });
  EXPECT_EQ(dialog.exec(), QDialog::Rejected);
  EXPECT_EQ(instruction, "Fehlermeldung!");
}

TEST(FrmBytes, PlaceBelowPutsTheDialogUnderTheField) {
  QWidget window;
  window.move(100, 80);
  window.resize(300, 200);
  auto* field = new QLineEdit(&window);
  field->setGeometry(40, 30, 120, 24);
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  const QPoint fieldTop = field->mapToGlobal(QPoint(0, 0));
  for (int heights : {1, 2}) {
    TFrmBytes dialog;
    dialog.PlaceBelow(*field, heights);
    EXPECT_EQ(dialog.pos(), QPoint(fieldTop.x(), fieldTop.y() + heights * 24)) << heights;
  }
}

}  // namespace
}  // namespace kardomel
