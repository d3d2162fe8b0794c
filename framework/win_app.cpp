#include "framework/win_app.h"

namespace lumora {
namespace {

// The registered application object: the framework's one piece of global state.
CWinApp* currentApp = nullptr;

int RunMessageLoop() {
  MSG message;
  BOOL got;
  while ((got = GetMessageW(&message, nullptr, 0, 0)) != 0) {
    if (got == -1) return 1;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}

}  // namespace

CWinApp::CWinApp() {
  // A second application object is a programming error; the first one stays.
  if (currentApp == nullptr) currentApp = this;
}

CWinApp::~CWinApp() {
  if (currentApp == this) currentApp = nullptr;
}

BOOL CWinApp::InitInstance() { return FALSE; }

int CWinApp::ExitInstance() { return exitCode_; }

CWinApp* CWinApp::Current() { return currentApp; }

int RunApplication(HINSTANCE instance) {
  CWinApp* app = CWinApp::Current();
  if (app == nullptr) return 1;
  app->instance_ = instance;
  if (app->InitInstance()) {
    app->SetExitCode(RunMessageLoop());
  } else if (app->mainWindow != nullptr && IsWindow(app->mainWindow)) {
    DestroyWindow(app->mainWindow);
  }
  app->mainWindow = nullptr;
  return app->ExitInstance();
}

}  // namespace lumora

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) { return lumora::RunApplication(instance); }
