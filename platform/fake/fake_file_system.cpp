// FakeFileSystem: an in-memory tree of drives, UNC roots, folders and files with
// the Win32 path rules the setup program relies on, and injected faults.
//
// Choices where Windows leaves room (each one documented here once):
//  - A path whose full, resolved form has 260 units or more fails (MAX_PATH);
//    CreateFolder answers ERROR_FILENAME_EXCED_RANGE (206) for it. SetCurrentFolder
//    is stricter, as SetCurrentDirectoryW is: the folder plus its trailing
//    backslash and terminator must fit 260 units (258 units of path).
//  - Drive letters come back upper-case ("c:\x" resolves to "C:\x"); other names
//    keep the case they were given in.
//  - "X:" alone means the root of drive X (not the drive's current folder);
//    "X:name" is relative to the current folder when it is on drive X, otherwise
//    to the root of X. "\name" is relative to the current folder's root.
//  - A name with < > : " | ? * or a control code is malformed (ERROR_INVALID_NAME,
//    123, from CreateFolder). Device paths ("\\?\", "\\.\") are not supported.
//  - Denial is inherited: everything inside a denied folder is denied too.
//  - Disk full: a write that does not fit writes what fits, then fails (as a
//    buffered fwrite on a full disk leaves a partial file); the file's later Close
//    also reports false. Truncating, deleting and replacing give space back.
//  - Files the program has open (CreateForWriting, OpenForAppending, OpenForReading,
//    none of which share delete) cannot be deleted, moved, replaced or have their
//    times set until closed, as on Windows (sharing violation).
//  - MoveFileReplacing moves files only, and only within one drive or UNC root
//    (no MOVEFILE_COPY_ALLOWED).
#include <algorithm>
#include <cstring>
#include <functional>
#include <stdexcept>

#include "platform/fake/fake_platform.h"
#include "platform/fake/fake_text.h"
#include "platform/fake/win32_path.h"

namespace lumora::platform::fake {
namespace {

using detail::Fold;
using detail::FullPath;
using detail::JoinPath;
using detail::kMaxPath;
using detail::Parse;
using detail::ParsedPath;
using detail::ParseStatus;

constexpr std::uint32_t kErrorInvalidName = 123;
constexpr std::uint32_t kErrorFilenameExcedRange = 206;

struct FileEntry {
  FakeFile file;
  int openHandles = 0;
};

struct Node {
  std::u16string name;  // as created
  bool folder = true;
  std::map<std::u16string, std::unique_ptr<Node>> children;  // by folded name
  std::shared_ptr<FileEntry> entry;                           // files only
};


}  // namespace

struct FakeFileSystem::State {
  std::map<std::u16string, std::unique_ptr<Node>> roots;  // by folded root
  ParsedPath current;
  std::u16string tempFolder = u"C:\\users\\tester\\Temp\\";
  std::set<std::u16string> locked;  // folded full paths
  std::set<std::u16string> denied;  // folded full paths
  std::map<std::u16string, std::uint64_t> failReadsAfter;
  std::optional<std::uint64_t> freeSpace;  // unlimited when empty
  std::optional<int> failCreateAt;         // counts successful opens from when it was set
  int createsSinceFault = 0;
  bool failMoves = false;

  bool ParseOk(const std::u16string& input, ParsedPath& out) const {
    return Parse(input, current, out) == ParseStatus::kOk;
  }

  Node* Root(const std::u16string& root) const {
    auto it = roots.find(Fold(root));
    return it == roots.end() ? nullptr : it->second.get();
  }

  // The node at the first `count` components, or null.
  Node* Walk(const ParsedPath& path, std::size_t count) const {
    Node* node = Root(path.root);
    for (std::size_t i = 0; node != nullptr && i < count; ++i) {
      if (!node->folder) return nullptr;
      auto it = node->children.find(Fold(path.parts[i]));
      node = it == node->children.end() ? nullptr : it->second.get();
    }
    return node;
  }
  Node* Find(const ParsedPath& path) const { return Walk(path, path.parts.size()); }
  Node* ParentFolder(const ParsedPath& path) const {
    if (path.parts.empty()) return nullptr;
    Node* parent = Walk(path, path.parts.size() - 1);
    return parent != nullptr && parent->folder ? parent : nullptr;
  }

