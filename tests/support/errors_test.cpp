#include "support/errors.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <string>

namespace kardomel {
namespace {

TEST(ESystemError, CarriesCodeAndSystemMessage) {
  ESystemError error(ENOENT);
  EXPECT_EQ(error.Code(), ENOENT);
  EXPECT_EQ(std::string(error.what()),
            "Systemfehler.  Code: " + std::to_string(ENOENT) + ".\r\n" + std::strerror(ENOENT));
  EXPECT_STREQ(ESystemError(0).what(), "Ein Aufruf einer Betriebssystemfunktion ist fehlgeschlagen");
}

TEST(EInOutError, NamesCommonCodesAndNumbersTheRest) {
  static const struct {
    int code;
    const char* text;
  } cases[] = {
      {EACCES, "Dateizugriff verweigert"},
      {ENOENT, "Datei nicht gefunden"},
      {ENOSPC, "Disk voll"},
      {EIO, "E/A-Fehler 5"},
  };
  for (const auto& c : cases) EXPECT_STREQ(EInOutError(c.code).what(), c.text) << c.code;
}

}  // namespace
}  // namespace kardomel
