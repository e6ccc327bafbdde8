// Pieces shared by the program's two size fields (the main window's and the
// options dialog's): the decimal separator of the megabyte tooltip and the
// learning drop-down list.
#pragma once

#include <QString>

class QComboBox;

namespace kardomel {

// The decimal separator of the current locale (QLocale()) as one character;
// '.' when the locale's separator is not a single ASCII character.
char LocaleDecimalSeparator();

// Inserts Text at the top of Box's list unless an entry equals Key (ignoring
// letter case, as the list's own search does). The edit text stays as it is.
void LearnListEntry(QComboBox& box, const QString& key, const QString& text);

}  // namespace kardomel
