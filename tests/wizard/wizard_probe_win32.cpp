#include "tests/wizard/wizard_probe_win32.h"

#include <commctrl.h>

#include <vector>

namespace lumora::wizard_test {
namespace {

constexpr int kMessageBoxTextId = 0xFFFF;

bool HasClass(HWND window, const wchar_t* className) {
  wchar_t name[64] = {};
  ::GetClassNameW(window, name, 64);
  return ::lstrcmpiW(name, className) == 0;
}

std::vector<HWND> VisibleDialogs() {
  std::vector<HWND> dialogs;
  ::EnumWindows(
      [](HWND window, LPARAM list) -> BOOL {
        if (::IsWindowVisible(window) && HasClass(window, L"#32770")) {
          reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&dialogs));
  return dialogs;
}

}  // namespace

HWND FindSheet(DWORD processId) {
  for (HWND dialog : VisibleDialogs()) {
    DWORD owner = 0;
    ::GetWindowThreadProcessId(dialog, &owner);
    if (owner == processId && ::GetDlgItem(dialog, kNextButton)) return dialog;
  }
  return nullptr;
}

HWND WaitForSheet(DWORD processId, DWORD timeoutMs) {
  HWND sheet = nullptr;
  WaitUntil([&] { return (sheet = FindSheet(processId)) != nullptr; }, timeoutMs);
  return sheet;
}

HWND CurrentPage(HWND sheet) { return reinterpret_cast<HWND>(::SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0)); }

int CurrentPageIndex(HWND sheet) {
  HWND page = CurrentPage(sheet);
  if (!page) return -1;
  return static_cast<int>(::SendMessageW(sheet, PSM_HWNDTOINDEX, reinterpret_cast<WPARAM>(page), 0));
}

bool WaitForPageIndex(HWND sheet, int index, DWORD timeoutMs) {
  return WaitUntil([&] { return CurrentPageIndex(sheet) == index; }, timeoutMs);
}

std::wstring WindowText(HWND window) {
  wchar_t text[4096] = {};
  ::SendMessageTimeoutW(window, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000, nullptr);
  return text;
}

std::wstring ItemText(HWND dialog, int id) { return WindowText(::GetDlgItem(dialog, id)); }

void SetItemText(HWND dialog, int id, const std::wstring& text) { ::SetDlgItemTextW(dialog, id, text.c_str()); }

bool IsItemChecked(HWND dialog, int id) {
  return ::SendDlgItemMessageW(dialog, id, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

bool IsItemEnabled(HWND dialog, int id) { return ::IsWindowEnabled(::GetDlgItem(dialog, id)) != FALSE; }

bool IsItemVisible(HWND dialog, int id) {
  return (::GetWindowLongW(::GetDlgItem(dialog, id), GWL_STYLE) & WS_VISIBLE) != 0;
}

void Click(HWND dialog, int id) { ::PostMessageW(::GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

void PressSheetButton(HWND sheet, int button) { ::PostMessageW(sheet, PSM_PRESSBUTTON, static_cast<WPARAM>(button), 0); }

void ClickCentre(HWND control) {
  RECT client{};
  ::GetClientRect(control, &client);
  const LPARAM centre = MAKELPARAM((client.right - client.left) / 2, (client.bottom - client.top) / 2);
  ::PostMessageW(control, WM_MOUSEMOVE, 0, centre);
  ::PostMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, centre);
  ::PostMessageW(control, WM_LBUTTONUP, 0, centre);
}

namespace {

template <typename Accept>
std::optional<MessageBoxSeen> FindMessageBoxWhere(Accept accept) {
  for (HWND dialog : VisibleDialogs()) {
    if (!accept(dialog) || !::GetDlgItem(dialog, kMessageBoxTextId)) continue;
    MessageBoxSeen box;
    box.window = dialog;
    box.caption = WindowText(dialog);
    box.text = ItemText(dialog, kMessageBoxTextId);
    box.hasOk = ::GetDlgItem(dialog, IDOK) != nullptr && ::IsWindowVisible(::GetDlgItem(dialog, IDOK));
    box.hasYes = ::GetDlgItem(dialog, IDYES) != nullptr;
    box.hasNo = ::GetDlgItem(dialog, IDNO) != nullptr;
    return box;
  }
  return std::nullopt;
}

}  // namespace

std::optional<MessageBoxSeen> FindMessageBox(HWND owner) {
  return FindMessageBoxWhere([owner](HWND dialog) { return ::GetWindow(dialog, GW_OWNER) == owner; });
}

std::optional<MessageBoxSeen> WaitForProcessMessageBox(DWORD processId, DWORD timeoutMs) {
  std::optional<MessageBoxSeen> box;
  WaitUntil(
      [&] {
        box = FindMessageBoxWhere([processId](HWND dialog) {
          DWORD owner = 0;
          ::GetWindowThreadProcessId(dialog, &owner);
          return owner == processId;
        });
        return box.has_value();
      },
      timeoutMs);
  return box;
}

std::optional<MessageBoxSeen> WaitForMessageBox(HWND owner, DWORD timeoutMs) {
  std::optional<MessageBoxSeen> box;
  WaitUntil([&] { return (box = FindMessageBox(owner)).has_value(); }, timeoutMs);
  return box;
}

void Answer(const MessageBoxSeen& box, int buttonId) { ::PostMessageW(::GetDlgItem(box.window, buttonId), BM_CLICK, 0, 0); }

}  // namespace lumora::wizard_test