  bool IsDenied(const ParsedPath& path) const {
    if (denied.empty()) return false;
    for (std::size_t i = 0; i <= path.parts.size(); ++i)
      if (denied.count(Fold(JoinPath(path.root, path.parts, i))) != 0) return true;
    return false;
  }
  bool IsLocked(const ParsedPath& path) const { return locked.count(Fold(FullPath(path))) != 0; }

  void GiveBack(std::uint64_t bytes) {
    if (freeSpace) *freeSpace += bytes;
  }

  // Creates every missing level (test set-up); throws when a file is in the way.
  Node* MakeFolders(const ParsedPath& path, std::size_t count) {
    auto& rootSlot = roots[Fold(path.root)];
    if (!rootSlot) {
      rootSlot = std::make_unique<Node>();
      rootSlot->name = path.root;
    }
    Node* node = rootSlot.get();
    for (std::size_t i = 0; i < count; ++i) {
      auto& slot = node->children[Fold(path.parts[i])];
      if (!slot) {
        slot = std::make_unique<Node>();
        slot->name = path.parts[i];
      }
      if (!slot->folder) throw std::invalid_argument("FakeFileSystem: a file is in the way of a folder");
      node = slot.get();
    }
    return node;
  }

  // Why a program could not write the file at `path` now (open for writing).
  // Returns the existing file node through `existing`, or the parent to create in.
  bool CanWrite(const ParsedPath& path, Node*& parent, Node*& existing) const {
    parent = ParentFolder(path);
    if (parent == nullptr) return false;
    if (IsDenied(path) || IsLocked(path)) return false;
    auto it = parent->children.find(Fold(path.parts.back()));
    existing = it == parent->children.end() ? nullptr : it->second.get();
    if (existing != nullptr && existing->folder) return false;
    return true;
  }

  Node* NewFile(Node* parent, const std::u16string& name) {
    auto& slot = parent->children[Fold(name)];
    slot = std::make_unique<Node>();
    slot->name = name;
    slot->folder = false;
    slot->entry = std::make_shared<FileEntry>();
    return slot.get();
  }
};

namespace {

class FakeOutputFile final : public OutputFile {
 public:
  FakeOutputFile(std::shared_ptr<FakeFileSystem::State> state, std::shared_ptr<FileEntry> entry)
      : state_(std::move(state)), entry_(std::move(entry)) {
    ++entry_->openHandles;
  }
  ~FakeOutputFile() override { Close(); }

  bool Write(const void* data, std::size_t size) override {
    if (closed_) return false;
    if (size == 0) return true;
    std::size_t fits = size;
    if (state_->freeSpace && *state_->freeSpace < size) fits = static_cast<std::size_t>(*state_->freeSpace);
    entry_->file.bytes.append(static_cast<const char*>(data), fits);
    if (state_->freeSpace) *state_->freeSpace -= fits;
    if (fits < size) {
      failed_ = true;
      return false;
    }
    return true;
  }

  bool Close() override {
    if (!closed_) {
      closed_ = true;
      --entry_->openHandles;
    }
    return !failed_;
  }

 private:
  std::shared_ptr<FakeFileSystem::State> state_;
  std::shared_ptr<FileEntry> entry_;
  bool closed_ = false;
  bool failed_ = false;
};

class FakeInputFile final : public InputFile {
 public:
  FakeInputFile(std::shared_ptr<FileEntry> entry, std::optional<std::uint64_t> failAfter)
      : entry_(std::move(entry)), failAfter_(failAfter) {
    ++entry_->openHandles;
  }
  ~FakeInputFile() override { Close(); }

  std::size_t Read(void* buffer, std::size_t size) override {
    if (closed_ || size == 0) return 0;
    const std::string& bytes = entry_->file.bytes;
    const auto position = static_cast<std::uint64_t>(position_);
    if (failAfter_ && position >= *failAfter_) {
      error_ = true;
      return 0;
    }
    if (position >= bytes.size()) return 0;
    std::uint64_t count = std::min<std::uint64_t>(size, bytes.size() - position);
    if (failAfter_ && position + count > *failAfter_) {
      count = *failAfter_ - position;
      error_ = true;
    }
    std::memcpy(buffer, bytes.data() + position, static_cast<std::size_t>(count));
    position_ += static_cast<std::int64_t>(count);
    return static_cast<std::size_t>(count);
  }

