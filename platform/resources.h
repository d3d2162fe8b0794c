#pragma once
// The program's own resources and its message boxes.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace lumora::platform {

// MessageBoxW types and answers used by the setup program.
enum MessageBoxType : std::uint32_t {
  kMbOk = 0x0,
  kMbIconError = 0x10,
  kMbIconWarning = 0x30,
  kMbQuestionYesNoDefaultNo = 0x124,  // MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2
};
enum MessageBoxAnswer : int { kIdOk = 1, kIdCancel = 2, kIdYes = 6, kIdNo = 7 };

class Resources {
 public:
  virtual ~Resources() = default;
  // LoadStringW of a string-table entry (empty when missing).
  virtual std::u16string LoadText(std::uint32_t id) = 0;
  // The payload archive, resource "ZIP" 1974, as mapped from the module: nullopt when
  // it cannot be found, loaded or locked. The bytes stay valid while the program runs.
  virtual std::optional<std::span<const std::uint8_t>> PayloadArchive() = 0;
  // MessageBoxW owned by the active window.
  virtual int ShowMessageBox(const std::u16string& text, const std::u16string& caption, std::uint32_t type) = 0;
};

}  // namespace lumora::platform
