#include "engine/join_prepare.h"

#include <optional>

#include "engine/selection.h"
#include "engine/split_set.h"
#include "support/globals.h"

namespace kardomel {

TJoinInput PrepareJoin(TEnv& env, TInteraction& ui, const std::string& path,
                       const std::string& typedExtension) {
  TJoinInput input;
  input.SourceFolder = ExtractFilePath(path);
  input.SelectedName = ExtractFileName(path);
  if (std::optional<TDescriptor> descriptor = ReadDescriptor(env, ui, path)) {
    input.Extension = descriptor->Extension;
    input.PartCount = descriptor->Count;
    input.TotalSize = descriptor->Size;
    input.DescriptorSize = descriptor->Size;
  } else {
    const TPartCount parts = CountParts(env, path);
    input.PartCount = parts.Count;
    input.TotalSize = parts.Total;
    input.Extension = typedExtension;
  }
  return input;
}

}  // namespace kardomel
