#include "app/startup/auto_run_input.h"

#include "engine/split_sizing.h"
#include "support/maker.h"

namespace kardomel {

TSplitInput AutoSplitInput(const TAutoRun& run, const std::string& sourcePath, int64_t srcSize,
                           const TSettings& settings, TInteraction& ui) {
  TSplitInput input;
  input.SourcePath = sourcePath;
  TSizeTexts texts{run.SizeText, ""};
  const TPartSizing sizing = SplitSizing(srcSize, texts, TSizeLead::Size, ui);
  TSizeTexts check = texts;
  CountLeads(srcSize, check, ui);
  input.PartSize = sizing.PartSize;
  input.PartCount = sizing.PartCount;
  input.SameDir = run.SameDir;
  if (!run.SameDir) {
    ForceFolder(run.DstFolder);
    input.DestFolder = run.DstFolder;
  }
  input.WriteDescriptor = settings.Options.KdmFile;
  input.WriteBatch = settings.Batch;
  input.WebAddress = kMakerWebAddress;
  input.WriteChecksums = settings.Options.Checksums;
  input.WriteShellScript = settings.Options.ShellScript;
  return input;
}

TJoinInput AutoJoinInput(const TAutoRun& run, TJoinInput prepared) {
  prepared.SameDir = run.SameDir;
  if (!run.SameDir) {
    ForceFolder(run.DstFolder);
    prepared.DestFolder = run.DstFolder;
  }
  prepared.DeleteParts = false;
  return prepared;
}

}  // namespace kardomel
