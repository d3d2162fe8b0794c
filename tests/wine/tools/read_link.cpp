// Reads shell links back the way the shell does (IShellLinkW after
// IPersistFile::Load) and prints one JSON object per link, UTF-8, so that the Wine
// tests compare what a user would see rather than the bytes of the .lnk format.
//   read_link.exe LINK.lnk [LINK.lnk ...]
// Exit code: 0 when every link loaded, 1 otherwise (the failing ones carry "error").
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <cstdio>
#include <fcntl.h>
#include <io.h>
#include <string>

namespace {

std::string ToUtf8(const wchar_t* text) {
  const int bytes = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (bytes <= 1) return {};
  std::string out(static_cast<size_t>(bytes), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text, -1, out.data(), bytes, nullptr, nullptr);
  out.pop_back();  // the terminator
  return out;
}

std::string JsonString(const std::string& text) {
  std::string out = "\"";
  for (const unsigned char c : text) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
      out += escaped;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out + "\"";
}

// Releases a COM interface when the scope ends.
template <typename T>
struct ComPtr {
  T* p = nullptr;
  ~ComPtr() {
    if (p) p->Release();
  }
};

// One JSON object for the link; false when it could not be read.
bool DescribeLink(const wchar_t* linkPath, std::string& json) {
  const std::string name = "\"link\":" + JsonString(ToUtf8(linkPath));
  ComPtr<IShellLinkW> link;
  ComPtr<IPersistFile> file;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                              reinterpret_cast<void**>(&link.p))) ||
      FAILED(link.p->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file.p)))) {
    json = "{" + name + ",\"error\":\"no shell link object\"}";
    return false;
  }
  if (FAILED(file.p->Load(linkPath, STGM_READ))) {
    json = "{" + name + ",\"error\":\"load failed\"}";
    return false;
  }

  wchar_t target[MAX_PATH * 2] = {};
  wchar_t arguments[INFOTIPSIZE] = {};
  wchar_t description[INFOTIPSIZE] = {};
  wchar_t iconFile[MAX_PATH * 2] = {};
  wchar_t workingDirectory[MAX_PATH * 2] = {};
  int iconIndex = 0;
  WORD hotkey = 0;
  int showCommand = 0;
  // SLGP_RAWPATH: the path as stored, not resolved against the current machine.
  link.p->GetPath(target, MAX_PATH * 2, nullptr, SLGP_RAWPATH);
  link.p->GetArguments(arguments, INFOTIPSIZE);
  link.p->GetDescription(description, INFOTIPSIZE);
  link.p->GetIconLocation(iconFile, MAX_PATH * 2, &iconIndex);
  link.p->GetWorkingDirectory(workingDirectory, MAX_PATH * 2);
  link.p->GetHotkey(&hotkey);
  link.p->GetShowCmd(&showCommand);

  json = "{" + name + ",\"target\":" + JsonString(ToUtf8(target)) +
         ",\"arguments\":" + JsonString(ToUtf8(arguments)) +
         ",\"description\":" + JsonString(ToUtf8(description)) +
         ",\"icon_file\":" + JsonString(ToUtf8(iconFile)) +
         ",\"icon_index\":" + std::to_string(iconIndex) +
         ",\"working_directory\":" + JsonString(ToUtf8(workingDirectory)) +
         ",\"hotkey\":" + std::to_string(hotkey) +
         ",\"show_command\":" + std::to_string(showCommand) + "}";
  return true;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  _setmode(_fileno(stdout), _O_BINARY);  // UTF-8 bytes out unchanged, LF not CR LF
  if (FAILED(CoInitialize(nullptr))) return 1;
  int status = 0;
  for (int i = 1; i < argc; ++i) {
    std::string line;
    if (!DescribeLink(argv[i], line)) status = 1;
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fputc('\n', stdout);
  }
  std::fflush(stdout);
  CoUninitialize();
  return status;
}
