// Walks the setup program's wizard like a user, in the same Wine prefix and display,
// and checks what each page promises. One scenario per run:
//   wizard_driver.exe SCENARIO SETUP.EXE VIEWER.EXE ARTIFACT-FOLDER
// prints one "ok"/"not ok" line per check and exits with the number of failures.
// Screenshots are asked of the runner through ARTIFACT-FOLDER\screenshot.request.
// Opened web addresses are recorded by url_recorder.exe, beside the driver.
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <functional>
#include <map>
#include <optional>
#include <string>

#include "res/resource.h"
#include "tests/wizard/wizard_probe_win32.h"
#include "wizard/web_addresses.h"

namespace lumora::wizard_test {
namespace {

constexpr wchar_t kSetupCaption[] = L"Lumora 64-bit Setup";
constexpr wchar_t kExitQuestion[] = L"Exit setup?";
constexpr wchar_t kInvalidDestination[] = L"Invalid destination directory!";
constexpr wchar_t kViewerRunning[] =
    L"Warning: Lumora is running!\nPlease close all Lumora instances before you install this version!";
constexpr wchar_t kCantCreateDestination[] =
    L"Can't create destination directory!\n\nPlease check your write permissions and system policies!\n\nTry to "
    L"create the destination folder manually and restart.";
constexpr wchar_t kAssociationQuestion[] =
    L"You want to change current associations and to associate one or many file types with Lumora!\n\nAre you "
    L"REALLY sure!?";
constexpr wchar_t kUninstallKey[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Lumora64";
constexpr wchar_t kPreviousOpenCommandKey[] = L"SOFTWARE\\Classes\\Lumora\\shell\\open\\command";
constexpr COLORREF kLockedBackground = 0xC0C0C0;
constexpr COLORREF kLockedText = 0x0080FF;
constexpr int kImageRows = 49;
constexpr int kFileTypeRows = 63;
constexpr DWORD kInstallWaitMs = 60000;

std::string Utf8(const std::wstring& text) {
  const int bytes = ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(bytes > 0 ? bytes - 1 : 0), '\0');
  if (bytes > 1) ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, out.data(), bytes, nullptr, nullptr);
  return out;
}

// Line feeds shown as \n, so that a check's line stays one line.
std::wstring Printable(const std::wstring& text) {
  std::wstring out;
  for (wchar_t c : text) out += c == L'\n' ? std::wstring(L"\\n") : (c == L'\r' ? std::wstring(L"\\r") : std::wstring(1, c));
  return out;
}

class Run {
 public:
  Run(std::wstring setup, std::wstring viewer, std::wstring artifacts)
      : setupPath(std::move(setup)), viewerPath(std::move(viewer)), artifactFolder(std::move(artifacts)) {}
  ~Run() { EndSetup(); }

  bool Expect(bool ok, const std::wstring& what) {
    std::printf("%s - %s\n", ok ? "ok" : "not ok", Utf8(what).c_str());
    std::fflush(stdout);
    if (!ok) ++failures;
    return ok;
  }
  bool ExpectText(const std::wstring& actual, const std::wstring& expected, const std::wstring& what) {
    return Expect(actual == expected, what + L": \"" + Printable(actual) + L"\"" +
                                          (actual == expected ? L"" : L", expected \"" + Printable(expected) + L"\""));
  }
  int Failures() const { return failures; }

  // Starts the setup program and waits for its sheet; false (and a failure) if none shows.
  bool StartSetup(bool expectWarningFirst = false) {
    std::wstring commandLine = L"\"" + setupPath + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    if (!::CreateProcessW(setupPath.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &setup)) {
      return Expect(false, L"the setup program starts");
    }
    if (expectWarningFirst) return true;
    sheet = WaitForSheet(setup.dwProcessId);
    return Expect(sheet != nullptr, L"the wizard sheet appears");
  }
  bool WaitForSheetNow() {
    sheet = WaitForSheet(setup.dwProcessId);
    return Expect(sheet != nullptr, L"the wizard sheet appears");
  }
  DWORD SetupProcessId() const { return setup.dwProcessId; }
  bool SetupEnded(DWORD timeoutMs = kDefaultWaitMs) {
    return setup.hProcess && ::WaitForSingleObject(setup.hProcess, timeoutMs) == WAIT_OBJECT_0;
  }
  void EndSetup() {
    if (!setup.hProcess) return;
    if (::WaitForSingleObject(setup.hProcess, 0) != WAIT_OBJECT_0) ::TerminateProcess(setup.hProcess, 1);
    ::CloseHandle(setup.hProcess);
    ::CloseHandle(setup.hThread);
    setup = PROCESS_INFORMATION{};
  }

  HWND Sheet() const { return sheet; }
  HWND Page() const { return CurrentPage(sheet); }

  // The runner takes a screenshot of the display and deletes the request.
  void Screenshot(const std::wstring& name) {
    if (artifactFolder.empty()) return;
    ::Sleep(300);  // let the page finish painting
    const std::wstring request = artifactFolder + L"\\screenshot.request";
    if (FILE* file = ::_wfopen(request.c_str(), L"wb")) {
      std::fputs(Utf8(name).c_str(), file);
      std::fclose(file);
    }
    const bool taken = WaitUntil([&] { return ::GetFileAttributesW(request.c_str()) == INVALID_FILE_ATTRIBUTES; }, 15000);
    Expect(taken, L"screenshot " + name);
  }

