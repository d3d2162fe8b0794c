#pragma once
// What the wizard driver sees of the setup program, from another process, the way a
// user would: the sheet, its current page, control texts and states, message boxes,
// and clicks delivered through the window's own message queue (so that a click whose
// handler opens a modal box never blocks the driver).
#include <windows.h>

#include <optional>
#include <string>

namespace lumora::wizard_test {

inline constexpr DWORD kDefaultWaitMs = 5000;
inline constexpr int kBackButton = 0x3023;
inline constexpr int kNextButton = 0x3024;

// The visible wizard sheet of process `processId`: a "#32770" with a Next button.
HWND FindSheet(DWORD processId);
HWND WaitForSheet(DWORD processId, DWORD timeoutMs = kDefaultWaitMs);

HWND CurrentPage(HWND sheet);
// The current page's index in the sheet, or -1.
int CurrentPageIndex(HWND sheet);
bool WaitForPageIndex(HWND sheet, int index, DWORD timeoutMs = kDefaultWaitMs);

std::wstring WindowText(HWND window);
std::wstring ItemText(HWND dialog, int id);
void SetItemText(HWND dialog, int id, const std::wstring& text);
bool IsItemChecked(HWND dialog, int id);
bool IsItemEnabled(HWND dialog, int id);
bool IsItemVisible(HWND dialog, int id);

// Posts BM_CLICK to the control: its handler runs in the setup's own loop.
void Click(HWND dialog, int id);
// Posts PSM_PRESSBUTTON (PSBTN_BACK, PSBTN_NEXT, PSBTN_CANCEL).
void PressSheetButton(HWND sheet, int button);
// Left click in the middle of a control, as the mouse would give it.
void ClickCentre(HWND control);

// A message box owned by `owner`: a visible "#32770" whose text is static 0xFFFF.
struct MessageBoxSeen {
  HWND window = nullptr;
  std::wstring caption;
  std::wstring text;
  bool hasOk = false, hasYes = false, hasNo = false;
};
std::optional<MessageBoxSeen> FindMessageBox(HWND owner);
std::optional<MessageBoxSeen> WaitForMessageBox(HWND owner, DWORD timeoutMs = kDefaultWaitMs);
// Any message box of the process, for those shown before the sheet is visible.
std::optional<MessageBoxSeen> WaitForProcessMessageBox(DWORD processId, DWORD timeoutMs = kDefaultWaitMs);
void Answer(const MessageBoxSeen& box, int buttonId);

// Polls `condition` every 25 ms until it holds or the time is up.
template <typename Condition>
bool WaitUntil(Condition condition, DWORD timeoutMs = kDefaultWaitMs) {
  const ULONGLONG end = ::GetTickCount64() + timeoutMs;
  for (;;) {
    if (condition()) return true;
    if (::GetTickCount64() >= end) return false;
    ::Sleep(25);
  }
}

}  // namespace lumora::wizard_test
