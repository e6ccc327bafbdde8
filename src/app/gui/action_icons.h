// Icons of the main window's actions: the desktop theme's icon when the
// theme has one, else a small drawn picture, so that every action has one.
#pragma once

#include <QIcon>

namespace kardomel {

enum class TActionIcon { Split, Glue, Send, Optimize, Refresh, Info, Help, Pdf, Close, NewFolder };

// The theme's icon for Kind, or the drawn one.
QIcon ActionIcon(TActionIcon kind);
// The drawn icon for Kind alone (16 × 16 and 32 × 32).
QIcon DrawnIcon(TActionIcon kind);

}  // namespace kardomel
