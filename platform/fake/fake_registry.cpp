// FakeRegistry: HKEY_LOCAL_MACHINE and HKEY_CURRENT_USER as trees of keys with
// case-insensitive names; HKEY_CLASSES_ROOT is an alias of HKLM\SOFTWARE\Classes
// (as in Wine). Handles are kept in a table so that leaks show in OpenHandleCount.
//
// Choices where Windows leaves room:
//  - The machine starts with HKLM\SOFTWARE\Classes and HKCU\Software (KeysUnder
//    lists them).
//  - Key paths separate on '\' only; empty components are skipped.
//  - OpenKey asking for a write right (KEY_SET_VALUE, KEY_CREATE_SUB_KEY, DELETE,
//    WRITE_DAC, WRITE_OWNER) under a root whose writes are denied fails with 5, as
//    RegOpenKeyExW does for a user without administrator rights.
//  - CreateKey is RegCreateKeyW, which asks for MAXIMUM_ALLOWED: with writes denied
//    an existing key still opens (read-only: its writes fail with 5); a missing one
//    fails with 5.
//  - A key deleted while a handle is open answers ERROR_KEY_DELETED (1018) through
//    that handle; an unknown handle ERROR_INVALID_HANDLE (6); QueryStringValue of a
//    value that is not REG_SZ answers ERROR_FILE_NOT_FOUND (2), as the Win32 side does.
//  - KeysUnder's prefix is matched case-insensitively against the start of each
//    key's path text ("SOFTWARE\Lumora" also matches "SOFTWARE\Lumora\Viewer").
#include <functional>
#include <utility>

#include "platform/fake/fake_platform.h"
#include "platform/fake/fake_text.h"

namespace lumora::platform::fake {
namespace {

using detail::Fold;

constexpr long kErrorInvalidHandle = 6;
constexpr long kErrorKeyDeleted = 1018;
constexpr std::uint32_t kRegSz = 1;
constexpr std::uint32_t kRegDword = 4;
constexpr std::uint32_t kWriteRights = 0x0002 | 0x0004 | 0x10000 | 0x40000 | 0x80000;

struct NamedValue {
  std::u16string name;
  FakeRegistryValue value;
};

struct Key {
  std::u16string name;
  std::map<std::u16string, std::unique_ptr<Key>> subKeys;  // by folded name
  std::map<std::u16string, NamedValue> values;              // by folded name
};

// A key's place: a real root (never HKCR) and its path components.
struct Location {
  RootKey root = RootKey::kLocalMachine;
  std::vector<std::u16string> parts;
};

std::vector<std::u16string> SplitKeyPath(const std::u16string& path) {
  std::vector<std::u16string> parts;
  std::size_t start = 0;
  while (start <= path.size()) {
    std::size_t end = path.find(u'\\', start);
    if (end == std::u16string::npos) end = path.size();
    if (end > start) parts.push_back(path.substr(start, end - start));
    start = end + 1;
  }
  return parts;
}

Location Locate(RootKey root, const std::u16string& subKey) {
  Location location;
  if (root == RootKey::kClassesRoot) {
    location.root = RootKey::kLocalMachine;
    location.parts = {u"SOFTWARE", u"Classes"};
  } else {
    location.root = root;
  }
  for (auto& part : SplitKeyPath(subKey)) location.parts.push_back(std::move(part));
  return location;
}

std::u16string FoldedPath(const Location& location, std::size_t count) {
  std::u16string path = location.root == RootKey::kLocalMachine ? u"HKLM" : u"HKCU";
  for (std::size_t i = 0; i < count; ++i) path += u"\\" + Fold(location.parts[i]);
  return path;
}

struct Handle {
  Location location;
  bool canQuery = false;
  bool canWrite = false;
};

}  // namespace

struct FakeRegistry::State {
  Key localMachine;
  Key currentUser;
  std::map<KeyHandle, Handle> handles;
  KeyHandle nextHandle = 0x100;
  std::vector<Location> deniedWrites;      // prefixes
  std::set<std::u16string> deniedKeys;     // FoldedPath of whole keys

  Key& RootOf(RootKey root) { return root == RootKey::kCurrentUser ? currentUser : localMachine; }
  const Key& RootOf(RootKey root) const { return root == RootKey::kCurrentUser ? currentUser : localMachine; }

  const Key* Find(const Location& location) const {
    const Key* key = &RootOf(location.root);
    for (const auto& part : location.parts) {
      auto it = key->subKeys.find(Fold(part));
      if (it == key->subKeys.end()) return nullptr;
      key = it->second.get();
    }
    return key;
  }
  Key* Find(const Location& location) { return const_cast<Key*>(std::as_const(*this).Find(location)); }