  // Next on the current page, expecting page `index` to follow.
  bool Next(int index, const std::wstring& why) {
    PressSheetButton(sheet, PSBTN_NEXT);
    return Expect(WaitForPageIndex(sheet, index), why + L": page " + std::to_wstring(index) + L" follows");
  }
  bool Back(int index) {
    PressSheetButton(sheet, PSBTN_BACK);
    return Expect(WaitForPageIndex(sheet, index), L"Back: page " + std::to_wstring(index) + L" follows");
  }
  // Waits for a message box of the sheet, checks its caption and text, answers it.
  bool AnswerBox(const std::wstring& text, int answer, const std::wstring& why, const std::wstring& screenshot = L"") {
    const auto box = WaitForMessageBox(sheet);
    if (!Expect(box.has_value(), why + L": a message box appears")) return false;
    ExpectText(box->caption, kSetupCaption, why + L": message box caption");
    ExpectText(box->text, text, why + L": message box text");
    if (!screenshot.empty()) Screenshot(screenshot);
    Answer(*box, answer);
    return Expect(WaitUntil([&] { return !::IsWindow(box->window); }), why + L": the message box closes");
  }
  bool NoBoxFor(DWORD ms) {
    ::Sleep(ms);
    return !FindMessageBox(sheet).has_value();
  }

  // Sets the welcome page's folder box.
  void SetFolder(const std::wstring& folder) {
    SetItemText(CurrentPage(sheet), IDC_FOLDER_BOX, folder);
  }

  std::wstring setupPath;
  std::wstring viewerPath;
  std::wstring artifactFolder;

 private:
  PROCESS_INFORMATION setup{};
  HWND sheet = nullptr;
  int failures = 0;
};

// --- Registry and files, as the installation left them ---

std::optional<std::wstring> DefaultValue(HKEY root, const std::wstring& key) {
  HKEY opened = nullptr;
  if (::RegOpenKeyExW(root, key.c_str(), 0, KEY_QUERY_VALUE, &opened) != ERROR_SUCCESS) return std::nullopt;
  wchar_t value[1024] = {};
  DWORD bytes = sizeof(value) - sizeof(wchar_t);
  DWORD type = 0;
  const LONG status = ::RegQueryValueExW(opened, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(value), &bytes);
  ::RegCloseKey(opened);
  if (status != ERROR_SUCCESS) return std::wstring();
  return std::wstring(value);
}

bool KeyExists(HKEY root, const std::wstring& key) {
  HKEY opened = nullptr;
  if (::RegOpenKeyExW(root, key.c_str(), 0, KEY_QUERY_VALUE, &opened) != ERROR_SUCCESS) return false;
  ::RegCloseKey(opened);
  return true;
}

void SetDefaultValue(HKEY root, const std::wstring& key, const std::wstring& value) {
  ::RegSetValueW(root, key.c_str(), REG_SZ, value.c_str(), static_cast<DWORD>(value.size() * sizeof(wchar_t)));
}

bool FileExists(const std::wstring& path) { return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::wstring UrlRecorderPath() {
  wchar_t path[MAX_PATH] = {};
  ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path);
  return folder.substr(0, folder.find_last_of(L'\\') + 1) + L"url_recorder.exe";
}

std::wstring UrlLogPath(const Run& run) { return run.artifactFolder + L"\\opened-urls.txt"; }

// Our recorder answers http and https in this prefix, so opened addresses can be read back.
void RegisterUrlRecorder(const Run& run) {
  const std::wstring command = L"\"" + UrlRecorderPath() + L"\" \"" + UrlLogPath(run) + L"\" \"%1\"";
  for (const wchar_t* scheme : {L"http", L"https"}) {
    SetDefaultValue(HKEY_CLASSES_ROOT, std::wstring(scheme), std::wstring(L"URL:") + scheme);
    SetDefaultValue(HKEY_CLASSES_ROOT, std::wstring(scheme) + L"\\shell\\open\\command", command);
  }
  ::DeleteFileW(UrlLogPath(run).c_str());
}

std::wstring RecordedUrls(const Run& run) {
  std::wstring urls;
  if (FILE* file = ::_wfopen(UrlLogPath(run).c_str(), L"rb")) {
    char buffer[4096] = {};
    const std::size_t read = std::fread(buffer, 1, sizeof(buffer) - 1, file);
    std::fclose(file);
    for (std::size_t i = 0; i < read; ++i) urls += static_cast<wchar_t>(static_cast<unsigned char>(buffer[i]));
  }
  return urls;
}

// --- The associations list, read across processes with messages that carry no pointers ---

HWND FileTypeList(HWND page) { return ::GetDlgItem(page, IDC_FILE_TYPE_LIST); }
int ListCount(HWND list) { return static_cast<int>(::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0)); }
bool RowChecked(HWND list, int row) {
  return ((::SendMessageW(list, LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_STATEIMAGEMASK) >> 12) & 0xF) == 2;
}
int CheckedRows(HWND list) {
  int checked = 0;
  for (int row = 0; row < ListCount(list); ++row) checked += RowChecked(list, row);
  return checked;
}
bool OnlyImageRowsChecked(HWND list) {
  for (int row = 0; row < ListCount(list); ++row) {
    if (RowChecked(list, row) != (row < kImageRows)) return false;
  }
  return true;
}
COLORREF ListBackground(HWND list) { return static_cast<COLORREF>(::SendMessageW(list, LVM_GETBKCOLOR, 0, 0)); }
COLORREF ListTextColour(HWND list) { return static_cast<COLORREF>(::SendMessageW(list, LVM_GETTEXTCOLOR, 0, 0)); }

