#pragma once
// The INI functions of the platform seam (WritePrivateProfileStringW and
// GetPrivateProfileStringW), as Windows behaves: a missing file is created as an
// ANSI file, a file that begins with FF FE stays UTF-16, a missing value deletes the
// key, and a bare file name (no folder) resolves in the Windows folder.
#include <cstdint>
#include <optional>
#include <string>

namespace lumora::platform {

class ProfileFiles {
 public:
  virtual ~ProfileFiles() = default;
  // No value (std::nullopt) deletes the key. The result is not looked at by callers.
  virtual bool WriteString(const std::u16string& section, const std::u16string& key,
                           const std::optional<std::u16string>& value, const std::u16string& file) = 0;
  // The value, cut to `capacity` - 1 units, or `defaultValue` when the key is missing.
  virtual std::u16string GetString(const std::u16string& section, const std::u16string& key,
                                   const std::u16string& defaultValue, std::uint32_t capacity,
                                   const std::u16string& file) = 0;
};

}  // namespace lumora::platform