  bool WritesDenied(const Location& location) const {
    for (const Location& prefix : deniedWrites) {
      if (prefix.root != location.root || prefix.parts.size() > location.parts.size()) continue;
      bool match = true;
      for (std::size_t i = 0; i < prefix.parts.size() && match; ++i)
        match = detail::EqualsNoCase(prefix.parts[i], location.parts[i]);
      if (match) return true;
    }
    return false;
  }
  bool KeyDenied(const Location& location, std::size_t count) const {
    return deniedKeys.count(FoldedPath(location, count)) != 0;
  }

  // Creates the missing levels; `checked` applies the faults. Returns the error.
  long Create(const Location& location, bool checked, Key*& result) {
    Key* key = &RootOf(location.root);
    std::size_t existing = 0;
    while (existing < location.parts.size()) {
      auto it = key->subKeys.find(Fold(location.parts[existing]));
      if (it == key->subKeys.end()) break;
      key = it->second.get();
      ++existing;
    }
    if (checked) {
      if (KeyDenied(location, location.parts.size())) return kRegistryAccessDenied;
      if (existing < location.parts.size()) {
        if (WritesDenied(location)) return kRegistryAccessDenied;
        for (std::size_t i = existing; i < location.parts.size(); ++i)
          if (KeyDenied(location, i)) return kRegistryAccessDenied;
      }
    }
    for (std::size_t i = existing; i < location.parts.size(); ++i) {
      auto& slot = key->subKeys[Fold(location.parts[i])];
      slot = std::make_unique<Key>();
      slot->name = location.parts[i];
      key = slot.get();
    }
    result = key;
    return kRegistrySuccess;
  }

  KeyHandle NewHandle(const Location& location, bool canQuery, bool canWrite) {
    KeyHandle handle = nextHandle;
    nextHandle += 4;
    handles[handle] = Handle{location, canQuery, canWrite};
    return handle;
  }

