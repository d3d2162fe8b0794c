#pragma once
// Code page 1252 (Windows Western, the ANSI code page of the fake machine) in both
// directions, as MultiByteToWideChar and WideCharToMultiByte convert it.
#include <string>
#include <string_view>

namespace lumora::platform::fake {

// Every byte maps to one unit: 0x80-0x9F per the Windows table, and the five bytes
// the table leaves undefined (81 8D 8F 90 9D) to the control codes of the same value,
// as Windows does. All other bytes are Latin-1.
char16_t Cp1252ToUnit(unsigned char byte);
std::u16string Cp1252ToUtf16(std::string_view bytes);

// One byte per unit; a unit code page 1252 cannot hold becomes '?' (no best-fit
// mapping). Each unit of a surrogate pair becomes its own '?'.
std::string Utf16ToCp1252(std::u16string_view text);

}  // namespace lumora::platform::fake
