// The INI functions of the seam: kernel32's private-profile calls.
#include <windows.h>

#include <vector>

#include "platform/profile_files.h"
#include "platform/win32/wide.h"
#include "platform/win32/win32_platform.h"

namespace lumora::platform::win32 {
namespace {

class Win32ProfileFiles final : public ProfileFiles {
 public:
  bool WriteString(const std::u16string& section, const std::u16string& key,
                   const std::optional<std::u16string>& value, const std::u16string& file) override {
    return WritePrivateProfileStringW(Wide(section), Wide(key), value ? Wide(*value) : nullptr, Wide(file)) !=
           FALSE;
  }
  std::u16string GetString(const std::u16string& section, const std::u16string& key,
                           const std::u16string& defaultValue, std::uint32_t capacity,
                           const std::u16string& file) override {
    if (capacity == 0) return std::u16string();
    std::vector<wchar_t> buffer(capacity, L'\0');
    const DWORD length =
        GetPrivateProfileStringW(Wide(section), Wide(key), Wide(defaultValue), buffer.data(), capacity, Wide(file));
    return FromWide(buffer.data(), length);
  }
};

}  // namespace

std::unique_ptr<ProfileFiles> MakeProfileFiles() { return std::make_unique<Win32ProfileFiles>(); }

}  // namespace lumora::platform::win32
