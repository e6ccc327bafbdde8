#include "engine/set_check.h"

#include <algorithm>

#include "engine/split_set.h"
#include "support/globals.h"

namespace kardomel {
namespace {

// A checksum file holds one short line per part; more than this is no
// checksum file of ours.
constexpr size_t kMaxChecksumFile = 1024 * 1024;

// The part number Name has as a member of the set of SelectedName; 0 when
// it is no part of it.
int64_t PartNumberOf(const std::string& name, const std::string& selectedName) {
  if (ChangeFileExt(name, "") != ChangeFileExt(selectedName, "")) return 0;
  const std::string ext = ExtractFileExt(name);
  if (ext.size() < 4 || ext.size() > 5) return 0;
  int64_t n = 0;
  for (size_t i = 1; i < ext.size(); ++i) {
    if (ext[i] < '0' || ext[i] > '9') return 0;
    n = n * 10 + (ext[i] - '0');
  }
  return n >= 1 && n <= 999 && ext == "." + FormatPartNumber(static_cast<int32_t>(n)) ? n : 0;
}

std::string Bytes(int64_t n) { return std::to_string(n) + " Bytes"; }

}  // namespace

std::string SetPartName(const std::string& selectedName, int64_t p) {
  return ChangeFileExt(selectedName, "." + FormatPartNumber(static_cast<int32_t>(p)));
}

TSetFault MissingPart(const std::string& partName, const std::string& why) {
  return {"Teildatei " + partName + " fehlt.", why + "\r" + kNothingJoined};
}

TSetFault DamagedPart(const std::string& partName, const std::string& why) {
  return {"Teildatei " + partName + " ist beschädigt.", why + "\r" + kNothingJoined};
}

TSetChecksums ReadSetChecksums(TEnv& env, const std::string& folder,
                               const std::string& selectedName) {
  TSetChecksums sums;
  const std::string member = AddBackslash(folder) + selectedName;
  std::string bytes;
  const std::string shaPath = FindMember(env, member, ".sha256");
  if (env.IsRegularFile(shaPath) && ReadFileToString(env, shaPath, kMaxChecksumFile, bytes)) {
    const std::string stem = ChangeFileExt(selectedName, "");
    for (const TChecksumLine& line : ParseSha256File(bytes)) {
      if (int64_t p = PartNumberOf(line.Name, selectedName); p > 0) {
        if (sums.PartHex.size() < static_cast<size_t>(p)) sums.PartHex.resize(static_cast<size_t>(p));
        sums.PartHex[static_cast<size_t>(p - 1)] = line.Hex;
      } else if (sums.WholeName.empty() && ChangeFileExt(line.Name, "") == stem) {
        sums.WholeName = line.Name;
        sums.WholeHex = line.Hex;
      }
    }
    if (!sums.PartHex.empty() || !sums.WholeHex.empty()) sums.Sha256Name = ExtractFileName(shaPath);
  }
  const std::string crcPath = FindMember(env, member, ".crc");
  if (env.IsRegularFile(crcPath) && ReadFileToString(env, crcPath, kMaxChecksumFile, bytes)) {
    sums.Crc = ParseCrcFile(bytes);
    if (sums.Crc) sums.CrcName = ExtractFileName(crcPath);
  }
  return sums;
}

bool ChecksumsNameTheFile(TEnv& env, const std::string& memberPath) {
  const TSetChecksums sums =
      ReadSetChecksums(env, ExtractFilePath(memberPath), ExtractFileName(memberPath));
  return sums.Crc.has_value() || !sums.WholeName.empty();
}

std::optional<TSetFault> ShapeOfSet(TEnv& env, const std::string& folder,
                                    const std::string& selectedName,
                                    const TDescriptorFacts& descriptor,
                                    const TSetChecksums& sums, TSetShape& shape) {
  shape = TSetShape();
  const std::string kdmName =
      ExtractFileName(FindMember(env, AddBackslash(folder) + selectedName, ".KDM"));
  const int64_t listed = static_cast<int64_t>(sums.PartHex.size());
  auto stale = [&](const std::string& says, const std::string& other) {
    return TSetFault{"Die KDM-Datei " + kdmName + " passt nicht zum Teilesatz.",
                     "Sie nennt " + says + ", " + other +
                         ".\rVermutlich stammt sie von einer früheren Teilung einer Datei "
                         "gleichen Namens.\r" + kNothingJoined};
  };
  if (descriptor.Size) {
    if (listed > 0 && listed != descriptor.Count)
      return stale(std::to_string(descriptor.Count) + " Teile",
                   sums.Sha256Name + " nennt " + std::to_string(listed) + " Teile");
    if (sums.Crc && sums.Crc->Size != *descriptor.Size)
      return stale(Bytes(*descriptor.Size), sums.CrcName + " nennt " + Bytes(sums.Crc->Size));
    shape.Count = descriptor.Count;
    shape.CountChecked = true;
    shape.Size = descriptor.Size;
    shape.SizeSource = kdmName;
    return std::nullopt;
  }
  shape.Count = descriptor.Count;
  if (sums.Crc) {
    shape.Size = sums.Crc->Size;
    shape.SizeSource = sums.CrcName;
    const std::string ext = ExtractFileExt(sums.Crc->FileName);
    shape.NamedExtension = ext.empty() ? "" : ext.substr(1);
    // The part size is part 1's; the count follows from the size.
    const int64_t first = env.EntrySize(AddBackslash(folder) + SetPartName(selectedName, 1));
    if (first > 0) {
      shape.Count = sums.Crc->Size == 0 ? 1 : (sums.Crc->Size + first - 1) / first;
      shape.CountChecked = true;
    }
  }
  if (listed > 0) {
    shape.Count = listed;
    shape.CountChecked = true;
  }
  if (!shape.NamedExtension && !sums.WholeName.empty()) {
    const std::string ext = ExtractFileExt(sums.WholeName);
    shape.NamedExtension = ext.empty() ? "" : ext.substr(1);
  }
  return std::nullopt;
}

TSetFault TPartSizeCheck::WrongSize(int64_t p, int64_t size, int64_t expected,
                                    bool fromFile) const {
  std::string why = "Sie ist " + Bytes(size) + " groß, erwartet wurden " + Bytes(expected);
  if (fromFile) {
    why += " nach " + shape_.SizeSource + ".";
  } else if (p < shape_.Count) {
    why += " wie bei " + SetPartName(selectedName_, 1) + ": nur der letzte Teil eines "
           "Teilesatzes ist kleiner, und ihr folgt noch " + SetPartName(selectedName_, p + 1) + ".";
  } else {
    why += ".";
  }
  return DamagedPart(SetPartName(selectedName_, p), why);
}

std::optional<TSetFault> TPartSizeCheck::CheckPart(int64_t p, int64_t size) {
  const int64_t count = shape_.Count;
  if (count <= 0 || p < 1 || p > count) return std::nullopt;
  const bool sized = shape_.Size.has_value();
  if (count == 1) {
    if (sized && size != *shape_.Size) return WrongSize(p, size, *shape_.Size, true);
    return std::nullopt;
  }
  if (p == 1) {
    if (size <= 0)
      return DamagedPart(SetPartName(selectedName_, 1), "Sie ist leer, obwohl weitere Teile folgen.");
    if (sized) {
      const int64_t last = *shape_.Size - (count - 1) * size;
      // Parts of this size cannot make that count and size: the file that
      // gave them is the odd one out.
      if (last < 1 || last > size) {
        const bool kdm = SameTextAscii(ExtractFileExt(shape_.SizeSource), ".KDM");
        return TSetFault{std::string(kdm ? "Die KDM-Datei " : "Die Datei ") + shape_.SizeSource +
                             " passt nicht zum Teilesatz.",
                         "Sie nennt " + std::to_string(count) + " Teile und " +
                             Bytes(*shape_.Size) + "; mit " + SetPartName(selectedName_, 1) +
                             " von " + Bytes(size) + " ergibt das keinen Teilesatz.\r" +
                             kNothingJoined};
      }
    }
    partSize_ = size;
    return std::nullopt;
  }
  if (partSize_ == 0) return std::nullopt;
  if (p < count) {
    if (size != partSize_) return WrongSize(p, size, partSize_, false);
    return std::nullopt;
  }
  if (sized) {
    const int64_t last = *shape_.Size - (count - 1) * partSize_;
    if (size != last) return WrongSize(p, size, last, true);
  } else if (size < 1 || size > partSize_) {
    return DamagedPart(SetPartName(selectedName_, p),
                       "Sie ist " + Bytes(size) + " groß; als letzter Teil müsste sie 1 bis " +
                           Bytes(partSize_) + " haben wie " + SetPartName(selectedName_, 1) + ".");
  }
  return std::nullopt;
}

std::optional<TSetFault> TPartSizeCheck::CheckPresent(TEnv& env, const std::string& folder) {
  int64_t highest = 0;
  for (const std::string& name : env.ListFolder(AddBackslash(folder)))
    highest = std::max(highest, PartNumberOf(name, selectedName_));
  const int64_t last = std::max(shape_.Count, highest);
  for (int64_t p = 1; p <= last; ++p) {
    const std::string path = AddBackslash(folder) + SetPartName(selectedName_, p);
    const int64_t size = env.EntrySize(path);
    if (size < 0) {
      // Parts lie on a medium in number order; one missing before a later
      // one cannot come with the next disk.
      if (highest > p)
        return MissingPart(SetPartName(selectedName_, p),
                           "Es liegen Teile mit höherer Nummer bis " +
                               SetPartName(selectedName_, highest) + " vor.");
      break;
    }
    if (p > shape_.Count) break;
    if (std::optional<TSetFault> fault = CheckPart(p, size)) return fault;
  }
  return std::nullopt;
}

}  // namespace kardomel
