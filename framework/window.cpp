#include "framework/window.h"

#include <commctrl.h>

namespace lumora {
namespace {
// One subclass id for every framework object: a window is bound to one object at most.
constexpr UINT_PTR kFrameworkSubclassId = 0x4C4D;
// The bound object, found again from the window (the import library offers no
// query of a window's subclass data).
constexpr wchar_t kBoundObjectProperty[] = L"LumoraFrameworkWindow";
}  // namespace

CWindow::~CWindow() { Unbind(); }

bool CWindow::SubclassWindow(HWND window) {
  if (windowHandle || !window || !::IsWindow(window)) return false;
  if (FromHandle(window)) return false;
  windowHandle = window;
  PreSubclassWindow();
  if (!::SetWindowSubclass(window, &CWindow::SubclassProc, kFrameworkSubclassId, reinterpret_cast<DWORD_PTR>(this))) {
    windowHandle = nullptr;
    return false;
  }
  ::SetPropW(window, kBoundObjectProperty, this);
  return true;
}

CWindow* CWindow::FromHandle(HWND window) {
  if (!window) return nullptr;
  return static_cast<CWindow*>(::GetPropW(window, kBoundObjectProperty));
}

bool CWindow::ReflectToControl(HWND control, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (!FromHandle(control)) return false;
  result = ::SendMessageW(control, kReflectedMessageBase + message, wParam, lParam);
  return result != 0;
}

LRESULT CWindow::WindowProc(UINT, WPARAM, LPARAM) { return Default(); }

LRESULT CWindow::Default() {
  if (!windowHandle || !currentMessage) return 0;
  return ::DefSubclassProc(windowHandle, currentMessage->message, currentMessage->wParam, currentMessage->lParam);
}

void CWindow::Unbind() {
  if (windowHandle && ::IsWindow(windowHandle)) {
    ::RemoveWindowSubclass(windowHandle, &CWindow::SubclassProc, kFrameworkSubclassId);
    ::RemovePropW(windowHandle, kBoundObjectProperty);
  }
  windowHandle = nullptr;
}

LRESULT CALLBACK CWindow::SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                       DWORD_PTR object) {
  auto* self = reinterpret_cast<CWindow*>(object);
  if (message == WM_NCDESTROY) {
    const LRESULT result = ::DefSubclassProc(window, message, wParam, lParam);
    self->Unbind();
    return result;
  }
  // Handlers may send messages to their own window: keep the outer message for Default.
  const Message current{message, wParam, lParam};
  const Message* outer = self->currentMessage;
  self->currentMessage = &current;
  const LRESULT result = self->WindowProc(message, wParam, lParam);
  self->currentMessage = outer;
  return result;
}

}  // namespace lumora
