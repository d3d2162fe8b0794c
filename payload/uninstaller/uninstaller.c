/* Stand-in for the viewer's uninstaller: the setup program only registers and links
   to it, so it does nothing and reports success. */
#include <windows.h>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE previous, PWSTR commandLine, int show) {
  (void)instance;
  (void)previous;
  (void)commandLine;
  (void)show;
  return 0;
}
