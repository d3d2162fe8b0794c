#pragma once
// The registry side of the platform seam: exactly the Win32 calls the setup program
// makes. Results are Win32 error codes (0 is success), as the API returns them.
#include <cstdint>
#include <string>

namespace lumora::platform {

enum class RootKey { kLocalMachine, kCurrentUser, kClassesRoot };

// Access masks passed to OpenKey.
enum RegistryAccess : std::uint32_t {
  kKeyQueryValue = 0x0001,
  kKeySetValue = 0x0002,
  kKeyAllAccess = 0xF003F,
};

enum RegistryResult : long {
  kRegistrySuccess = 0,
  kRegistryFileNotFound = 2,
  kRegistryAccessDenied = 5,
  kRegistryMoreData = 234,
};

using KeyHandle = std::uintptr_t;

class Registry {
 public:
  virtual ~Registry() = default;
  // RegSetValueW: creates the sub-key when missing and sets its default value (REG_SZ).
  virtual long SetDefaultValue(RootKey root, const std::u16string& subKey, const std::u16string& text) = 0;
  // RegOpenKeyExW(root, subKey, 0, access) in the process's own (64-bit) view.
  virtual long OpenKey(RootKey root, const std::u16string& subKey, std::uint32_t access, KeyHandle& key) = 0;
  // RegCreateKeyW: creates or opens.
  virtual long CreateKey(RootKey root, const std::u16string& subKey, KeyHandle& key) = 0;
  // RegSetValueExW with REG_SZ and (length + 1) * 2 bytes.
  virtual long SetStringValue(KeyHandle key, const std::u16string& name, const std::u16string& text) = 0;
  // RegSetValueExW with REG_DWORD, 4 bytes.
  virtual long SetDwordValue(KeyHandle key, const std::u16string& name, std::uint32_t value) = 0;
  // RegQueryValueExW of a string value (an empty name is the default value) into a
  // buffer of `capacityBytes`: kRegistryMoreData when the data does not fit. The text
  // comes back without its terminator. `text` is untouched on failure.
  virtual long QueryStringValue(KeyHandle key, const std::u16string& name, std::uint32_t capacityBytes,
                                std::u16string& text) = 0;
  // RegDeleteKeyW: removes a key without sub-keys.
  virtual long DeleteKey(RootKey root, const std::u16string& subKey) = 0;
  virtual void CloseKey(KeyHandle key) = 0;
};

// Owns one open key and closes it when it goes out of scope.
class ScopedKey {
 public:
  explicit ScopedKey(Registry& registry) : registry_(registry) {}
  ScopedKey(const ScopedKey&) = delete;
  ScopedKey& operator=(const ScopedKey&) = delete;
  ~ScopedKey() { Reset(); }

  [[nodiscard]] long Open(RootKey root, const std::u16string& subKey, std::uint32_t access) {
    Reset();
    return Adopt(registry_.OpenKey(root, subKey, access, key_));
  }
  [[nodiscard]] long Create(RootKey root, const std::u16string& subKey) {
    Reset();
    return Adopt(registry_.CreateKey(root, subKey, key_));
  }
  bool IsOpen() const { return open_; }
  KeyHandle Get() const { return key_; }
  void Reset() {
    if (open_) registry_.CloseKey(key_);
    open_ = false;
    key_ = 0;
  }

 private:
  long Adopt(long result) {
    open_ = result == kRegistrySuccess;
    if (!open_) key_ = 0;
    return result;
  }
  Registry& registry_;
  KeyHandle key_ = 0;
  bool open_ = false;
};

}  // namespace lumora::platform
