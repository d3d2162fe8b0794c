#include "install/icon_library.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <memory>
#include <optional>

namespace lumora {
namespace {

// The release of the maker's own library that is told apart by its size.
constexpr char16_t kReferenceVersion[] = u"4.30";
constexpr std::int64_t kReferenceLibrarySize = 226816;
constexpr std::u16string_view kMakerName = u"Dravenko";

constexpr std::uint32_t HighWord(std::uint32_t value) { return value >> 16; }
constexpr std::uint32_t LowWord(std::uint32_t value) { return value & 0xFFFF; }

std::u16string ToUtf16(const std::string& ascii) { return std::u16string(ascii.begin(), ascii.end()); }

bool IsWhiteSpace(char16_t unit) { return unit == u' ' || (unit >= u'\t' && unit <= u'\r'); }
bool IsDigit(char16_t unit) { return unit >= u'0' && unit <= u'9'; }

char16_t LowerAscii(char16_t unit) { return unit >= u'A' && unit <= u'Z' ? static_cast<char16_t>(unit + 32) : unit; }

bool EqualsIgnoringCase(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  }
  return true;
}

// The longest prefix of `text` (after white space) that forms a decimal number, as
// narrow text, or empty when there is none.
std::string DecimalNumberPrefix(std::u16string_view text) {
  std::size_t i = 0;
  while (i < text.size() && IsWhiteSpace(text[i])) ++i;
  std::string number;
  if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) number.push_back(static_cast<char>(text[i++]));
  bool anyDigit = false;
  while (i < text.size() && IsDigit(text[i])) {
    number.push_back(static_cast<char>(text[i++]));
    anyDigit = true;
  }
  if (i < text.size() && text[i] == u'.') {
    number.push_back('.');
    ++i;
    while (i < text.size() && IsDigit(text[i])) {
      number.push_back(static_cast<char>(text[i++]));
      anyDigit = true;
    }
  }
  if (!anyDigit) return {};
  // An exponent counts only with at least one digit.
  if (i < text.size() && (text[i] == u'e' || text[i] == u'E')) {
    std::size_t j = i + 1;
    std::string exponent = "e";
    if (j < text.size() && (text[j] == u'+' || text[j] == u'-')) exponent.push_back(static_cast<char>(text[j++]));
    if (j < text.size() && IsDigit(text[j])) {
      while (j < text.size() && IsDigit(text[j])) exponent.push_back(static_cast<char>(text[j++]));
      number += exponent;
    }
  }
  return number;
}

double ParseDecimal(std::u16string_view text) {
  std::string number = DecimalNumberPrefix(text);
  if (number.empty()) return 0.0;
  const bool negative = number.front() == '-';
  if (number.front() == '+' || number.front() == '-') number.erase(0, 1);
  // The runtime's own decimal conversion (the program never changes the C locale, so
  // the decimal point is "."); beyond double's range it answers infinity or 0.
  const double value = std::strtod(number.c_str(), nullptr);
  return negative ? -value : value;
}

// Truncation toward zero, held at the limits of int for values that do not fit.
int TruncateToInt(float value) {
  if (std::isnan(value)) return 0;
  if (value >= 2147483648.0f) return std::numeric_limits<int>::max();
  if (value <= -2147483648.0f) return std::numeric_limits<int>::min();
  return static_cast<int>(value);
}

std::optional<std::int64_t> FileSize(platform::FileSystem& files, const std::u16string& path) {
  const std::unique_ptr<platform::InputFile> file = files.OpenForReading(path);
  if (!file) return std::nullopt;
  if (!file->Seek(0, platform::SeekOrigin::kEnd)) return std::nullopt;
  return file->Tell();
}

}  // namespace

int ReadIconLibraryVersion(platform::System& system, const std::u16string& path, std::u16string& versionOut,
                           std::u16string* companyOut) {
  const std::optional<platform::VersionResource> resource = system.ReadVersionResource(path);
  if (!resource) return 0;

  versionOut = ToUtf16(std::to_string(HighWord(resource->productVersionMS)) + "." +
                       std::to_string(LowWord(resource->productVersionMS)) +
                       std::to_string(HighWord(resource->fileVersionLS)));
  if (companyOut != nullptr) {
    companyOut->clear();
    if (resource->companyName) {
      const std::u16string& company = *resource->companyName;
      // The value is a C string: what follows an embedded terminator is not part of it.
      const std::size_t length = std::min({company.find(u'\0'), company.size(), kCompanyNameMaxUnits});
      companyOut->assign(company, 0, length);
    }
  }
  return 1;
}

int IconLibraryVersionValue(std::u16string_view text) {
  const float narrowed = static_cast<float>(ParseDecimal(text));
  return TruncateToInt(narrowed * 1000.0f);
}

bool KeepInstalledIconLibrary(platform::Platform& platform, const std::u16string& destinationFolder) {
  const std::u16string libraryPath = destinationFolder + u"Plugins\\" + u"Icons.dll";
  std::u16string version;
  std::u16string publisher;
  if (ReadIconLibraryVersion(platform.system, libraryPath, version, &publisher) != 1) return false;

  const int installed = IconLibraryVersionValue(version);
  const int reference = IconLibraryVersionValue(kReferenceVersion);
  if (installed > reference) return true;
  if (installed == reference) {
    const std::optional<std::int64_t> size = FileSize(platform.files, libraryPath);
    if (!size || *size != kReferenceLibrarySize) return true;
  }
  return !EqualsIgnoringCase(publisher, kMakerName);
}

}  // namespace lumora
