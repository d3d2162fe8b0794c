// Walks the setup program's wizard like a user, in the same Wine prefix and display,
// and checks what each page promises. One scenario per run:
//   wizard_driver.exe SCENARIO SETUP.EXE VIEWER.EXE ARTIFACT-FOLDER
// prints one "ok"/"not ok" line per check and exits with the number of failures.
// Screenshots are asked of the runner through ARTIFACT-FOLDER\screenshot.request.
//   wizard_driver.exe --record-url LOG URL
// is the browser registered for http and https in the test prefix: it appends URL.
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

std::wstring DriverPath() {
  wchar_t path[MAX_PATH] = {};
  ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  return path;
}

std::wstring UrlLogPath(const Run& run) { return run.artifactFolder + L"\\opened-urls.txt"; }

// Our recorder answers http and https in this prefix, so opened addresses can be read back.
void RegisterUrlRecorder(const Run& run) {
  const std::wstring command = L"\"" + DriverPath() + L"\" --record-url \"" + UrlLogPath(run) + L"\" \"%1\"";
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

int RecordUrl(const wchar_t* log, const wchar_t* url) {
  if (FILE* file = ::_wfopen(log, L"ab")) {
    std::fputs(Utf8(url).c_str(), file);
    std::fputs("\n", file);
    std::fclose(file);
  }
  return 0;
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
  PressSheetButton(sheet, PSBTN_CANCEL);
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
  PressSheetButton(sheet, PSBTN_CANCEL);
  run.Expect(run.SetupEnded(), L"Done closes the wizard at once without a question");
  run.Expect(RecordedUrls(run).empty(), L"nothing opened with both finish boxes cleared");
  run.Expect(FileExists(L"C:\\Program Files\\Lumora\\l_mora64.exe"), L"the viewer is installed");
}

std::map<std::wstring, std::function<void(Run&)>> Scenarios() {
  return {
      {L"pages", PagesScenario},
  };
}

}  // namespace
}  // namespace lumora::wizard_test

int wmain(int argc, wchar_t** argv) {
  using namespace lumora::wizard_test;
  if (argc == 4 && std::wstring(argv[1]) == L"--record-url") return RecordUrl(argv[2], argv[3]);
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
