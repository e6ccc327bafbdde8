// Every lasting setting of the program, as one plain value, and its load from
// and save to the settings file. The members carry the names of the keys;
// the options keep the keys they always had ("RadLoCompress", "EdtPsw").
#pragma once

#include <cstdint>
#include <string>

#include "delivery/options.h"

namespace kardomel {

// Defaults are those of a first start. The ones that depend on the window
// (placement, pane sizes, folders) the caller fills in before a load.
struct TSettings {
  // [FrmMain], read by the full load only. Left..Height are written only while
  // WindowState is 0 (normal).
  int32_t WindowState = 0;
  int32_t Left = 0;
  int32_t Top = 0;
  int32_t Width = 0;
  int32_t Height = 0;
  // [Window] pane sizes, full load only.
  int32_t SplitClient = 0;
  int32_t SplitSrc = 0;
  int32_t SplitDst = 0;
  // Read by both loads: the options and the main window's "Batch-Datei
  // erzeugen" ([Options] Batch).
  TOptions Options;
  bool Batch = true;
  bool Delete = false;        // [Options] "Teildateien nach dem Kitten löschen", full load only
  // [Paths], full load only. The program's folder, with its trailing '/'.
  std::string Src;
  std::string Dst;
  bool SrcDst = true;         // [Paths] destination is the source folder (RadSameDir)

  bool operator==(const TSettings&) const = default;
};

// Reads the settings file at Path into Settings, whose values are the
// defaults for what the file lacks or cannot be read. Full reads every key;
// otherwise only the keys that the options dialog's cancel brings back. A
// missing or garbled file is no error.
void LoadSettings(const std::string& path, bool full, TSettings& settings);

// Writes every key in the file's order, placement first, and replaces the
// file with the result in one step. Throws EIniFileError when that fails; the
// file then keeps its old content.
void SaveSettings(const std::string& path, const TSettings& settings);

}  // namespace kardomel
