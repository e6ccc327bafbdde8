#include "app/startup/settings.h"

#include "support/ini/password_scramble.h"
#include "support/ini/qel_ini_file.h"

namespace kardomel {

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
  TOptions& o = s.Options;
  o.Hints = ini.ReadBool("Window", "Hints", o.Hints);
  o.KdmFile = ini.ReadBool("Window", "KdmFile", o.KdmFile);
  s.Batch = ini.ReadBool("Options", "Batch", s.Batch);
  o.GridLines = ini.ReadBool("Options", "GridLines", o.GridLines);
  o.SendTo = ini.ReadBool("Options", "SendTo", o.SendTo);
  o.Automatic = ini.ReadBool("Options", "Automatic", o.Automatic);
  o.KittSel = ini.ReadBool("Options", "KittSel", o.KittSel);
  o.KittFolder = ini.ReadString("Paths", "KittFolder", o.KittFolder);
  o.SplitSel = ini.ReadBool("Options", "SplitSel", o.SplitSel);
  o.SplitFolder = ini.ReadString("Paths", "SplitFolder", o.SplitFolder);
  o.DstSize = ini.ReadString("Options", "DstSize", o.DstSize);
  o.Zip.HighCompression = !ini.ReadBool("Options", "RadLoCompress", !o.Zip.HighCompression);
  o.Zip.StorePaths = ini.ReadBool("Options", "ChkDirNames", o.Zip.StorePaths);
  o.Zip.Sfx = ini.ReadBool("Options", "ChkSfx", o.Zip.Sfx);
  o.Zip.Encrypt = ini.ReadBool("Options", "ChkEncrypt", o.Zip.Encrypt);
  o.Zip.Password =
      UnscrambleText(ini.ReadString("Options", "EdtPsw", ScrambleText(o.Zip.Password)));
  o.Checksums = ini.ReadBool("Options", "Checksums", o.Checksums);
  o.ShellScript = ini.ReadBool("Options", "ShellScript", o.ShellScript);
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
  const TOptions& o = s.Options;
  ini.WriteBool("Window", "Hints", o.Hints);
  ini.WriteBool("Window", "KdmFile", o.KdmFile);
  ini.WriteBool("Options", "Batch", s.Batch);
  ini.WriteBool("Options", "GridLines", o.GridLines);
  ini.WriteBool("Options", "SendTo", o.SendTo);
  ini.WriteBool("Options", "Automatic", o.Automatic);
  ini.WriteBool("Options", "KittSel", o.KittSel);
  ini.WriteString("Paths", "KittFolder", o.KittFolder);
  ini.WriteBool("Options", "SplitSel", o.SplitSel);
  ini.WriteString("Paths", "SplitFolder", o.SplitFolder);
  ini.WriteString("Options", "DstSize", o.DstSize);
  ini.WriteBool("Options", "Delete", s.Delete);
  ini.WriteBool("Options", "RadLoCompress", !o.Zip.HighCompression);
  ini.WriteBool("Options", "ChkDirNames", o.Zip.StorePaths);
  ini.WriteBool("Options", "ChkSfx", o.Zip.Sfx);
  ini.WriteBool("Options", "ChkEncrypt", o.Zip.Encrypt);
  ini.WriteString("Options", "EdtPsw", ScrambleText(o.Zip.Password));
  // Keys that came later stay at the end of their section.
  ini.WriteBool("Options", "Checksums", o.Checksums);
  ini.WriteBool("Options", "ShellScript", o.ShellScript);
  ini.WriteString("Paths", "Src", s.Src);
  ini.WriteString("Paths", "Dst", s.Dst);
  ini.WriteBool("Paths", "SrcDst", s.SrcDst);
  ini.UpdateFile();
}

}  // namespace kardomel
