#include "app/startup/settings.h"

#include "engine/part_size.h"
#include "support/ini/password_scramble.h"
#include "support/ini/qel_ini_file.h"

namespace kardomel {

TSettings::TSettings() : DstSize(kSizePresets[0].Label) {}

void LoadSettings(const std::string& path, bool full, TSettings& s) {
  TqelIniFile ini(path);
  if (full) {
    s.WindowState = ini.ReadInteger("FrmMain", "WindowState", s.WindowState);
    s.Left = ini.ReadInteger("FrmMain", "Left", s.Left);
    s.Top = ini.ReadInteger("FrmMain", "Top", s.Top);
    s.Width = ini.ReadInteger("FrmMain", "Width", s.Width);
    s.Height = ini.ReadInteger("FrmMain", "Height", s.Height);
    s.SplitClient = ini.ReadInteger("Window", "SplitClient", s.SplitClient);
    s.SplitSrc = ini.ReadInteger("Window", "SplitSrc", s.SplitSrc);
    s.SplitDst = ini.ReadInteger("Window", "SplitDst", s.SplitDst);
    s.Src = ini.ReadString("Paths", "Src", s.Src);
    s.Dst = ini.ReadString("Paths", "Dst", s.Dst);
    s.Delete = ini.ReadBool("Options", "Delete", s.Delete);
    s.SrcDst = ini.ReadBool("Paths", "SrcDst", s.SrcDst);
  }
  s.Hints = ini.ReadBool("Window", "Hints", s.Hints);
  s.KdmFile = ini.ReadBool("Window", "KdmFile", s.KdmFile);
  s.Batch = ini.ReadBool("Options", "Batch", s.Batch);
  s.GridLines = ini.ReadBool("Options", "GridLines", s.GridLines);
  s.SendTo = ini.ReadBool("Options", "SendTo", s.SendTo);
  s.Automatic = ini.ReadBool("Options", "Automatic", s.Automatic);
  s.KittSel = ini.ReadBool("Options", "KittSel", s.KittSel);
  s.KittFolder = ini.ReadString("Paths", "KittFolder", s.KittFolder);
  s.SplitSel = ini.ReadBool("Options", "SplitSel", s.SplitSel);
  s.SplitFolder = ini.ReadString("Paths", "SplitFolder", s.SplitFolder);
  s.DstSize = ini.ReadString("Options", "DstSize", s.DstSize);
  s.RadLoCompress = ini.ReadBool("Options", "RadLoCompress", s.RadLoCompress);
  s.ChkDirNames = ini.ReadBool("Options", "ChkDirNames", s.ChkDirNames);
  s.ChkSfx = ini.ReadBool("Options", "ChkSfx", s.ChkSfx);
  s.ChkEncrypt = ini.ReadBool("Options", "ChkEncrypt", s.ChkEncrypt);
  s.EdtPsw = UnscrambleText(ini.ReadString("Options", "EdtPsw", ScrambleText(s.EdtPsw)));
}

void SaveSettings(const std::string& path, const TSettings& s) {
  TqelIniFile ini(path);
  ini.BeginUpdate();
  ini.WriteInteger("FrmMain", "WindowState", s.WindowState);
  if (s.WindowState == 0) {
    ini.WriteInteger("FrmMain", "Left", s.Left);
    ini.WriteInteger("FrmMain", "Top", s.Top);
    ini.WriteInteger("FrmMain", "Width", s.Width);
    ini.WriteInteger("FrmMain", "Height", s.Height);
  }
  ini.WriteInteger("Window", "SplitClient", s.SplitClient);
  ini.WriteInteger("Window", "SplitSrc", s.SplitSrc);
  ini.WriteInteger("Window", "SplitDst", s.SplitDst);
  ini.WriteBool("Window", "Hints", s.Hints);
  ini.WriteBool("Window", "KdmFile", s.KdmFile);
  ini.WriteBool("Options", "Batch", s.Batch);
  ini.WriteBool("Options", "GridLines", s.GridLines);
  ini.WriteBool("Options", "SendTo", s.SendTo);
  ini.WriteBool("Options", "Automatic", s.Automatic);
  ini.WriteBool("Options", "KittSel", s.KittSel);
  ini.WriteString("Paths", "KittFolder", s.KittFolder);
  ini.WriteBool("Options", "SplitSel", s.SplitSel);
  ini.WriteString("Paths", "SplitFolder", s.SplitFolder);
  ini.WriteString("Options", "DstSize", s.DstSize);
  ini.WriteBool("Options", "Delete", s.Delete);
  ini.WriteBool("Options", "RadLoCompress", s.RadLoCompress);
  ini.WriteBool("Options", "ChkDirNames", s.ChkDirNames);
  ini.WriteBool("Options", "ChkSfx", s.ChkSfx);
  ini.WriteBool("Options", "ChkEncrypt", s.ChkEncrypt);
  ini.WriteString("Options", "EdtPsw", ScrambleText(s.EdtPsw));
  ini.WriteString("Paths", "Src", s.Src);
  ini.WriteString("Paths", "Dst", s.Dst);
  ini.WriteBool("Paths", "SrcDst", s.SrcDst);
  ini.UpdateFile();
}

}  // namespace kardomel
