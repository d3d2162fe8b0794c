// FakeShell: links are small files of the fake file system plus a record of their
// properties. FindLink and LinkPaths only report links whose file still exists (a
// link the program deleted, or replaced by another file through the file system,
// is gone).
#include "platform/fake/fake_platform.h"
#include "platform/fake/fake_text.h"

namespace lumora::platform::fake {

FakeShell::FakeShell(FakeFileSystem& files) : files_(files) {}

bool FakeShell::SaveLink(const ShellLink& link, const std::u16string& linkPath) {
  if (failSaves) return false;
  std::optional<std::u16string> resolved = files_.Resolve(linkPath);
  if (!resolved) return false;
  // The shell link header's first bytes (HeaderSize 0x4C), then the target as UTF-16LE.
  std::string bytes("L\0\0\0", 4);
  for (char16_t unit : link.target) {
    bytes.push_back(static_cast<char>(unit & 0xFF));
    bytes.push_back(static_cast<char>(unit >> 8));
  }
  if (!files_.StoreFile(*resolved, std::move(bytes))) return false;
  links_[detail::Fold(*resolved)] = link;
  return true;
}

const ShellLink* FakeShell::FindLink(const std::u16string& linkPath) const {
  std::optional<std::u16string> resolved = files_.Resolve(linkPath);
  if (!resolved || !files_.FileExists(*resolved)) return nullptr;
  auto it = links_.find(detail::Fold(*resolved));
  return it == links_.end() ? nullptr : &it->second;
}

std::vector<std::u16string> FakeShell::LinkPaths() const {
  std::vector<std::u16string> paths;
  for (const std::u16string& file : files_.ListFiles())
    if (links_.count(detail::Fold(file)) != 0) paths.push_back(file);
  return paths;
}

}  // namespace lumora::platform::fake