// The colours a list view has of its own, from one made here.
std::pair<COLORREF, COLORREF> OwnListColours() {
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_LISTVIEW_CLASSES};
  ::InitCommonControlsEx(&controls);
  HWND list = ::CreateWindowExW(0, WC_LISTVIEWW, L"", LVS_REPORT, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  const std::pair<COLORREF, COLORREF> colours{ListBackground(list), ListTextColour(list)};
  ::DestroyWindow(list);
  return colours;
}

std::wstring Hex(COLORREF colour) {
  wchar_t text[16];
  ::swprintf(text, 16, L"0x%06lX", static_cast<unsigned long>(colour));
  return text;
}

// --- Walking the pages ---

bool WalkToReady(Run& run, const std::wstring& folder) {
  run.SetFolder(folder);
  return run.Next(1, L"Next with " + folder) && run.Next(2, L"Next on what's new") && run.Next(3, L"Next on the associations page");
}

void UnlockAndChooseImages(Run& run) {
  HWND page = run.Page();
  Click(page, IDC_REGISTRY_BOX);
  run.Expect(WaitUntil([&] { return ::IsWindowEnabled(FileTypeList(page)) != FALSE; }), L"3311 unlocks the list");
  Click(page, IDC_IMAGES_ONLY);
  run.Expect(WaitUntil([&] { return CheckedRows(FileTypeList(page)) == kImageRows; }), L"Images only checks 49 rows");
}

// Installs from the ready page; the installation's own question, if any, is answered.
bool InstallFromReady(Run& run, std::optional<int> associationAnswer) {
  PressSheetButton(run.Sheet(), PSBTN_NEXT);
  if (associationAnswer) {
    const auto box = WaitForMessageBox(run.Sheet(), kInstallWaitMs);
    if (!run.Expect(box.has_value(), L"question 9 appears")) return false;
    run.ExpectText(box->text, kAssociationQuestion, L"question 9's text");
    run.Expect(box->hasYes && box->hasNo, L"question 9 offers Yes and No");
    run.Screenshot(L"ready-question-9");
    Answer(*box, *associationAnswer);
  }
  return run.Expect(WaitForPageIndex(run.Sheet(), 4, kInstallWaitMs), L"the finish page follows the installation");
}

// --- Scenarios ---

// Every page as a user first sees it, with screenshots; an installation end to end.
void PagesScenario(Run& run) {
  RegisterUrlRecorder(run);
  if (!run.StartSetup()) return;
  HWND sheet = run.Sheet();
  HWND page = run.Page();
  run.ExpectText(WindowText(sheet), kSetupCaption, L"sheet title");
  run.Expect(run.NoBoxFor(300), L"no warning while the viewer is not running");
  run.ExpectText(ItemText(page, IDC_WELCOME_HEADER), L"Welcome to Lumora 64 setup!", L"greeting");
  run.ExpectText(ItemText(page, IDC_VERSION_LINE),
                 L"This program will install Lumora version  4.72  (64 bit) on your system.\n (it should be started "
                 L"with Admin permissions)",
                 L"version line");
  for (int box : {IDC_DESKTOP_SHORTCUT, IDC_THUMBNAILS_SHORTCUT, IDC_START_MENU_GROUP}) {
    run.Expect(IsItemChecked(page, box), L"shortcut box " + std::to_wstring(box) + L" checked");
  }
  run.Expect(IsItemChecked(page, IDC_CURRENT_USER) && !IsItemChecked(page, IDC_ALL_USERS), L"current user selected");
  run.ExpectText(ItemText(page, IDC_FOLDER_BOX), L"C:\\Program Files\\Lumora", L"default folder");
  run.ExpectText(ItemText(sheet, IDCANCEL), L"&Exit", L"Cancel reads Exit");
  run.Expect(!IsItemEnabled(sheet, kBackButton) && IsItemEnabled(sheet, kNextButton), L"Back disabled, Next enabled");
  run.ExpectText(ItemText(page, IDC_EULA_LINK), L"Lumora EULA", L"EULA label keeps its text");
  run.Screenshot(L"1-welcome");

  if (!run.Next(1, L"Next with the default folder")) return;
  run.ExpectText(WindowText(sheet), kSetupCaption, L"sheet title on the what's new page");
  run.Expect(IsItemEnabled(sheet, kBackButton), L"Back enabled on the what's new page");
  run.Screenshot(L"2-whats-new");
  if (!run.Next(2, L"Next on what's new")) return;
  run.Screenshot(L"3-associations-locked");
  page = run.Page();
  UnlockAndChooseImages(run);
  run.Screenshot(L"4-associations-images-only");
  Click(page, IDC_REGISTRY_BOX);  // locked again: nothing is collected
  run.Expect(WaitUntil([&] { return !::IsWindowEnabled(FileTypeList(page)); }), L"3311 cleared locks the list");
  if (!run.Next(3, L"Next on the associations page")) return;
  run.Screenshot(L"5-ready");
  Click(sheet, IDCANCEL);
  run.AnswerBox(kExitQuestion, IDNO, L"Exit on the ready page", L"6-exit-question");
  if (!InstallFromReady(run, std::nullopt)) return;
  page = run.Page();
  run.Screenshot(L"7-finish");
  run.Expect(IsItemChecked(page, IDC_OPEN_FAQ) && IsItemChecked(page, IDC_START_VIEWER), L"both finish boxes checked");
  run.ExpectText(ItemText(sheet, IDCANCEL), L"&Done", L"Cancel reads Done");
  run.Expect(!IsItemEnabled(sheet, kBackButton) && !IsItemEnabled(sheet, kNextButton), L"Back and Next disabled");
  Click(page, IDC_OPEN_FAQ);
  Click(page, IDC_START_VIEWER);
  run.Expect(WaitUntil([&] { return !IsItemChecked(page, IDC_START_VIEWER); }), L"finish boxes cleared");
  Click(sheet, IDCANCEL);
  run.Expect(run.SetupEnded(), L"Done closes the wizard at once without a question");
  run.Expect(RecordedUrls(run).empty(), L"nothing opened with both finish boxes cleared");
  run.Expect(FileExists(L"C:\\Program Files\\Lumora\\l_mora64.exe"), L"the viewer is installed");
}

