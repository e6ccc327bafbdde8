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

TEST(EFileError, NamesFileAndReasonInGerman) {
  EFileError full("Datei kann nicht erstellt werden", "/media/stick/film.003", ENOSPC);
  EXPECT_EQ(full.Code(), ENOSPC);
  EXPECT_EQ(full.Path(), "/media/stick/film.003");
  EXPECT_STREQ(full.what(), "Datei kann nicht erstellt werden: /media/stick/film.003 "
                            "(Kein Speicherplatz mehr auf dem Gerät)");
  EXPECT_STREQ(EFileError("Datei kann nicht geöffnet werden", "/x", EINVAL, "keine gewöhnliche "
                          "Datei").what(),
               "Datei kann nicht geöffnet werden: /x (keine gewöhnliche Datei)");
  // Every common code has its own German text; a rare one the system's.
  for (int code : {ENOSPC, EACCES, EROFS, ENOENT, EISDIR, EIO, EEXIST, ELOOP, ENAMETOOLONG,
                   EDQUOT, EPERM, ETXTBSY, EBUSY, ENOTDIR, EMFILE})
    EXPECT_NE(SystemErrorReason(code), std::strerror(code)) << code;
  EXPECT_EQ(SystemErrorReason(EPROTO), std::strerror(EPROTO));
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
