#include "engine/set_verify.h"

#include <memory>

#include "engine/checksum_copy.h"
#include "engine/descriptor_text.h"
#include "engine/selection.h"
#include "engine/split_set.h"
#include "support/globals.h"

namespace kardomel {
namespace {

constexpr size_t kMaxDescriptor = 64 * 1024;

// What the descriptor file says, read without the window's message when
// there is none.
TDescriptorFacts ReadFacts(TEnv& env, const std::string& memberPath) {
  TDescriptorFacts facts;
  std::string bytes;
  const std::string kdm = FindMember(env, memberPath, ".KDM");
  if (env.IsRegularFile(kdm) && ReadFileToString(env, kdm, kMaxDescriptor, bytes)) {
    const TDescriptor descriptor = ParseDescriptor(bytes);
    facts.Count = descriptor.Count;
    facts.Size = descriptor.Size;
  } else {
    facts.Count = CountParts(env, memberPath).Count;
  }
  return facts;
}

}  // namespace

TSetReport VerifySet(TEnv& env, const std::string& memberPath) {
  TSetReport report;
  const std::string folder = ExtractFilePath(memberPath);
  const std::string selected = ExtractFileName(memberPath);
  const TSetChecksums sums = ReadSetChecksums(env, folder, selected);
  TSetShape shape;
  report.Fault = ShapeOfSet(env, folder, selected, ReadFacts(env, memberPath), sums, shape);
  if (report.Fault) return report;
  report.CountChecked = shape.CountChecked;
  if (sums.Crc) report.WholeName = sums.Crc->FileName;
  if (!sums.WholeName.empty()) report.WholeName = sums.WholeName;

  TPartSizeCheck sizes(shape, selected);
  TSha256 wholeSha;
  TCrc32 wholeCrc;
  std::vector<TDigest*> wholeDigests;
  if (!sums.WholeHex.empty()) wholeDigests.push_back(&wholeSha);
  if (sums.Crc) wholeDigests.push_back(&wholeCrc);
  bool allThere = true;
  bool allRight = true;
  bool eachListed = shape.Count > 0;
  int64_t total = 0;
  for (int64_t p = 1; p <= shape.Count; ++p) {
    TPartReport part;
    part.Name = SetPartName(selected, p);
    const std::string path = folder + part.Name;
    const size_t index = static_cast<size_t>(p - 1);
    const std::string listed = index < sums.PartHex.size() ? sums.PartHex[index] : "";
    if (listed.empty()) eachListed = false;
    if (env.EntrySize(path) < 0 || !env.IsRegularFile(path)) {
      part.State = TPartState::Missing;
      allThere = false;
      report.Parts.push_back(part);
      continue;
    }
    std::unique_ptr<TStream64> stream = env.Open(path, TOpenMode::Read);
    const int64_t size = stream->Size();
    total += size;
    if (std::optional<TSetFault> fault = sizes.CheckPart(p, size)) {
      part.State = TPartState::Damaged;
      part.Why = fault->Content.substr(0, fault->Content.find('\r'));
    }
    TSha256 partSha;
    std::vector<TDigest*> digests = allThere ? wholeDigests : std::vector<TDigest*>();
    if (!listed.empty()) digests.push_back(&partSha);
    if (!digests.empty()) ReadDigesting(*stream, digests);
    if (part.State != TPartState::Damaged) {
      if (listed.empty()) {
        part.State = TPartState::SizeFits;
      } else if (partSha.HexDigest() == listed) {
        part.State = TPartState::Verified;
      } else {
        part.State = TPartState::Damaged;
        part.Why = "Ihre SHA-256-Prüfsumme stimmt nicht mit " + sums.Sha256Name + " überein.";
      }
    }
    if (part.State == TPartState::Damaged) allRight = false;
    report.Parts.push_back(part);
  }
  // Counting stops at the first gap; parts behind it show that one is missing.
  if (!shape.CountChecked) {
    TPartSizeCheck gaps(shape, selected);
    if (std::optional<TSetFault> fault = gaps.CheckPresent(env, folder)) {
      if (fault->Instruction.find(" fehlt.") != std::string::npos) {
        report.Fault = fault;
        allThere = false;
      }
    }
  }
  bool wholeRight = false;
  if (allThere && !wholeDigests.empty()) {
    const bool shaFits = sums.WholeHex.empty() || wholeSha.HexDigest() == sums.WholeHex;
    const bool crcFits = !sums.Crc || (wholeCrc.Value() == sums.Crc->Crc && total == sums.Crc->Size);
    wholeRight = shaFits && crcFits;
    report.Whole = wholeRight ? TWholeState::Verified : TWholeState::Damaged;
    if (!wholeRight)
      report.WholeWhy = "Die Teile zusammen stimmen nicht mit " +
                        (shaFits ? sums.CrcName : sums.Sha256Name) + " überein.";
  }
  report.Proven = allThere && allRight && report.Whole != TWholeState::Damaged &&
                  (eachListed || wholeRight);
  return report;
}

}  // namespace kardomel