// The folder picker opened by Browse: a dialog of the sheet with a tree of folders.
HWND WaitForFolderPicker(HWND sheet) {
  HWND picker = nullptr;
  WaitUntil([&] {
    picker = nullptr;
    ::EnumWindows(
        [](HWND window, LPARAM found) -> BOOL {
          if (::IsWindowVisible(window) && ::FindWindowExW(window, nullptr, WC_TREEVIEWW, nullptr)) {
            *reinterpret_cast<HWND*>(found) = window;
            return FALSE;
          }
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&picker));
    return picker != nullptr && ::GetWindow(picker, GW_OWNER) == sheet;
  });
  return picker;
}

bool HasChildText(HWND parent, const std::wstring& text) {
  for (HWND child = ::GetWindow(parent, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    if (WindowText(child) == text) return true;
  }
  return false;
}

// Browse opens the picker on the box's folder; OK puts the picked folder, with the
// product's level added when it is missing, into the box.
void BrowseCase(Run& run, const std::wstring& boxText, const std::wstring& expected, const std::wstring& screenshot = L"") {
  HWND page = run.Page();
  run.SetFolder(boxText);
  Click(page, IDC_BROWSE);
  HWND picker = WaitForFolderPicker(run.Sheet());
  if (!run.Expect(picker != nullptr, L"Browse opens the folder picker for " + boxText)) return;
  run.Expect(HasChildText(picker, L"Installation folder:"), L"the picker's title is string 8");
  if (!screenshot.empty()) run.Screenshot(screenshot);
  ::Sleep(200);
  ::PostMessageW(::GetDlgItem(picker, IDOK), BM_CLICK, 0, 0);
  run.Expect(WaitUntil([&] { return !::IsWindow(picker); }), L"the picker closes with OK");
  run.Expect(WaitUntil([&] { return ItemText(page, IDC_FOLDER_BOX) == expected; }, 2000),
             L"picked from " + boxText + L": \"" + ItemText(page, IDC_FOLDER_BOX) + L"\", expected \"" + expected + L"\"");
}

// The welcome page's controls: shortcut boxes and scope, the folder check, the EULA link.
void WelcomeScenario(Run& run) {
  RegisterUrlRecorder(run);
  if (!run.StartSetup()) return;
  HWND sheet = run.Sheet();
  HWND page = run.Page();
  Click(page, IDC_UNCHECK_ALL);
  run.Expect(WaitUntil([&] { return !IsItemEnabled(page, IDC_CURRENT_USER); }), L"Uncheck all disables the scope buttons");
  run.Expect(!IsItemChecked(page, IDC_DESKTOP_SHORTCUT) && !IsItemChecked(page, IDC_THUMBNAILS_SHORTCUT) &&
                 !IsItemChecked(page, IDC_START_MENU_GROUP),
             L"Uncheck all clears the three boxes");
  run.Expect(!IsItemEnabled(page, IDC_ALL_USERS) && IsItemChecked(page, IDC_CURRENT_USER),
             L"both scope buttons disabled, their check kept");
  run.Screenshot(L"1-welcome-unchecked");
  Click(page, IDC_THUMBNAILS_SHORTCUT);
  run.Expect(WaitUntil([&] { return IsItemEnabled(page, IDC_ALL_USERS); }), L"checking one box enables the scope buttons");
  Click(page, IDC_THUMBNAILS_SHORTCUT);
  run.Expect(WaitUntil([&] { return !IsItemEnabled(page, IDC_ALL_USERS); }), L"clearing the last box disables them");
  Click(page, IDC_DESKTOP_SHORTCUT);
  run.Expect(WaitUntil([&] { return IsItemEnabled(page, IDC_CURRENT_USER); }), L"the desktop box enables them again");

  bool screenshotTaken = false;
  for (const wchar_t* folder : {L"", L"\\\\server\\share\\x", L"x\\y", L" C:\\x"}) {
    run.SetFolder(folder);
    PressSheetButton(sheet, PSBTN_NEXT);
    run.AnswerBox(kInvalidDestination, IDOK, std::wstring(L"Next with \"") + folder + L"\"",
                  screenshotTaken ? L"" : L"2-invalid-folder");
    screenshotTaken = true;
    run.Expect(CurrentPageIndex(sheet) == 0, std::wstring(L"still on the welcome page after \"") + folder + L"\"");
  }
  run.Expect(IsItemEnabled(sheet, kBackButton), L"Back enabled after a refused Next");
  run.Back(0);

  HWND link = ::GetDlgItem(page, IDC_EULA_LINK);
  RECT bounds{};
  ::GetWindowRect(link, &bounds);
  run.Expect(bounds.right - bounds.left > 0, L"the EULA link has a window sized to its text");
  ClickCentre(link);
  run.Expect(WaitUntil([&] { return RecordedUrls(run).find(lumora::kEulaAddress) != std::wstring::npos; }),
             std::wstring(L"the EULA link opens ") + lumora::kEulaAddress);
  run.Expect(!FindMessageBox(sheet).has_value(), L"a successful visit shows no message");

  ::CreateDirectoryW(L"C:\\Apps", nullptr);
  ::CreateDirectoryW(L"C:\\Apps\\LUMORA", nullptr);
  BrowseCase(run, L"C:\\windows\\", L"C:\\windows\\Lumora\\", L"3-folder-picker");
  BrowseCase(run, L"C:\\", L"C:\\Lumora\\");
  BrowseCase(run, L"C:\\Apps\\LUMORA\\", L"C:\\Apps\\LUMORA\\");

  run.SetFolder(L"C:\\x");
  if (!run.Next(1, L"Next with C:\\x")) return;
  run.Back(0);
  page = run.Page();
  run.ExpectText(ItemText(page, IDC_FOLDER_BOX), L"C:\\x", L"the folder survives Back");
  run.Expect(IsItemChecked(page, IDC_DESKTOP_SHORTCUT) && !IsItemChecked(page, IDC_THUMBNAILS_SHORTCUT) &&
                 !IsItemChecked(page, IDC_START_MENU_GROUP),
             L"the shortcut boxes survive Back");
  run.Expect(!IsItemEnabled(sheet, kBackButton), L"Back disabled again on the welcome page");
}

// Exit, Escape and the title bar's close: No keeps the page and its choices, Yes ends
// the wizard with nothing installed.
void ExitsScenario(Run& run) {
  if (!run.StartSetup()) return;
  HWND sheet = run.Sheet();
  HWND page = run.Page();
  Click(page, IDC_START_MENU_GROUP);
  run.Expect(WaitUntil([&] { return !IsItemChecked(page, IDC_START_MENU_GROUP); }), L"a choice changed");
  run.SetFolder(L"C:\\Kept");

  const auto leaveAndStay = [&](const std::wstring& how, const std::function<void()>& leave, int index) {
    leave();
    run.AnswerBox(kExitQuestion, IDNO, how + L" on page " + std::to_wstring(index));
    run.Expect(run.NoBoxFor(200) && CurrentPageIndex(sheet) == index, how + L", No: the page stays");
  };
  const auto exitButton = [&] { Click(sheet, IDCANCEL); };
  const auto escapeKey = [&] {
    HWND focus = ::GetDlgItem(run.Page(), IDC_FOLDER_BOX);
    if (!focus || !::IsWindowVisible(focus)) focus = ::GetNextDlgTabItem(run.Page(), nullptr, FALSE);
    ::PostMessageW(focus ? focus : run.Page(), WM_KEYDOWN, VK_ESCAPE, 0x00010001);
    ::PostMessageW(focus ? focus : run.Page(), WM_KEYUP, VK_ESCAPE, static_cast<LPARAM>(0xC0010001u));
  };
  const auto closeBox = [&] { ::PostMessageW(sheet, WM_SYSCOMMAND, SC_CLOSE, 0); };

  leaveAndStay(L"Exit", exitButton, 0);
  leaveAndStay(L"Escape", escapeKey, 0);
  leaveAndStay(L"Title-bar close", closeBox, 0);
  run.Expect(!IsItemChecked(page, IDC_START_MENU_GROUP) && IsItemChecked(page, IDC_DESKTOP_SHORTCUT),
             L"the choices survive the questions");
  run.ExpectText(ItemText(page, IDC_FOLDER_BOX), L"C:\\Kept", L"the folder survives the questions");
  if (!run.Next(1, L"Next")) return;
  leaveAndStay(L"Exit", exitButton, 1);
  leaveAndStay(L"Title-bar close", closeBox, 1);
  if (!run.Next(2, L"Next")) return;
  leaveAndStay(L"Escape", escapeKey, 2);
  leaveAndStay(L"Exit", exitButton, 2);
  if (!run.Next(3, L"Next")) return;
  leaveAndStay(L"Title-bar close", closeBox, 3);
  leaveAndStay(L"Escape", escapeKey, 3);

  closeBox();
  run.AnswerBox(kExitQuestion, IDYES, L"Title-bar close on the ready page");
  run.Expect(run.SetupEnded(), L"Yes ends the wizard");
  run.Expect(!FileExists(L"C:\\Kept"), L"nothing installed: no destination folder");
  run.Expect(!KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey), L"nothing installed: no uninstall entry");
}

