#include "modal_driver.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QPointer>
#include <QTest>
#include <QTimer>

namespace kardomel::test {

void OnModal(std::function<void(QDialog&)> action) {
  auto* poll = new QTimer;
  auto* waited = new QElapsedTimer;
  waited->start();
  QObject::connect(poll, &QTimer::timeout, [poll, waited, action] {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (dialog == nullptr || !dialog->isVisible()) {
      if (waited->elapsed() > 5000) {
        ADD_FAILURE() << "no modal dialog appeared";
        poll->deleteLater();
        delete waited;
      }
      return;
    }
    poll->stop();
    poll->deleteLater();
    delete waited;
    QPointer<QDialog> guard(dialog);
    action(*dialog);
    QTimer::singleShot(5000, [guard] {
      if (guard && guard->isVisible()) {
        ADD_FAILURE() << "the dialog stayed open: " << guard->objectName().toStdString();
        guard->done(-1);
      }
    });
  });
  poll->start(10);
}

bool WaitFor(const std::function<bool()>& condition, int timeoutMs) {
  QElapsedTimer timer;
  timer.start();
  while (!condition()) {
    if (timer.elapsed() > timeoutMs) return false;
    QTest::qWait(10);
  }
  return true;
}

void PressKey(QDialog& dialog, Qt::Key key, Qt::KeyboardModifiers modifiers) {
  QWidget* focus = QApplication::focusWidget();
  if (focus == nullptr || focus->window() != &dialog) focus = &dialog;
  QTest::keyClick(focus, key, modifiers);
}

void Click(QDialog& dialog, const char* name) {
  auto* button = dialog.findChild<QAbstractButton*>(name);
  if (button == nullptr) {
    ADD_FAILURE() << "no button " << name << " in " << dialog.objectName().toStdString();
    dialog.done(-1);
    return;
  }
  button->click();
}

}  // namespace kardomel::test
