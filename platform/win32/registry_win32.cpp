// The registry side of the seam: one advapi32 call per operation.
#include <windows.h>

#include <vector>

#include "platform/registry.h"
#include "platform/win32/wide.h"
#include "platform/win32/win32_platform.h"

namespace lumora::platform::win32 {
namespace {

HKEY RootHandle(RootKey root) {
  switch (root) {
    case RootKey::kLocalMachine: return HKEY_LOCAL_MACHINE;
    case RootKey::kCurrentUser: return HKEY_CURRENT_USER;
    case RootKey::kClassesRoot: return HKEY_CLASSES_ROOT;
  }
  return HKEY_LOCAL_MACHINE;
}

HKEY AsHkey(KeyHandle key) { return reinterpret_cast<HKEY>(key); }
KeyHandle AsHandle(HKEY key) { return reinterpret_cast<KeyHandle>(key); }

class Win32Registry final : public Registry {
 public:
  long SetDefaultValue(RootKey root, const std::u16string& subKey, const std::u16string& text) override {
    return RegSetValueW(RootHandle(root), Wide(subKey), REG_SZ, Wide(text), static_cast<DWORD>(text.size()));
  }
  long OpenKey(RootKey root, const std::u16string& subKey, std::uint32_t access, KeyHandle& key) override {
    HKEY opened = nullptr;
    const LONG result = RegOpenKeyExW(RootHandle(root), Wide(subKey), 0, access, &opened);
    if (result == ERROR_SUCCESS) key = AsHandle(opened);
    return result;
  }
  long CreateKey(RootKey root, const std::u16string& subKey, KeyHandle& key) override {
    HKEY created = nullptr;
    const LONG result = RegCreateKeyW(RootHandle(root), Wide(subKey), &created);
    if (result == ERROR_SUCCESS) key = AsHandle(created);
    return result;
  }
  long SetStringValue(KeyHandle key, const std::u16string& name, const std::u16string& text) override {
    const DWORD bytes = static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));
    return RegSetValueExW(AsHkey(key), Wide(name), 0, REG_SZ, reinterpret_cast<const BYTE*>(Wide(text)), bytes);
  }
  long SetDwordValue(KeyHandle key, const std::u16string& name, std::uint32_t value) override {
    const DWORD data = value;
    return RegSetValueExW(AsHkey(key), Wide(name), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data),
                          sizeof(data));
  }
  long QueryStringValue(KeyHandle key, const std::u16string& name, std::uint32_t capacityBytes,
                        std::u16string& text) override {
    std::vector<wchar_t> buffer(capacityBytes / sizeof(wchar_t) + 1, L'\0');
    DWORD type = 0;
    DWORD size = capacityBytes;
    const LONG result = RegQueryValueExW(AsHkey(key), name.empty() ? nullptr : Wide(name), nullptr, &type,
                                         reinterpret_cast<BYTE*>(buffer.data()), &size);
    if (result != ERROR_SUCCESS) return result;
    if (type != REG_SZ && type != REG_EXPAND_SZ) return ERROR_FILE_NOT_FOUND;
    // The data may or may not carry its terminator; the extra unit keeps it terminated.
    std::size_t units = size / sizeof(wchar_t);
    while (units > 0 && buffer[units - 1] == L'\0') --units;
    text = FromWide(buffer.data(), units);
    return ERROR_SUCCESS;
  }
  long DeleteKey(RootKey root, const std::u16string& subKey) override {
    return RegDeleteKeyW(RootHandle(root), Wide(subKey));
  }
  void CloseKey(KeyHandle key) override { RegCloseKey(AsHkey(key)); }
};

}  // namespace

std::unique_ptr<Registry> MakeRegistry() { return std::make_unique<Win32Registry>(); }

}  // namespace lumora::platform::win32
