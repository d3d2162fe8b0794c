#pragma once
// The what's new page's text, made from the release-notes resource ("TXT" 217).
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace lumora {

// The page shows at most this many UTF-16 units of the resource; its buffer holds
// one more, which stays zero, so the text is always terminated.
inline constexpr std::size_t kReleaseNotesMaxUnits = 10239;

// The resource's UTF-16LE bytes (byte-order mark included, as the first character)
// cut to the first 10,239 units and up to its first zero unit, then stripped of
// everything after its last letter or digit: trailing line ends, blanks, dashes
// and the final full stop are not shown.
std::u16string ReleaseNotesText(std::span<const std::uint8_t> resource);

}  // namespace lumora