  // The key behind a handle for a value operation, or the error.
  long KeyFor(KeyHandle handle, bool write, Key*& key) {
    auto it = handles.find(handle);
    if (it == handles.end()) return kErrorInvalidHandle;
    if (write ? !it->second.canWrite : !it->second.canQuery) return kRegistryAccessDenied;
    if (write && WritesDenied(it->second.location)) return kRegistryAccessDenied;
    key = Find(it->second.location);
    return key == nullptr ? kErrorKeyDeleted : kRegistrySuccess;
  }
};

namespace {

void StoreString(Key& key, const std::u16string& name, const std::u16string& text) {
  FakeRegistryValue value;
  value.type = kRegSz;
  value.text = text;
  value.byteSize = static_cast<std::uint32_t>((text.size() + 1) * 2);
  key.values[Fold(name)] = NamedValue{name, value};
}

}  // namespace

FakeRegistry::FakeRegistry() : state_(std::make_shared<State>()) {
  Key* key = nullptr;
  state_->Create(Locate(RootKey::kLocalMachine, u"SOFTWARE\\Classes"), false, key);
  state_->Create(Locate(RootKey::kCurrentUser, u"Software"), false, key);
}

bool FakeRegistry::KeyExists(RootKey root, const std::u16string& subKey) const {
  return state_->Find(Locate(root, subKey)) != nullptr;
}

std::optional<FakeRegistryValue> FakeRegistry::GetValue(RootKey root, const std::u16string& subKey,
                                                        const std::u16string& name) const {
  const Key* key = state_->Find(Locate(root, subKey));
  if (key == nullptr) return std::nullopt;
  auto it = key->values.find(Fold(name));
  if (it == key->values.end()) return std::nullopt;
  return it->second.value;
}

std::vector<std::u16string> FakeRegistry::KeysUnder(RootKey root, const std::u16string& prefix) const {
  std::vector<std::u16string> paths;
  const Key* top = state_->Find(Locate(root, u""));
  if (top == nullptr) return paths;
  std::function<void(const Key&, const std::u16string&)> walk = [&](const Key& key, const std::u16string& path) {
    for (const auto& [folded, child] : key.subKeys) {
      std::u16string childPath = path.empty() ? child->name : path + u"\\" + child->name;
      if (detail::StartsWithNoCase(childPath, prefix)) paths.push_back(childPath);
      walk(*child, childPath);
    }
  };
  walk(*top, u"");
  return paths;
}

std::size_t FakeRegistry::ValueCount(RootKey root, const std::u16string& subKey) const {
  const Key* key = state_->Find(Locate(root, subKey));
  return key == nullptr ? 0 : key->values.size();
}

std::size_t FakeRegistry::OpenHandleCount() const { return state_->handles.size(); }

void FakeRegistry::DenyWrites(RootKey root) { state_->deniedWrites.push_back(Locate(root, u"")); }

void FakeRegistry::DenyKey(RootKey root, const std::u16string& subKey) {
  Location location = Locate(root, subKey);
  state_->deniedKeys.insert(FoldedPath(location, location.parts.size()));
}

long FakeRegistry::SetDefaultValue(RootKey root, const std::u16string& subKey, const std::u16string& text) {
  Location location = Locate(root, subKey);
  if (state_->WritesDenied(location)) return kRegistryAccessDenied;
  Key* key = nullptr;
  long result = state_->Create(location, true, key);
  if (result != kRegistrySuccess) return result;
  StoreString(*key, u"", text);
  return kRegistrySuccess;
}

long FakeRegistry::OpenKey(RootKey root, const std::u16string& subKey, std::uint32_t access, KeyHandle& key) {
  key = 0;
  Location location = Locate(root, subKey);
  if (state_->Find(location) == nullptr) return kRegistryFileNotFound;
  if (state_->KeyDenied(location, location.parts.size())) return kRegistryAccessDenied;
  bool wantsWrite = (access & kWriteRights) != 0;
  if (wantsWrite && state_->WritesDenied(location)) return kRegistryAccessDenied;
  key = state_->NewHandle(location, (access & kKeyQueryValue) != 0, (access & kKeySetValue) != 0);
  return kRegistrySuccess;
}

long FakeRegistry::CreateKey(RootKey root, const std::u16string& subKey, KeyHandle& key) {
  key = 0;
  Location location = Locate(root, subKey);
  Key* created = nullptr;
  long result = state_->Create(location, true, created);
  if (result != kRegistrySuccess) return result;
  key = state_->NewHandle(location, true, !state_->WritesDenied(location));
  return kRegistrySuccess;
}

long FakeRegistry::SetStringValue(KeyHandle handle, const std::u16string& name, const std::u16string& text) {
  Key* key = nullptr;
  long result = state_->KeyFor(handle, true, key);
  if (result != kRegistrySuccess) return result;
  StoreString(*key, name, text);
  return kRegistrySuccess;
}

long FakeRegistry::SetDwordValue(KeyHandle handle, const std::u16string& name, std::uint32_t value) {
  Key* key = nullptr;
  long result = state_->KeyFor(handle, true, key);
  if (result != kRegistrySuccess) return result;
  FakeRegistryValue stored;
  stored.type = kRegDword;
  stored.dword = value;
  stored.byteSize = 4;
  key->values[Fold(name)] = NamedValue{name, stored};
  return kRegistrySuccess;
}

long FakeRegistry::QueryStringValue(KeyHandle handle, const std::u16string& name, std::uint32_t capacityBytes,
                                    std::u16string& text) {
  Key* key = nullptr;
  long result = state_->KeyFor(handle, false, key);
  if (result != kRegistrySuccess) return result;
  auto it = key->values.find(Fold(name));
  if (it == key->values.end()) return kRegistryFileNotFound;
  const FakeRegistryValue& value = it->second.value;
  if (value.type != kRegSz) return kRegistryFileNotFound;
  if ((static_cast<std::uint64_t>(value.text.size()) + 1) * 2 > capacityBytes) return kRegistryMoreData;
  text = value.text;
  return kRegistrySuccess;
}

long FakeRegistry::DeleteKey(RootKey root, const std::u16string& subKey) {
  Location location = Locate(root, subKey);
  Key* key = state_->Find(location);
  if (key == nullptr) return kRegistryFileNotFound;
  if (location.parts.empty()) return kRegistryAccessDenied;
  if (state_->WritesDenied(location) || state_->KeyDenied(location, location.parts.size()))
    return kRegistryAccessDenied;
  if (!key->subKeys.empty()) return kRegistryAccessDenied;
  Location parentLocation = location;
  parentLocation.parts.pop_back();
  state_->Find(parentLocation)->subKeys.erase(Fold(location.parts.back()));
  return kRegistrySuccess;
}

void FakeRegistry::CloseKey(KeyHandle key) { state_->handles.erase(key); }

void FakeRegistry::Put(RootKey root, const std::u16string& subKey, const std::u16string& name,
                       const std::u16string& text) {
  Key* key = nullptr;
  state_->Create(Locate(root, subKey), false, key);
  StoreString(*key, name, text);
}

}  // namespace lumora::platform::fake
