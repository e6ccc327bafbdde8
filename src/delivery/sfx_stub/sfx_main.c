/* The self-extractor for Windows: the ZIP archive appended to this program
   is unpacked into a folder. With a window by default; with
   /S /D=FOLDER [/P=PASSWORD] silently, exiting non-zero on any failure. */
#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>
#include <stdlib.h>
#include <wchar.h>

#include "sfx_archive.h"
#include "sfx_extract.h"

#define CAPTION L"Kardomel Selbstentpacker"
#define ID_FOLDER 101
#define ID_BROWSE 102
#define ID_PASSWORD 103
#define ID_EXTRACT IDOK
#define DETAIL_SIZE 1024

typedef struct {
  SfxArchive Archive;
  BOOL Silent;
  wchar_t* Folder;    /* target folder */
  wchar_t* Password;  /* as typed */
} Job;

static void Report(const Job* job, const wchar_t* text, BOOL failure) {
  if (!job->Silent) {
    MessageBoxW(NULL, text, CAPTION, MB_OK | (failure ? MB_ICONERROR : MB_ICONINFORMATION));
    return;
  }
  HANDLE err = GetStdHandle(STD_ERROR_HANDLE);
  if (err == NULL || err == INVALID_HANDLE_VALUE) return;
  char buffer[4 * DETAIL_SIZE];
  int length = WideCharToMultiByte(CP_UTF8, 0, text, -1, buffer, sizeof buffer - 2, NULL, NULL);
  if (length <= 0) return;
  buffer[length - 1] = '\n';
  DWORD done;
  WriteFile(err, buffer, (DWORD)length, &done, NULL);
}

/* The password as the Windows-1252 bytes the archive was encrypted with;
   NULL when a character has no place there. */
static char* AnsiPassword(const wchar_t* password) {
  BOOL lossy = FALSE;
  int length = WideCharToMultiByte(1252, WC_NO_BEST_FIT_CHARS, password, -1, NULL, 0, NULL, &lossy);
  if (length <= 0 || lossy) return NULL;
  char* bytes = malloc((size_t)length);
  if (bytes) WideCharToMultiByte(1252, WC_NO_BEST_FIT_CHARS, password, -1, bytes, length, NULL, &lossy);
  return bytes;
}

/* Extracts with the job's folder and password; reports and returns the status. */
static BOOL Run(Job* job) {
  wchar_t folder[MAX_PATH * 4];
  if (!job->Folder || !*job->Folder || !GetFullPathNameW(job->Folder, MAX_PATH * 4, folder, NULL)) {
    Report(job, L"Kein Zielordner angegeben.", TRUE);
    return FALSE;
  }
  char* password = AnsiPassword(job->Password ? job->Password : L"");
  if (!password) {
    Report(job, L"Das Passwort enthält Zeichen, die im Archiv nicht vorkommen können.", TRUE);
    return FALSE;
  }
  wchar_t detail[DETAIL_SIZE];
  SfxStatus status = SfxExtractAll(&job->Archive, folder, password, detail, DETAIL_SIZE);
  SecureZeroMemory(password, strlen(password));
  free(password);
  wchar_t text[DETAIL_SIZE + 256];
  if (status == SfxOk || !detail[0])
    wcsncpy(text, SfxStatusText(status), DETAIL_SIZE + 255);
  else
    _snwprintf(text, DETAIL_SIZE + 255, L"%ls\r\n%ls", SfxStatusText(status), detail);
  text[DETAIL_SIZE + 255] = L'\0';
  Report(job, text, status != SfxOk);
  return status == SfxOk;
}

static BOOL StartsWith(const wchar_t* text, const wchar_t* prefix) {
  return _wcsnicmp(text, prefix, wcslen(prefix)) == 0;
}

/* ---- the window ---- */

static Job* TheJob;
static HWND EdtPassword, EdtFolder;

static HWND AddControl(HWND parent, const wchar_t* cls, const wchar_t* text, DWORD style, int x, int y,
                       int w, int h, int id) {
  HWND control = CreateWindowExW(0, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent,
                                 (HMENU)(INT_PTR)id, GetModuleHandleW(NULL), NULL);
  SendMessageW(control, WM_SETFONT, (WPARAM)GetStockObject(DEFAULT_GUI_FONT), TRUE);
  return control;
}

static void Browse(HWND window) {
  BROWSEINFOW info = {0};
  info.hwndOwner = window;
  info.lpszTitle = L"Zielordner wählen";
  info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
  PIDLIST_ABSOLUTE chosen = SHBrowseForFolderW(&info);
  if (!chosen) return;
  wchar_t path[MAX_PATH];
  if (SHGetPathFromIDListW(chosen, path)) SetWindowTextW(EdtFolder, path);
  CoTaskMemFree(chosen);
}