// Exit answered Yes on the welcome page.
void ExitYesScenario(Run& run) {
  if (!run.StartSetup()) return;
  Click(run.Sheet(), IDCANCEL);
  run.AnswerBox(kExitQuestion, IDYES, L"Exit on the welcome page");
  run.Expect(run.SetupEnded(), L"Yes ends the wizard");
  run.Expect(!FileExists(L"C:\\Program Files\\Lumora"), L"nothing installed: no destination folder");
  run.Expect(!KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey), L"nothing installed: no uninstall entry");
}

// The file-type list: locked, unlocked by 3311, the presets, marks kept over Back and Next.
void AssociationsScenario(Run& run) {
  if (!run.StartSetup()) return;
  if (!run.Next(1, L"Next") || !run.Next(2, L"Next")) return;
  HWND page = run.Page();
  HWND list = FileTypeList(page);
  const auto expectLocked = [&](const std::wstring& when) {
    run.Expect(!::IsWindowEnabled(list), L"list disabled " + when);
    run.Expect(ListBackground(list) == kLockedBackground, L"locked background " + Hex(ListBackground(list)) + L" " + when);
    run.Expect(ListTextColour(list) == kLockedText, L"locked text colour " + Hex(ListTextColour(list)) + L" " + when);
    run.Expect(!IsItemEnabled(page, IDC_IMAGES_ONLY) && !IsItemEnabled(page, IDC_SELECT_ALL) &&
                   !IsItemEnabled(page, IDC_SELECT_NONE),
               L"the three buttons disabled " + when);
  };
  const auto [ownBackground, ownText] = OwnListColours();
  const auto expectUnlocked = [&](const std::wstring& when) {
    run.Expect(::IsWindowEnabled(list) != FALSE, L"list enabled " + when);
    run.Expect(ListBackground(list) == ownBackground && ListTextColour(list) == ownText,
               L"the list's own colours " + Hex(ListBackground(list)) + L"/" + Hex(ListTextColour(list)) + L" " + when);
    run.Expect(IsItemEnabled(page, IDC_IMAGES_ONLY) && IsItemEnabled(page, IDC_SELECT_ALL) &&
                   IsItemEnabled(page, IDC_SELECT_NONE),
               L"the three buttons enabled " + when);
  };

  run.Expect(ListCount(list) == kFileTypeRows, L"63 file types listed");
  run.Expect(CheckedRows(list) == 0, L"every row starts unchecked");
  run.Expect(!IsItemVisible(page, IDC_ASSOCIATION_ALL_USERS), L"1037 hidden");
  run.Expect(!IsItemChecked(page, IDC_REGISTRY_BOX) && IsItemEnabled(page, IDC_REGISTRY_BOX), L"3311 unchecked, enabled");
  expectLocked(L"on first show");

  Click(page, IDC_REGISTRY_BOX);
  WaitUntil([&] { return ::IsWindowEnabled(list) != FALSE; });
  expectUnlocked(L"after 3311");
  Click(page, IDC_SELECT_ALL);
  run.Expect(WaitUntil([&] { return CheckedRows(list) == kFileTypeRows; }), L"Select all checks every row");
  Click(page, IDC_SELECT_NONE);
  run.Expect(WaitUntil([&] { return CheckedRows(list) == 0; }), L"None clears every row");
  Click(page, IDC_SELECT_ALL);
  WaitUntil([&] { return CheckedRows(list) == kFileTypeRows; });
  Click(page, IDC_IMAGES_ONLY);
  run.Expect(WaitUntil([&] { return CheckedRows(list) == kImageRows; }) && OnlyImageRowsChecked(list),
             L"Images only checks exactly rows 0 to 48");

  run.Back(1);
  run.Next(2, L"Next back to the list");
  expectUnlocked(L"after Back and Next");
  run.Expect(CheckedRows(list) == kImageRows && OnlyImageRowsChecked(list), L"marks kept over Back and Next");
  if (!run.Next(3, L"Next")) return;
  run.Back(2);
  run.Expect(CheckedRows(list) == kImageRows, L"marks kept over Next and Back");

  Click(page, IDC_REGISTRY_BOX);
  WaitUntil([&] { return !::IsWindowEnabled(list); });
  expectLocked(L"after 3311 cleared");
  run.Expect(CheckedRows(list) == kImageRows, L"locking keeps the marks");
  run.Back(1);
  run.Next(2, L"Next back to the locked list");
  expectLocked(L"on return with 3311 cleared");
  run.Screenshot(L"associations-locked-with-marks");
}

