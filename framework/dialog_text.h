#pragma once
// Texts of dialog controls and of the string table, read into buffers of a stated
// size, as the pages' limits require.
#include <windows.h>

#include <string>

namespace lumora {

// GetDlgItemTextW with a buffer of `units` (terminator included).
std::u16string DialogItemText(HWND dialog, int id, int units);
void SetDialogItemText(HWND dialog, int id, const std::u16string& text);
// LoadStringW of the program's own string table into a buffer of `units`.
std::wstring LoadResourceString(UINT id, int units = 512);
// LOGPIXELSX of the window's device context; 96 when none can be had.
int HorizontalDpiOf(HWND window);

}  // namespace lumora