static wchar_t* TextOf(HWND control) {
  int length = GetWindowTextLengthW(control) + 1;
  wchar_t* text = calloc((size_t)length, sizeof(wchar_t));
  if (text) GetWindowTextW(control, text, length);
  return text;
}

static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM w, LPARAM l) {
  switch (message) {
    case WM_CREATE: {
      BOOL needsPassword = SfxNeedsPassword(&TheJob->Archive);
      AddControl(window, L"STATIC", L"Zielordner:", 0, 12, 14, 360, 16, 0);
      EdtFolder = AddControl(window, L"EDIT", TheJob->Folder, WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 12,
                          32, 330, 22, ID_FOLDER);
      AddControl(window, L"BUTTON", L"...", WS_TABSTOP, 348, 32, 30, 22, ID_BROWSE);
      if (needsPassword) {
        AddControl(window, L"STATIC", L"Passwort:", 0, 12, 64, 360, 16, 0);
        EdtPassword = AddControl(window, L"EDIT", L"", WS_BORDER | WS_TABSTOP | ES_PASSWORD | ES_AUTOHSCROLL,
                              12, 82, 366, 22, ID_PASSWORD);
      }
      AddControl(window, L"BUTTON", L"Entpacken", WS_TABSTOP | BS_DEFPUSHBUTTON, 196, 118, 88, 26, ID_EXTRACT);
      AddControl(window, L"BUTTON", L"Abbrechen", WS_TABSTOP, 290, 118, 88, 26, IDCANCEL);
      return 0;
    }
    case WM_COMMAND:
      switch (LOWORD(w)) {
        case ID_BROWSE:
          Browse(window);
          return 0;
        case ID_EXTRACT:
          TheJob->Folder = TextOf(EdtFolder);
          TheJob->Password = EdtPassword ? TextOf(EdtPassword) : NULL;
          if (Run(TheJob)) DestroyWindow(window);
          return 0;
        case IDCANCEL:
          DestroyWindow(window);
          return 0;
      }
      break;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcW(window, message, w, l);
}

static int ShowWindowAndRun(Job* job, HINSTANCE instance) {
  TheJob = job;
  WNDCLASSW cls = {0};
  cls.lpfnWndProc = WindowProc;
  cls.hInstance = instance;
  cls.hCursor = LoadCursor(NULL, IDC_ARROW);
  cls.hIcon = LoadIcon(NULL, IDI_APPLICATION);
  cls.hbrBackground = (HBRUSH)(COLOR_BTNFACE + 1);
  cls.lpszClassName = L"KardomelSfx";
  RegisterClassW(&cls);
  RECT area = {0, 0, 390, 156};
  DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  AdjustWindowRect(&area, style, FALSE);
  HWND window = CreateWindowExW(WS_EX_DLGMODALFRAME, cls.lpszClassName, CAPTION, style, CW_USEDEFAULT,
                                CW_USEDEFAULT, area.right - area.left, area.bottom - area.top, NULL, NULL,
                                instance, NULL);
  ShowWindow(window, SW_SHOWNORMAL);
  MSG message;
  while (GetMessageW(&message, NULL, 0, 0) > 0) {
    if (!IsDialogMessageW(window, &message)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
  return 0;
}

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE previous, PWSTR commandLine, int show) {
  (void)previous;
  (void)commandLine;
  (void)show;
  Job job = {0};
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  for (int i = 1; argv && i < argc; ++i) {
    if (_wcsicmp(argv[i], L"/S") == 0) job.Silent = TRUE;
    else if (StartsWith(argv[i], L"/D=")) job.Folder = argv[i] + 3;
    else if (StartsWith(argv[i], L"/P=")) job.Password = argv[i] + 3;
  }

  wchar_t self[MAX_PATH * 4];
  DWORD length = GetModuleFileNameW(NULL, self, MAX_PATH * 4);
  HANDLE file = length ? CreateFileW(self, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL)
                       : INVALID_HANDLE_VALUE;
  if (file == INVALID_HANDLE_VALUE || !SfxOpenArchive(file, &job.Archive)) {
    Report(&job, L"Dieses Programm enthält kein lesbares Archiv.", TRUE);
    return 2;
  }
  int code;
  if (job.Silent) {
    code = Run(&job) ? 0 : 1;
  } else {
    /* The target folder starts as the folder this program lies in. */
    wchar_t* slash = wcsrchr(self, L'\\');
    if (slash) *slash = L'\0';
    if (!job.Folder) job.Folder = self;
    code = ShowWindowAndRun(&job, instance);
  }
  SfxCloseArchive(&job.Archive);
  CloseHandle(file);
  return code;
}
