// What the files beside a set's parts say the set must be (the descriptor
// file, NAME.sha256, the NAME.crc of other tools), and whether the parts on
// the medium fit it, so that the first part at fault is named before any
// byte is written.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "engine/checksum_files.h"
#include "engine/env.h"

namespace kardomel {

// A refusal that names the part or file at fault, as a warning shows it.
struct TSetFault {
  std::string Instruction;
  std::string Content;
};

// Name (without folder) of part P of the set of SelectedName.
std::string SetPartName(const std::string& selectedName, int64_t p);

// The checksum files of the set of SelectedName in Folder.
struct TSetChecksums {
  std::string Sha256Name;            // empty when there is none
  std::vector<std::string> PartHex;  // [p - 1] for part p; "" when unlisted
  std::string WholeName;             // the line that names no part
  std::string WholeHex;
  std::string CrcName;               // empty when there is none that could be read
  std::optional<TCrcFile> Crc;
};

TSetChecksums ReadSetChecksums(TEnv& env, const std::string& folder,
                               const std::string& selectedName);

// True when a checksum file beside MemberPath names the whole file (a .crc,
// or the .sha256's line for it), so that the join learns its name there.
bool ChecksumsNameTheFile(TEnv& env, const std::string& memberPath);

// What a descriptor file said, as the window's fields hand it over.
struct TDescriptorFacts {
  int64_t Count = 0;                 // the part count (counted when no descriptor)
  std::optional<int64_t> Size;       // set only when a descriptor file was read
};

// The set as the join must find it.
struct TSetShape {
  int64_t Count = 0;
  bool CountChecked = false;     // a descriptor or checksum file gave the count
  std::optional<int64_t> Size;   // the whole file's size, when a file gave it
  std::string SizeSource;        // the name of that file
  // The extension of the file the .crc or the .sha256 names, without dot.
  std::optional<std::string> NamedExtension;
};

// Puts the descriptor and the checksum files together. A descriptor file
// that contradicts a checksum file (a stale one from an earlier split of the
// same name) is a fault naming it.
std::optional<TSetFault> ShapeOfSet(TEnv& env, const std::string& folder,
                                    const std::string& selectedName,
                                    const TDescriptorFacts& descriptor,
                                    const TSetChecksums& sums, TSetShape& shape);

// Checks the sizes of the parts against the shape: every part but the last
// as large as part 1, the last the rest of the size (or 1 … part-1 bytes
// when no size is known), and no part missing while a later one is there.
class TPartSizeCheck {
 public:
  TPartSizeCheck(const TSetShape& shape, const std::string& selectedName)
      : shape_(shape), selectedName_(selectedName) {}

  // Checks the parts in Folder now; parts still to come on another medium
  // are checked when they arrive.
  std::optional<TSetFault> CheckPresent(TEnv& env, const std::string& folder);
  // Checks part P, which holds Size bytes. Part 1 fixes the part size.
  std::optional<TSetFault> CheckPart(int64_t p, int64_t size);
  // The part size part 1 gave; 0 before it was seen.
  int64_t PartSize() const { return partSize_; }

 private:
  TSetFault WrongSize(int64_t p, int64_t size, int64_t expected, bool fromFile) const;

  TSetShape shape_;
  std::string selectedName_;
  int64_t partSize_ = 0;
};

// The closing sentence of every refusal of the join.
inline constexpr const char* kNothingJoined = "Es wurde nichts zusammengesetzt und nichts gelöscht.";

TSetFault MissingPart(const std::string& partName, const std::string& why);
TSetFault DamagedPart(const std::string& partName, const std::string& why);

}  // namespace kardomel
