// Conversions between the engine's UTF-8 texts and Qt's strings.
#pragma once

#include <QString>
#include <string>

namespace kardomel {

// Returns the UTF-8 text Text as a QString.
QString ToQString(const std::string& text);
// Returns Text as UTF-8.
std::string ToStdString(const QString& text);
// Returns a message text for a label: every "\r\n", "\r" or "\n" becomes one
// line break.
QString MessageLines(const std::string& text);

}  // namespace kardomel
