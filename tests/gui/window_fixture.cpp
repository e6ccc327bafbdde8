#include "window_fixture.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <cstdlib>

#include "app/gui/shell_view.h"

namespace kardomel::testing {

std::string EnvVariable(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

void RestoreEnvVariable(const char* name, const std::string& value) {
  if (value.empty()) ::unsetenv(name);
  else ::setenv(name, value.c_str(), 1);
}

void TWindowTest::SetUp() {
  oldDataHome_ = EnvVariable("XDG_DATA_HOME");
  oldConfigHome_ = EnvVariable("XDG_CONFIG_HOME");
  ::setenv("XDG_DATA_HOME", (xdg_ / "data").c_str(), 1);
  ::setenv("XDG_CONFIG_HOME", (xdg_ / "config").c_str(), 1);
  window_ = std::make_unique<TFrmMain>(&env_);
  window_->SetResponder(&ui_);
}

void TWindowTest::TearDown() {
  window_.reset();
  RestoreEnvVariable("XDG_DATA_HOME", oldDataHome_);
  RestoreEnvVariable("XDG_CONFIG_HOME", oldConfigHome_);
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
