// The program's own resources (string table, payload archive) and message boxes.
#include <windows.h>

#include "platform/resources.h"
#include "platform/win32/wide.h"
#include "platform/win32/win32_platform.h"

namespace lumora::platform::win32 {
namespace {

constexpr int kPayloadResourceId = 1974;

class Win32Resources final : public Resources {
 public:
  std::u16string LoadText(std::uint32_t id) override {
    // With a zero capacity LoadStringW hands out a pointer into the mapped string
    // table, so no entry is ever cut by a buffer of ours.
    const wchar_t* text = nullptr;
    const int length = LoadStringW(GetModuleHandleW(nullptr), id, reinterpret_cast<LPWSTR>(&text), 0);
    if (length <= 0 || !text) return std::u16string();
    return FromWide(text, static_cast<std::size_t>(length));
  }

  std::optional<std::span<const std::uint8_t>> PayloadArchive() override {
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC resource = FindResourceW(module, MAKEINTRESOURCEW(kPayloadResourceId), L"ZIP");
    if (!resource) return std::nullopt;
    HGLOBAL loaded = LoadResource(module, resource);
    if (!loaded) return std::nullopt;
    const void* bytes = LockResource(loaded);
    if (!bytes) return std::nullopt;
    const DWORD size = SizeofResource(module, resource);
    return std::span<const std::uint8_t>(static_cast<const std::uint8_t*>(bytes), size);
  }

  int ShowMessageBox(const std::u16string& text, const std::u16string& caption, std::uint32_t type) override {
    return MessageBoxW(GetActiveWindow(), Wide(text), Wide(caption), type);
  }
};

}  // namespace

std::unique_ptr<Resources> MakeResources() { return std::make_unique<Win32Resources>(); }

}  // namespace lumora::platform::win32
