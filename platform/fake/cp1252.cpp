#include "platform/fake/cp1252.h"

#include <cstdint>

namespace lumora::platform::fake {
namespace {

// 0x80-0x9F of code page 1252; the undefined bytes map to themselves.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98-9F
};

}  // namespace

char16_t Cp1252ToUnit(unsigned char byte) {
  if (byte >= 0x80 && byte <= 0x9F) return kHighControls[byte - 0x80];
  return static_cast<char16_t>(byte);
}

std::u16string Cp1252ToUtf16(std::string_view bytes) {
  std::u16string text;
  text.reserve(bytes.size());
  for (char c : bytes) text.push_back(Cp1252ToUnit(static_cast<unsigned char>(c)));
  return text;
}

std::string Utf16ToCp1252(std::u16string_view text) {
  std::string bytes;
  bytes.reserve(text.size());
  for (char16_t unit : text) {
    if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF)) {
      bytes.push_back(static_cast<char>(static_cast<unsigned char>(unit)));
      continue;
    }
    char mapped = '?';
    for (unsigned i = 0; i < 32; ++i) {
      if (kHighControls[i] == unit) {
        mapped = static_cast<char>(static_cast<unsigned char>(0x80 + i));
        break;
      }
    }
    bytes.push_back(mapped);
  }
  return bytes;
}

}  // namespace lumora::platform::fake
