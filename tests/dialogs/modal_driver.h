// Helpers that answer modal dialogs from a test: the action runs once the
// dialog is on screen, inside the dialog's own event loop.
#pragma once

#include <QDialog>
#include <functional>

namespace kardomel::test {

// Runs Action on the next modal dialog that is shown. A dialog the action
// leaves open is closed after a few seconds (the test then fails), so a
// broken test never hangs.
void OnModal(std::function<void(QDialog&)> action);
// Processes events until Condition holds or TimeoutMs passed; returns it.
bool WaitFor(const std::function<bool()>& condition, int timeoutMs = 5000);
// Presses Key at the widget that has the focus in Dialog (the dialog itself
// when none has), as a user's key press arrives.
void PressKey(QDialog& dialog, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
// Clicks the button named Name in Dialog; fails the test when there is none.
void Click(QDialog& dialog, const char* name);

}  // namespace kardomel::test
