#pragma once
// What every fuzz target shares: a property check that stops the run with a readable
// reason (libFuzzer then keeps the input as a crash), and the mapping from fuzzer
// bytes to UTF-16 text.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace lumora::fuzz {

// Printable form of a UTF-16 text for a failure report: ASCII as is, other units as
// \uXXXX.
inline std::string Show(std::u16string_view text) {
  std::string shown;
  for (char16_t unit : text) {
    if (unit >= 0x20 && unit < 0x7F) {
      shown.push_back(static_cast<char>(unit));
    } else {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04X", static_cast<unsigned>(unit));
      shown += escaped;
    }
  }
  return shown;
}

[[noreturn]] inline void PropertyFailed(const char* property, const char* file, int line, const std::string& detail) {
  std::fprintf(stderr, "\n%s:%d: property violated: %s\n%s\n", file, line, property, detail.c_str());
  std::abort();
}

// FUZZ_CHECK(condition, detail): `detail` is a std::string built only on failure.
#define FUZZ_CHECK(condition, detail)                                                 \
  do {                                                                                \
    if (!(condition)) ::lumora::fuzz::PropertyFailed(#condition, __FILE__, __LINE__, (detail)); \
  } while (false)

// Bytes to UTF-16 units, so that the units the code under test cares about (blanks,
// quotes, slashes, percent signs, letters) are one byte each and every other unit is
// still reachable: a byte other than 0xFF is the unit of the same value (ASCII and
// Latin-1); 0xFF takes the next two bytes as one little-endian unit.
inline std::u16string DecodeFuzzText(std::string_view bytes) {
  std::u16string text;
  text.reserve(bytes.size());
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const auto byte = static_cast<unsigned char>(bytes[i]);
    if (byte != 0xFF || i + 2 >= bytes.size()) {
      text.push_back(static_cast<char16_t>(byte));
      continue;
    }
    const auto low = static_cast<unsigned char>(bytes[i + 1]);
    const auto high = static_cast<unsigned char>(bytes[i + 2]);
    text.push_back(static_cast<char16_t>(low | (high << 8)));
    i += 2;
  }
  return text;
}

inline std::string_view AsBytes(const std::uint8_t* data, std::size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

}  // namespace lumora::fuzz
