#pragma once
// The application object of the framework layer: exactly one global instance, built
// before the entry runs, registers itself; the entry calls its start-up hook and, when
// the hook declines to run (returns FALSE), goes straight to the exit hook, whose
// result is the process exit code.
#include <windows.h>

namespace lumora {

class CWinApp {
 public:
  CWinApp();
  CWinApp(const CWinApp&) = delete;
  CWinApp& operator=(const CWinApp&) = delete;
  virtual ~CWinApp();

  // The start-up hook. TRUE runs the message loop until WM_QUIT; FALSE ends at once.
  virtual BOOL InitInstance();
  // The exit hook: its result is the process exit code (the code set last by default).
  virtual int ExitInstance();

  void SetExitCode(int exitCode) { exitCode_ = exitCode; }
  int ExitCode() const { return exitCode_; }
  HINSTANCE Instance() const { return instance_; }

  // The window destroyed at exit if it is still there; owned by whoever created it.
  HWND mainWindow = nullptr;

  // The one registered application object, or null before it is constructed.
  static CWinApp* Current();

 private:
  friend int RunApplication(HINSTANCE instance);
  int exitCode_ = 0;
  HINSTANCE instance_ = nullptr;
};

// What the entry does with the registered application object; returns the exit code.
int RunApplication(HINSTANCE instance);

}  // namespace lumora
