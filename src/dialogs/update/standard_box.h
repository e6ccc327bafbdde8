// The toolkit's standard error box, behind a function that tests replace so
// that no box waits for a click.
#pragma once

#include <functional>

#include <QString>

class QWidget;

namespace kardomel {

using TStandardErrorBox =
    std::function<void(QWidget* parent, const QString& title, const QString& text)>;

// Installs Box (an empty one restores the real box); returns the one before.
TStandardErrorBox SetStandardErrorBox(TStandardErrorBox box);

// Shows an error box with Title, Text and the button OK, modal to Parent.
void ShowStandardErrorBox(QWidget* parent, const QString& title, const QString& text);

}  // namespace kardomel