// The ready page's label and its preselected radio button.
void ReadyScenario(Run& run) {
  if (!run.StartSetup()) return;
  if (!WalkToReady(run, L"C:\\Lumora Test   ")) return;
  HWND page = run.Page();
  run.ExpectText(ItemText(page, IDC_DESTINATION_LABEL), L"Destination directory: C:\\Lumora Test",
                 L"destination label without trailing blanks");
  run.Expect(IsItemChecked(page, IDC_INI_IN_APPLICATION_DATA) && !IsItemChecked(page, IDC_INI_BESIDE_VIEWER),
             L"application data folder preselected");
  run.Expect(!IsItemVisible(page, IDC_INI_CUSTOM_FOLDER) && !IsItemVisible(page, IDC_CUSTOM_INI_FOLDER_BOX) &&
                 !IsItemVisible(page, IDC_INI_BROWSE) && !IsItemVisible(page, IDC_STATUS_TEXT),
             L"custom folder controls and the status text hidden");
  Click(page, IDC_INI_BESIDE_VIEWER);
  run.Expect(WaitUntil([&] { return IsItemChecked(page, IDC_INI_BESIDE_VIEWER); }), L"the Lumora folder chosen");
  run.Back(2);
  run.Next(3, L"Next back to the ready page");
  run.Expect(IsItemChecked(page, IDC_INI_IN_APPLICATION_DATA) && !IsItemChecked(page, IDC_INI_BESIDE_VIEWER),
             L"the preselection comes back after Back");
}

