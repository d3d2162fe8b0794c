#include "wizard/release_notes.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <cwctype>

namespace lumora {

std::u16string ReleaseNotesText(std::span<const std::uint8_t> resource) {
  std::array<char16_t, kReleaseNotesMaxUnits + 1> buffer{};
  // Bytes, not units: an odd-sized resource leaves its last byte in the low half.
  const std::size_t bytes = std::min(resource.size(), kReleaseNotesMaxUnits * sizeof(char16_t));
  if (bytes > 0) std::memcpy(buffer.data(), resource.data(), bytes);

  std::size_t length = std::char_traits<char16_t>::length(buffer.data());
  while (length > 0 && !std::iswalnum(static_cast<std::wint_t>(buffer[length - 1]))) --length;
  return std::u16string(buffer.data(), length);
}

}  // namespace lumora
