// Waits until a top-level window of the given class exists, the way the setup
// program looks for a running viewer (FindWindowW), so that a test starts the setup
// program only once the viewer's window is really there.
//   wait_window.exe CLASS [TIMEOUT_MS]      exit 0 found, 1 not found in time
#include <windows.h>

#include <cwchar>

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) return 2;
  const DWORD timeoutMs = argc > 2 ? static_cast<DWORD>(std::wcstoul(argv[2], nullptr, 10)) : 30000;
  const ULONGLONG deadline = GetTickCount64() + timeoutMs;
  for (;;) {
    if (FindWindowW(argv[1], nullptr)) return 0;
    if (GetTickCount64() >= deadline) return 1;
    Sleep(50);
  }
}