// Question 9 answered No or Yes, and what the registry holds afterwards.
void QuestionScenario(Run& run, int answer) {
  if (!run.StartSetup()) return;
  run.SetFolder(L"C:\\Lumora Q9");
  if (!run.Next(1, L"Next") || !run.Next(2, L"Next")) return;
  UnlockAndChooseImages(run);
  if (!run.Next(3, L"Next")) return;
  if (!InstallFromReady(run, answer)) return;
  HWND page = run.Page();
  Click(page, IDC_OPEN_FAQ);
  Click(page, IDC_START_VIEWER);
  WaitUntil([&] { return !IsItemChecked(page, IDC_START_VIEWER) && !IsItemChecked(page, IDC_OPEN_FAQ); });
  Click(run.Sheet(), IDCANCEL);
  run.Expect(run.SetupEnded(), L"Done ends the wizard");

  const bool yes = answer == IDYES;
  const std::wstring how = yes ? L"Yes" : L"No";
  for (const wchar_t* extension : {L"bmp", L"gif"}) {
    const std::wstring ext(extension);
    const auto association = DefaultValue(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Classes\\." + ext);
    const bool associated = association && *association == L"Lumora." + ext;
    run.Expect(associated == yes, how + L": ." + ext + L" associated " + (associated ? L"yes" : L"no"));
    const bool choice = KeyExists(
        HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts\\." + ext + L"\\UserChoice");
    run.Expect(choice == yes, how + L": ." + ext + L" user choice written " + (choice ? L"yes" : L"no"));
  }
  run.Expect(KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey), how + L": the rest of the registration ran (uninstall entry)");
  run.Expect(KeyExists(HKEY_CLASSES_ROOT, L"Applications\\l_mora64.exe"), how + L": the application entry is written");
}

// Done with both finish boxes checked: the FAQ page opens and the viewer comes to the front.
void FinishDoneScenario(Run& run) {
  RegisterUrlRecorder(run);
  if (!run.StartSetup()) return;
  if (!WalkToReady(run, L"C:\\Tools\\Lumora")) return;
  if (!InstallFromReady(run, std::nullopt)) return;
  Click(run.Sheet(), IDCANCEL);
  // The viewer is brought to the front before the sheet closes; on a display without
  // a window manager the closing sheet may take the focus along, so the front is
  // watched from Done until a second after the wizard ended.
  bool viewerInFront = false;
  const auto watchFront = [&] {
    wchar_t frontClass[64] = {};
    ::GetClassNameW(::GetForegroundWindow(), frontClass, 64);
    viewerInFront = viewerInFront || std::wstring(frontClass) == L"Lumora";
  };
  const ULONGLONG giveUp = ::GetTickCount64() + 10000;
  while (!run.SetupEnded(1) && ::GetTickCount64() < giveUp) watchFront();
  run.Expect(run.SetupEnded(0), L"Done ends the wizard");
  const ULONGLONG settled = ::GetTickCount64() + 1000;
  while (::GetTickCount64() < settled && !viewerInFront) {
    watchFront();
    ::Sleep(1);
  }
  run.Expect(RecordedUrls(run).find(lumora::kFaqAddress) != std::wstring::npos,
             std::wstring(L"Done opens ") + lumora::kFaqAddress);
  HWND viewer = nullptr;
  run.Expect(WaitUntil([&] { return (viewer = ::FindWindowW(L"Lumora", nullptr)) != nullptr; }),
             L"Done starts the installed viewer");
  run.Expect(viewerInFront, L"the viewer's window is brought to the front");
  if (viewer) ::PostMessageW(viewer, WM_CLOSE, 0, 0);
}

// The viewer running: a warning on the welcome page, a refusal on the ready page.
void RunningViewerScenario(Run& run) {
  std::wstring commandLine = L"\"" + run.viewerPath + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION viewer{};
  if (!run.Expect(::CreateProcessW(run.viewerPath.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                   nullptr, &startup, &viewer) != FALSE,
                  L"the stand-in viewer starts")) {
    return;
  }
  run.Expect(WaitUntil([] { return ::FindWindowW(L"Lumora", nullptr) != nullptr; }), L"the viewer's window exists");
  if (!run.StartSetup(true)) return;
  const auto warning = WaitForProcessMessageBox(run.SetupProcessId());
  if (run.Expect(warning.has_value(), L"a warning on the first show")) {
    run.ExpectText(warning->text, kViewerRunning, L"warning text");
    run.ExpectText(warning->caption, kSetupCaption, L"warning caption");
    run.Expect(warning->hasOk && !warning->hasYes, L"the warning has an OK button only");
    Answer(*warning, IDOK);
  }
  if (!run.WaitForSheetNow()) return;
  run.Screenshot(L"welcome-after-warning");
  run.SetFolder(L"C:\\Lumora RV");
  if (!run.Next(1, L"Next after the warning") || !run.Next(2, L"Next") || !run.Next(3, L"Next")) return;
  PressSheetButton(run.Sheet(), PSBTN_NEXT);
  run.AnswerBox(kViewerRunning, IDOK, L"Next on the ready page with the viewer running", L"ready-refusal");
  run.Expect(CurrentPageIndex(run.Sheet()) == 3, L"the ready page stays");
  run.Expect(!FileExists(L"C:\\Lumora RV"), L"nothing installed while the viewer runs");
  run.Back(2);
  run.Back(1);
  PressSheetButton(run.Sheet(), PSBTN_BACK);
  run.AnswerBox(kViewerRunning, IDOK, L"back on the welcome page, the warning again");
  run.Expect(WaitForPageIndex(run.Sheet(), 0), L"the welcome page is shown");

  ::PostMessageW(::FindWindowW(L"Lumora", nullptr), WM_CLOSE, 0, 0);
  run.Expect(::WaitForSingleObject(viewer.hProcess, 5000) == WAIT_OBJECT_0, L"the viewer is closed");
  ::CloseHandle(viewer.hProcess);
  ::CloseHandle(viewer.hThread);
  if (!run.Next(1, L"Next") || !run.Next(2, L"Next") || !run.Next(3, L"Next")) return;
  InstallFromReady(run, std::nullopt);
}

// A folder on a drive that does not exist: message 11, back to the welcome page.
void FailedInstallationScenario(Run& run) {
  if (!run.StartSetup()) return;
  if (!WalkToReady(run, L"Q:\\Lumora")) return;
  PressSheetButton(run.Sheet(), PSBTN_NEXT);
  const auto box = WaitForMessageBox(run.Sheet(), kInstallWaitMs);
  if (run.Expect(box.has_value(), L"the installation reports its failure")) {
    run.ExpectText(box->text, kCantCreateDestination, L"failure text");
    run.Expect(box->hasOk && !box->hasYes, L"the failure has an OK button only");
    run.Screenshot(L"failed-installation");
    run.Expect(IsItemVisible(CurrentPage(run.Sheet()), IDC_STATUS_TEXT), L"the status text is shown while it runs");
    Answer(*box, IDOK);
  }
  run.Expect(WaitForPageIndex(run.Sheet(), 0, kInstallWaitMs), L"the welcome page follows the failure");
  run.Expect(!IsItemEnabled(run.Sheet(), kBackButton), L"Back disabled on the welcome page");
  run.Expect(IsItemEnabled(run.Sheet(), kNextButton) && IsItemEnabled(run.Sheet(), IDCANCEL),
             L"Next and Exit enabled again");
  run.ExpectText(ItemText(run.Page(), IDC_FOLDER_BOX), L"Q:\\Lumora", L"the folder is kept for correction");
  if (!run.Next(1, L"Next") || !run.Next(2, L"Next") || !run.Next(3, L"Next")) return;
  HWND ready = run.Page();
  run.Expect(IsItemVisible(ready, IDC_STATUS_TEXT), L"the status text is still shown on the ready page");
  run.ExpectText(ItemText(ready, IDC_STATUS_TEXT), L"Installing ... please wait ...", L"status text");
  run.Screenshot(L"ready-after-failure");
}

// An earlier installation's folder wins over the default folder.
void EarlierInstallationScenario(Run& run) {
  SetDefaultValue(HKEY_LOCAL_MACHINE, kPreviousOpenCommandKey, L"\"D:\\Old\\Lumora\\l_mora64.exe\" \"%1\"");
  if (!run.StartSetup()) return;
  run.ExpectText(ItemText(run.Page(), IDC_FOLDER_BOX), L"D:\\Old\\Lumora\\", L"the earlier installation's folder");
}

// Windows 11: the registry box can never unlock the list.
void Windows11Scenario(Run& run) {
  if (!run.StartSetup()) return;
  if (!run.Next(1, L"Next") || !run.Next(2, L"Next")) return;
  HWND page = run.Page();
  run.Expect(!IsItemEnabled(page, IDC_REGISTRY_BOX) && !IsItemChecked(page, IDC_REGISTRY_BOX),
             L"3311 disabled and unchecked under class 11");
  run.Expect(!::IsWindowEnabled(FileTypeList(page)), L"the list stays locked");
  run.Screenshot(L"associations-windows11");
}

std::map<std::wstring, std::function<void(Run&)>> Scenarios() {
  return {
      {L"pages", PagesScenario},
      {L"welcome", WelcomeScenario},
      {L"exits", ExitsScenario},
      {L"exit-yes", ExitYesScenario},
      {L"associations", AssociationsScenario},
      {L"ready", ReadyScenario},
      {L"question-no", [](Run& run) { QuestionScenario(run, IDNO); }},
      {L"question-yes", [](Run& run) { QuestionScenario(run, IDYES); }},
      {L"finish-done", FinishDoneScenario},
      {L"running-viewer", RunningViewerScenario},
      {L"failed-installation", FailedInstallationScenario},
      {L"earlier-installation", EarlierInstallationScenario},
      {L"windows11", Windows11Scenario},
  };
}

}  // namespace
}  // namespace lumora::wizard_test

int wmain(int argc, wchar_t** argv) {
  using namespace lumora::wizard_test;
  if (argc != 5) {
    std::fputs("usage: wizard_driver SCENARIO SETUP.EXE VIEWER.EXE ARTIFACT-FOLDER\n", stderr);
    return 100;
  }
  const auto scenarios = Scenarios();
  const auto scenario = scenarios.find(argv[1]);
  if (scenario == scenarios.end()) {
    std::fputs("unknown scenario\n", stderr);
    return 100;
  }
  Run run(argv[2], argv[3], argv[4]);
  scenario->second(run);
  run.EndSetup();
  std::printf("# %d failed\n", run.Failures());
  return run.Failures();
}
