// The browser of the wizard tests' prefix: registered for http and https, it appends
// the address it is asked to open to a log and ends. A GUI program, so that no console
// window of its own takes the foreground from the windows under test.
//   url_recorder.exe LOG URL
#include <windows.h>

#include <shellapi.h>

#include <cstdio>
#include <string>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  int count = 0;
  wchar_t** arguments = ::CommandLineToArgvW(::GetCommandLineW(), &count);
  if (!arguments || count != 3) return 2;
  const int bytes = ::WideCharToMultiByte(CP_UTF8, 0, arguments[2], -1, nullptr, 0, nullptr, nullptr);
  std::string url(static_cast<std::size_t>(bytes > 0 ? bytes : 1), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, arguments[2], -1, url.data(), bytes, nullptr, nullptr);
  if (FILE* log = ::_wfopen(arguments[1], L"ab")) {
    std::fputs(url.c_str(), log);
    std::fputs("\n", log);
    std::fclose(log);
  }
  ::LocalFree(arguments);
  return 0;
}