  bool Seek(std::int64_t offset, SeekOrigin origin) override {
    if (closed_) return false;
    std::int64_t base = 0;
    if (origin == SeekOrigin::kCurrent) base = position_;
    if (origin == SeekOrigin::kEnd) base = static_cast<std::int64_t>(entry_->file.bytes.size());
    if (offset < 0 && base + offset < 0) return false;
    position_ = base + offset;
    return true;
  }

  std::int64_t Tell() override { return closed_ ? -1 : position_; }
  bool HadError() override { return error_; }
  void Close() override {
    if (!closed_) {
      closed_ = true;
      --entry_->openHandles;
    }
  }

 private:
  std::shared_ptr<FileEntry> entry_;
  std::optional<std::uint64_t> failAfter_;
  std::int64_t position_ = 0;
  bool error_ = false;
  bool closed_ = false;
};

ParsedPath SetupPath(const FakeFileSystem::State& state, const std::u16string& path) {
  ParsedPath parsed;
  if (!state.ParseOk(path, parsed)) throw std::invalid_argument("FakeFileSystem: malformed set-up path");
  return parsed;
}

}  // namespace

FakeFileSystem::FakeFileSystem() : state_(std::make_shared<State>()) {
  state_->current.root = u"C:";
  AddDrive(u'C');
  for (const char16_t* folder : {
           u"C:\\windows\\system32",
           u"C:\\Program Files",
           u"C:\\users\\tester\\Temp",
           u"C:\\users\\tester\\Desktop",
           u"C:\\users\\tester\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs",
           u"C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs",
           u"C:\\users\\Public\\Desktop",
       })
    AddFolder(folder);
}

// --- set-up and inspection ---

void FakeFileSystem::AddDrive(char16_t letter) {
  std::u16string root = {detail::FoldUnit(letter), u':'};
  auto& slot = state_->roots[root];
  if (!slot) {
    slot = std::make_unique<Node>();
    slot->name = root;
  }
}

void FakeFileSystem::AddFolder(const std::u16string& path) {
  ParsedPath parsed = SetupPath(*state_, path);
  state_->MakeFolders(parsed, parsed.parts.size());
}

void FakeFileSystem::AddFile(const std::u16string& path, std::string bytes) {
  ParsedPath parsed = SetupPath(*state_, path);
  if (parsed.parts.empty()) throw std::invalid_argument("FakeFileSystem: a file needs a name");
  Node* parent = state_->MakeFolders(parsed, parsed.parts.size() - 1);
  auto it = parent->children.find(Fold(parsed.parts.back()));
  Node* node = it == parent->children.end() ? nullptr : it->second.get();
  if (node != nullptr && node->folder) throw std::invalid_argument("FakeFileSystem: a folder is in the way of a file");
  if (node == nullptr) node = state_->NewFile(parent, parsed.parts.back());
  node->entry->file.bytes = std::move(bytes);
}

bool FakeFileSystem::FolderExists(const std::u16string& path) const {
  ParsedPath parsed;
  if (!state_->ParseOk(path, parsed)) return false;
  Node* node = state_->Find(parsed);
  return node != nullptr && node->folder;
}

bool FakeFileSystem::FileExists(const std::u16string& path) const { return FindFile(path) != nullptr; }

const FakeFile* FakeFileSystem::FindFile(const std::u16string& path) const {
  ParsedPath parsed;
  if (!state_->ParseOk(path, parsed)) return nullptr;
  Node* node = state_->Find(parsed);
  return node != nullptr && !node->folder ? &node->entry->file : nullptr;
}

std::optional<std::string> FakeFileSystem::ReadFile(const std::u16string& path) const {
  const FakeFile* file = FindFile(path);
  if (file == nullptr) return std::nullopt;
  return file->bytes;
}

std::vector<std::u16string> FakeFileSystem::ListFiles() const {
  std::vector<std::u16string> files;
  std::function<void(const Node&, const std::u16string&)> walk = [&](const Node& node, const std::u16string& path) {
    for (const auto& [key, child] : node.children) {
      std::u16string childPath = path + u"\\" + child->name;
      if (child->folder)
        walk(*child, childPath);
      else
        files.push_back(childPath);
    }
  };
  for (const auto& [key, root] : state_->roots) walk(*root, root->name);
  std::sort(files.begin(), files.end());
  return files;
}

std::u16string FakeFileSystem::CurrentFolder() const { return FullPath(state_->current); }

void FakeFileSystem::SetTempFolder(std::u16string folder) { state_->tempFolder = std::move(folder); }

// --- faults ---

void FakeFileSystem::LockFile(const std::u16string& path) {
  state_->locked.insert(Fold(FullPath(SetupPath(*state_, path))));
}

void FakeFileSystem::DenyAccess(const std::u16string& path) {
  state_->denied.insert(Fold(FullPath(SetupPath(*state_, path))));
}

void FakeFileSystem::SetFreeSpace(std::uint64_t bytes) { state_->freeSpace = bytes; }

void FakeFileSystem::FailCreateForWritingAt(int index) {
  state_->failCreateAt = index;
  state_->createsSinceFault = 0;
}

void FakeFileSystem::FailReadsAfter(const std::u16string& path, std::uint64_t offset) {
  state_->failReadsAfter[Fold(FullPath(SetupPath(*state_, path)))] = offset;
}

void FakeFileSystem::FailMoves(bool fail) { state_->failMoves = fail; }

// --- FileSystem ---

bool FakeFileSystem::GetCurrentFolder(std::u16string& folder) {
  std::u16string current = FullPath(state_->current);
  if (current.size() >= kMaxPath) return false;
  folder = current;
  return true;
}

bool FakeFileSystem::SetCurrentFolder(const std::u16string& folder) {
  ParsedPath parsed;
  if (!state_->ParseOk(folder, parsed)) return false;
  std::u16string full = FullPath(parsed);
  std::size_t withSeparator = full.size() + (full.back() == u'\\' ? 0 : 1);
  if (withSeparator + 1 > kMaxPath) return false;
  Node* node = state_->Find(parsed);
  if (node == nullptr || !node->folder || state_->IsDenied(parsed)) return false;
  // Windows keeps the case the folder was given in, not the case on disk.
  state_->current = parsed;
  return true;
}

std::uint32_t FakeFileSystem::CreateFolder(const std::u16string& folder) {
  ParsedPath parsed;
  switch (Parse(folder, state_->current, parsed)) {
    case ParseStatus::kMalformed:
      return kErrorInvalidName;
    case ParseStatus::kTooLong:
      return kErrorFilenameExcedRange;
    case ParseStatus::kOk:
      break;
  }
  if (state_->Root(parsed.root) == nullptr) return kErrorPathNotFound;
  if (parsed.parts.empty()) return kErrorAccessDenied;  // a drive or share root
  Node* parent = state_->ParentFolder(parsed);
  if (parent == nullptr) return kErrorPathNotFound;
  if (state_->IsDenied(parsed)) return kErrorAccessDenied;
  auto& slot = parent->children[Fold(parsed.parts.back())];
  if (slot) return kErrorAlreadyExists;
  slot = std::make_unique<Node>();
  slot->name = parsed.parts.back();
  return kErrorSuccess;
}

std::unique_ptr<OutputFile> FakeFileSystem::CreateForWriting(const std::u16string& path) {
  ParsedPath parsed;
  if (!state_->ParseOk(path, parsed)) return nullptr;
  Node* parent = nullptr;
  Node* existing = nullptr;
  if (!state_->CanWrite(parsed, parent, existing)) return nullptr;
  if (state_->failCreateAt) {
    if (state_->createsSinceFault == *state_->failCreateAt) {
      state_->failCreateAt.reset();
      return nullptr;
    }
    ++state_->createsSinceFault;
  }
  if (existing == nullptr) existing = state_->NewFile(parent, parsed.parts.back());
  state_->GiveBack(existing->entry->file.bytes.size());
  existing->entry->file.bytes.clear();
  return std::make_unique<FakeOutputFile>(state_, existing->entry);
}

std::unique_ptr<OutputFile> FakeFileSystem::OpenForAppending(const std::u16string& path) {
  ParsedPath parsed;
  if (!state_->ParseOk(path, parsed)) return nullptr;
  Node* parent = nullptr;
  Node* existing = nullptr;
  if (!state_->CanWrite(parsed, parent, existing)) return nullptr;
  if (existing == nullptr) existing = state_->NewFile(parent, parsed.parts.back());
  return std::make_unique<FakeOutputFile>(state_, existing->entry);
}

std::unique_ptr<InputFile> FakeFileSystem::OpenForReading(const std::u16string& path) {
  ParsedPath parsed;
  if (!state_->ParseOk(path, parsed)) return nullptr;
  Node* node = state_->Find(parsed);
  if (node == nullptr || node->folder || state_->IsDenied(parsed)) return nullptr;
  std::optional<std::uint64_t> failAfter;
  auto it = state_->failReadsAfter.find(Fold(FullPath(parsed)));
  if (it != state_->failReadsAfter.end()) failAfter = it->second;
  return std::make_unique<FakeInputFile>(node->entry, failAfter);
}

bool FakeFileSystem::RemoveFile(const std::u16string& path) {
  ParsedPath parsed;
  if (!state_->ParseOk(path, parsed)) return false;
  Node* parent = state_->ParentFolder(parsed);
  Node* node = state_->Find(parsed);
  if (parent == nullptr || node == nullptr || node->folder) return false;
  if (state_->IsDenied(parsed) || state_->IsLocked(parsed) || node->entry->openHandles > 0) return false;
  state_->GiveBack(node->entry->file.bytes.size());
  parent->children.erase(Fold(parsed.parts.back()));
  return true;
}

bool FakeFileSystem::MoveFileReplacing(const std::u16string& from, const std::u16string& to) {
  if (state_->failMoves) return false;
  ParsedPath source;
  ParsedPath target;
  if (!state_->ParseOk(from, source) || !state_->ParseOk(to, target)) return false;
  Node* sourceParent = state_->ParentFolder(source);
  Node* sourceNode = state_->Find(source);
  if (sourceParent == nullptr || sourceNode == nullptr || sourceNode->folder) return false;
  if (state_->IsDenied(source) || state_->IsLocked(source) || sourceNode->entry->openHandles > 0) return false;
  if (Fold(source.root) != Fold(target.root)) return false;
  Node* targetParent = nullptr;
  Node* targetNode = nullptr;
  if (!state_->CanWrite(target, targetParent, targetNode)) return false;
  if (targetNode == sourceNode) {  // the same file: only the name's case may change
    sourceNode->name = target.parts.back();
    return true;
  }
  if (targetNode != nullptr) {
    if (targetNode->entry->openHandles > 0) return false;
    state_->GiveBack(targetNode->entry->file.bytes.size());
  }
  std::unique_ptr<Node> moving = std::move(sourceParent->children[Fold(source.parts.back())]);
  sourceParent->children.erase(Fold(source.parts.back()));
  moving->name = target.parts.back();
  targetParent->children[Fold(target.parts.back())] = std::move(moving);
  return true;
}

bool FakeFileSystem::SetFileTimesFromLocalDos(const std::u16string& path, std::uint32_t dosDateTime) {
  ParsedPath parsed;
  if (!state_->ParseOk(path, parsed)) return false;
  Node* node = state_->Find(parsed);
  if (node == nullptr || node->folder) return false;
  if (state_->IsDenied(parsed) || state_->IsLocked(parsed) || node->entry->openHandles > 0) return false;
  node->entry->file.localDosDateTime = dosDateTime;
  return true;
}

std::u16string FakeFileSystem::GetTempFolder() { return state_->tempFolder; }

std::optional<std::u16string> FakeFileSystem::Resolve(const std::u16string& path) const {
  ParsedPath parsed;
  if (!state_->ParseOk(path, parsed)) return std::nullopt;
  return FullPath(parsed);
}

bool FakeFileSystem::StoreFile(const std::u16string& path, std::string bytes) {
  ParsedPath parsed;
  if (!state_->ParseOk(path, parsed)) return false;
  Node* parent = nullptr;
  Node* existing = nullptr;
  if (!state_->CanWrite(parsed, parent, existing)) return false;
  std::uint64_t old = existing != nullptr ? existing->entry->file.bytes.size() : 0;
  if (state_->freeSpace && *state_->freeSpace + old < bytes.size()) return false;
  if (existing == nullptr) existing = state_->NewFile(parent, parsed.parts.back());
  if (state_->freeSpace) *state_->freeSpace = *state_->freeSpace + old - bytes.size();
  existing->entry->file.bytes = std::move(bytes);
  return true;
}

}  // namespace lumora::platform::fake
