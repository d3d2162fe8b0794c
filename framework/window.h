#pragma once
// A window of another class whose messages a C++ object sees first: the framework's
// subclassed window. The object binds to an existing window once and lets go when
// the window is destroyed. Parents reflect their controls' notifications to it.
#include <windows.h>

namespace lumora {

// A parent's notification about a bound control arrives at the control as this
// base plus the original message number (WM_CTLCOLORSTATIC, WM_COMMAND).
inline constexpr UINT kReflectedMessageBase = WM_APP + 0x1C00;

class CWindow {
 public:
  CWindow() = default;
  CWindow(const CWindow&) = delete;
  CWindow& operator=(const CWindow&) = delete;
  virtual ~CWindow();

  HWND GetSafeHwnd() const { return windowHandle; }

  // Binds to `window`: PreSubclassWindow runs, then every message of the window goes
  // through WindowProc. False when this object is already bound or there is no window.
  bool SubclassWindow(HWND window);
  bool SubclassDlgItem(int controlId, HWND dialog) { return SubclassWindow(::GetDlgItem(dialog, controlId)); }

  // The object bound to `window`, or null.
  static CWindow* FromHandle(HWND window);

  // Hands a parent's message about `control` to the object bound to it. True (with
  // the control's answer in `result`) when a bound control answered non-zero.
  static bool ReflectToControl(HWND control, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

 protected:
  virtual void PreSubclassWindow() {}
  // Every message of the bound window; the default passes it on unchanged.
  virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  // Passes the message being handled to the window's own procedure.
  LRESULT Default();

 private:
  struct Message {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
  };
  static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                       DWORD_PTR object);
  void Unbind();

  HWND windowHandle = nullptr;
  const Message* currentMessage = nullptr;
};

}  // namespace lumora
