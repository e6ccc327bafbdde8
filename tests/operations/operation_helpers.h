// What the operation tests share: a source file, the split's and the join's
// input as the window fills them, and the content of a set.
#pragma once

#include <cstdint>
#include <string>

#include "engine/join.h"
#include "engine/part_size.h"
#include "engine/selection.h"
#include "engine/split.h"
#include "engine/split_set.h"
#include "fakes/fault_env.h"
#include "fakes/scripted_interaction.h"
#include "fakes/temp_folder.h"
#include "support/globals.h"

namespace kardomel::testing {

// A split of Source into parts of PartSize with the count the size field
// derives, descriptor and script on, into DestFolder ("" = beside the source).
inline TSplitInput SplitInputFor(const std::string& source, int64_t partSize,
                                 const std::string& destFolder = "") {
  TSplitInput input;
  input.SourcePath = source;
  input.PartSize = partSize;
  const int64_t size = FileSize(source);
  input.PartCount = partSize > 0 && size >= 0 ? CountFromSize(size, partSize) : 0;
  input.SameDir = destFolder.empty();
  input.DestFolder = destFolder;
  input.WebAddress = "www.example.org";
  return input;
}

// The join of the set Member belongs to, filled as the selection fills the
// window's fields: from the descriptor file when it is read, else by
// counting the parts with Extension as typed.
inline TJoinInput JoinInputFor(TEnv& env, TInteraction& ui, const std::string& member,
                               const std::string& extension = "") {
  TJoinInput input;
  input.SourceFolder = ExtractFilePath(member);
  input.SelectedName = ExtractFileName(member);
  if (auto descriptor = ReadDescriptor(env, ui, member)) {
    input.Extension = descriptor->Extension;
    input.PartCount = descriptor->Count;
    input.TotalSize = descriptor->Size;
    input.DescriptorSize = descriptor->Size;
  } else {
    TPartCount parts = CountParts(env, member);
    input.PartCount = parts.Count;
    input.TotalSize = parts.Total;
    input.Extension = extension;
  }
  return input;
}

// The parts 1..Count of the set named from BasePath, concatenated.
inline std::string JoinedParts(const std::string& basePath, int32_t count) {
  std::string out;
  for (int32_t k = 1; k <= count; ++k) out += ReadFile(PartPath(basePath, k));
  return out;
}

// Writes the parts of Content cut every PartSize bytes as Base.001 ... and
// returns their count.
inline int32_t WriteSet(const std::string& basePath, const std::string& content,
                        int64_t partSize) {
  int32_t k = 0;
  for (int64_t at = 0; at < static_cast<int64_t>(content.size()); at += partSize)
    WriteFile(PartPath(basePath, ++k), content.substr(static_cast<size_t>(at),
                                                      static_cast<size_t>(partSize)));
  return k;
}

}  // namespace kardomel::testing
