#include "window_fixture.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include "app/gui/shell_view.h"

namespace kardomel::testing {

void TWindowTest::SetUp() {
  window_ = std::make_unique<TFrmMain>(&env_);
  window_->SetResponder(&ui_);
}

void TWindowTest::TearDown() {
  window_.reset();
  EXPECT_EQ(ui_.Unused(), 0u) << "answers left unused";
}

void TWindowTest::Open(const std::string& folder) {
  const std::string shown = folder.empty() ? temp_.Path() : folder;
  window_->SetStartFolders(shown, shown);
  window_->show();
  QApplication::setActiveWindow(window_.get());
  ASSERT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
  Settle();
}

void TWindowTest::Select(std::initializer_list<const char*> names) {
  bool first = true;
  for (const char* name : names) {
    const bool found =
        QTest::qWaitFor([&] { return window_->LstSrc->SelectName(name, !first); }, 5000);
    ASSERT_TRUE(found) << name << " not listed";
    first = false;
  }
  Settle();
}

void TWindowTest::TypeSize(const QString& text) {
  window_->CbxDstSize->setFocus();
  window_->CbxDstSize->lineEdit()->selectAll();
  QTest::keyClicks(window_->CbxDstSize->lineEdit(), text);
}

void TWindowTest::PickPreset(int index) {
  window_->CbxDstSize->setCurrentIndex(index);
  emit window_->CbxDstSize->activated(index);
}

void TWindowTest::Settle() {
  for (int i = 0; i < 3; ++i) QApplication::processEvents();
}

}  // namespace kardomel::testing
