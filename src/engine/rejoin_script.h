// The text of the rejoin script (".bat"): twelve fixed lines that say what
// the script is and wait for a key, then the copy commands that glue the
// parts into the file. It is read by the Windows command interpreter, which
// reads batch files in the console's OEM code page (850 on German systems)
// and takes at most 8191 characters per line.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace kardomel {

// The longest copy line the script holds, in characters, with room to spare
// below the command interpreter's limit.
inline constexpr size_t kMaxCopyLine = 8000;

// True when Name can stand between double quotes in the rejoin script and be
// found by the command interpreter: no double quote, no control character,
// none of the characters that Windows file names cannot hold (\ : * ? < > |),
// and representable in code page 850.
bool IsScriptSafeName(const std::string& name);

// The copy commands that rebuild Target from the parts in order, as UTF-8,
// each line ended by CR LF, with '%' doubled in every name:
//   copy /b "Urlaub.001" + "Urlaub.002" "Urlaub.avi"
// When that one line would pass kMaxCopyLine characters, the first line
// copies as many parts as fit into Target and each further line appends the
// next ones:  copy /b "Urlaub.avi" + "Urlaub.412" + … "Urlaub.avi"
// REQUIRES: PartNames is not empty.
std::string CopyLines(const std::vector<std::string>& partNames, const std::string& target);

// The whole script as code page 850 bytes with CR LF line ends: the twelve
// fixed lines, line 9 naming WebAddress, then CopyLines.
// REQUIRES: every name in CopyLines passes IsScriptSafeName.
std::string RejoinScriptText(const std::string& webAddress, const std::string& copyLines);

}  // namespace kardomel
