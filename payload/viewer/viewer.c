/* Stand-in for the installed image viewer. It has what the setup program relies on
   from outside: a main window of class "Lumora" (running-viewer checks, bringing the
   viewer to the front), the option "/thumbs" (shortcuts and folder verbs start the
   thumbnail view) and icon groups at indices 0 to 12 (file types and shortcuts name
   indices 0, 7, 11 and 12). The title tells what it was started with, so tests can
   see it: "Lumora", "Lumora - Thumbnails", or "Lumora - " and the file it opened. */
#include <windows.h>
#include <shellapi.h>
#include <wchar.h>

#include "viewer_resources.h"

enum { kTitleCapacity = 600 };

static const wchar_t kWindowClass[] = L"Lumora";

/* Builds the window title from the command line: "/thumbs" (any case) selects the
   thumbnail view, the first other argument is the file to show. */
static void TitleForCommandLine(const wchar_t* commandLine, wchar_t* title, size_t capacity) {
  int count = 0;
  wchar_t** arguments = CommandLineToArgvW(commandLine, &count);
  const wchar_t* file = NULL;
  int thumbnails = 0;
  for (int i = 1; arguments != NULL && i < count; ++i) {
    if (_wcsicmp(arguments[i], L"/thumbs") == 0) {
      thumbnails = 1;
    } else if (file == NULL && arguments[i][0] != L'\0') {
      file = arguments[i];
    }
  }
  if (thumbnails) {
    _snwprintf(title, capacity, L"Lumora - Thumbnails");
  } else if (file != NULL) {
    _snwprintf(title, capacity, L"Lumora - %ls", file);
  } else {
    _snwprintf(title, capacity, L"Lumora");
  }
  title[capacity - 1] = L'\0';
  LocalFree(arguments);
}

static void Paint(HWND window) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  RECT client;
  GetClientRect(window, &client);
  wchar_t title[kTitleCapacity];
  GetWindowTextW(window, title, kTitleCapacity);
  DrawTextW(dc, title, -1, &client, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
  EndPaint(window, &paint);
}

static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      Paint(window);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE previous, PWSTR commandLine, int show) {
  (void)previous;
  (void)commandLine;
  WNDCLASSEXW windowClass = {0};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = WindowProcedure;
  windowClass.hInstance = instance;
  windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_VIEWER_APPLICATION));
  windowClass.hIconSm = (HICON)LoadImageW(instance, MAKEINTRESOURCEW(IDI_VIEWER_APPLICATION), IMAGE_ICON,
                                          GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0);
  windowClass.hCursor = LoadCursorW(NULL, (LPCWSTR)IDC_ARROW);
  windowClass.hbrBackground = (HBRUSH)(COLOR_WINDOW + 1);
  windowClass.lpszClassName = kWindowClass;
  if (!RegisterClassExW(&windowClass)) {
    return 1;
  }

  wchar_t title[kTitleCapacity];
  TitleForCommandLine(GetCommandLineW(), title, kTitleCapacity);
  HWND window = CreateWindowExW(0, kWindowClass, title, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                                640, 480, NULL, NULL, instance, NULL);
  if (window == NULL) {
    return 1;
  }
  ShowWindow(window, show);
  UpdateWindow(window);

  MSG message;
  while (GetMessageW(&message, NULL, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return (int)message.wParam;
}
