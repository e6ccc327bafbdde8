// A PAD file as any server may send it: the reader gives a status and never
// fetches or crashes; the version text goes on to the number reader.
#include <QByteArray>

#include <cstdint>
#include <string>

#include "dialogs/update/pad_file.h"
#include "dialogs/update/version_number.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArray document(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  kardomel::TPadVersion pad = kardomel::ReadPadVersion(document);
  if (pad.Status == kardomel::TPadVersion::TStatus::Found)
    kardomel::ParseVersionNumber(kardomel::VersionBeforeBlank(pad.Text.toStdString()));
  kardomel::ParseVersionNumber(std::string(reinterpret_cast<const char*>(data), size));
  return 0;
}
