// FakeProfileFiles: WritePrivateProfileStringW / GetPrivateProfileStringW over the
// fake file system, as Windows behaves.
//  - A bare file name (no '\' or '/') lives in FakeSystem::windowsFolder; any other
//    path resolves as the file system resolves it.
//  - A file that begins with FF FE is UTF-16LE and is written back so; any other
//    file (and every file the fake creates) is ANSI, code page 1252, with '?' for
//    what the code page cannot hold.
//  - "[section]" lines (leading blanks allowed, name trimmed) open sections;
//    "key=value" lines inside a section are keys (both sides trimmed of blanks and
//    tabs; a value wholly in matching '"' or '\'' quotes reads without them). Lines
//    starting with ';' and every other line are kept untouched, with their own line
//    ends. Sections and keys compare case-insensitively; the first match counts.
//  - A new key goes after the last non-blank line of its section, a new section at
//    the end of the file; new lines end in CR LF. A changed key keeps its name as
//    the file spells it. Writing no value deletes the key's line (a missing file
//    stays missing). A write that changes nothing does not touch the file.
//  - GetString cuts to capacity - 1 units; a missing key gives the default with its
//    trailing blanks removed (as Windows does), cut the same way.
//  - Reads go through OpenForReading (a denied or unreadable file reads as
//    missing); writes go through FakeFileSystem::StoreFile (a missing folder, a
//    locked or denied file or a full disk make WriteString return false).
#include "platform/fake/cp1252.h"
#include "platform/fake/fake_platform.h"
#include "platform/fake/fake_text.h"

namespace lumora::platform::fake {
namespace {

struct Line {
  std::u16string text;
  std::u16string end;  // "\r\n", "\n", "\r" or "" for a last line without one
};

struct IniText {
  bool utf16 = false;
  std::vector<Line> lines;
};

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t'; }

std::u16string Trim(std::u16string_view text) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && IsBlank(text[begin])) ++begin;
  while (end > begin && IsBlank(text[end - 1])) --end;
  return std::u16string(text.substr(begin, end - begin));
}

IniText Decode(const std::string& bytes) {
  IniText ini;
  std::u16string text;
  if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF && static_cast<unsigned char>(bytes[1]) == 0xFE) {
    ini.utf16 = true;
    for (std::size_t i = 2; i + 1 < bytes.size(); i += 2)
      text.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                           (static_cast<unsigned char>(bytes[i + 1]) << 8)));
  } else {
    text = Cp1252ToUtf16(bytes);
  }
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find_first_of(u"\r\n", start);
    if (end == std::u16string::npos) {
      ini.lines.push_back({text.substr(start), u""});
      break;
    }
    std::size_t endLength = (text[end] == u'\r' && end + 1 < text.size() && text[end + 1] == u'\n') ? 2 : 1;
    ini.lines.push_back({text.substr(start, end - start), text.substr(end, endLength)});
    start = end + endLength;
  }
  return ini;
}

std::string Encode(const IniText& ini) {
  std::u16string text;
  for (const Line& line : ini.lines) text += line.text + line.end;
  if (!ini.utf16) return Utf16ToCp1252(text);
  std::string bytes = "\xFF\xFE";
  for (char16_t unit : text) {
    bytes.push_back(static_cast<char>(unit & 0xFF));
    bytes.push_back(static_cast<char>(unit >> 8));
  }
  return bytes;
}

std::optional<std::u16string> SectionName(const std::u16string& line) {
  std::u16string text = Trim(line);
  if (text.empty() || text[0] != u'[') return std::nullopt;
  std::size_t close = text.find(u']');
  if (close == std::u16string::npos) return std::nullopt;
  return Trim(std::u16string_view(text).substr(1, close - 1));
}

std::optional<std::u16string> KeyName(const std::u16string& line) {
  std::u16string text = Trim(line);
  if (text.empty() || text[0] == u';' || text[0] == u'[') return std::nullopt;
  std::size_t equals = line.find(u'=');
  if (equals == std::u16string::npos) return std::nullopt;
  return Trim(std::u16string_view(line).substr(0, equals));
}

std::u16string ValueOf(const std::u16string& line) {
  std::u16string value = Trim(std::u16string_view(line).substr(line.find(u'=') + 1));
  if (value.size() >= 2 && (value[0] == u'"' || value[0] == u'\'') && value.back() == value[0])
    value = value.substr(1, value.size() - 2);
  return value;
}

// Lines [first, last) of the first section of that name; first == npos when absent.
struct SectionRange {
  std::size_t header = std::u16string::npos;
  std::size_t last = 0;
};

SectionRange FindSection(const IniText& ini, const std::u16string& section) {
  SectionRange range;
  for (std::size_t i = 0; i < ini.lines.size(); ++i) {
    auto name = SectionName(ini.lines[i].text);
    if (!name) continue;
    if (range.header != std::u16string::npos) {
      range.last = i;
      return range;
    }
    if (detail::EqualsNoCase(*name, Trim(section))) range.header = i;
  }
  range.last = ini.lines.size();
  return range;
}

std::optional<std::size_t> FindKey(const IniText& ini, const SectionRange& range, const std::u16string& key) {
  if (range.header == std::u16string::npos) return std::nullopt;
  for (std::size_t i = range.header + 1; i < range.last; ++i) {
    auto name = KeyName(ini.lines[i].text);
    if (name && detail::EqualsNoCase(*name, Trim(key))) return i;
  }
  return std::nullopt;
}

void InsertLine(IniText& ini, std::size_t at, std::u16string text) {
  if (at > 0 && ini.lines[at - 1].end.empty()) ini.lines[at - 1].end = u"\r\n";
  ini.lines.insert(ini.lines.begin() + static_cast<std::ptrdiff_t>(at), Line{std::move(text), u"\r\n"});
}

}  // namespace

FakeProfileFiles::FakeProfileFiles(FakeFileSystem& files, FakeSystem& system) : files_(files), system_(system) {}

namespace {

std::u16string ProfilePath(const std::u16string& file, const FakeSystem& system) {
  if (file.find_first_of(u"\\/") != std::u16string::npos) return file;
  std::u16string folder = system.windowsFolder;
  if (!folder.empty() && folder.back() != u'\\') folder += u'\\';
  return folder + file;
}

std::optional<std::string> ReadAll(FileSystem& files, const std::u16string& path) {
  auto input = files.OpenForReading(path);
  if (!input) return std::nullopt;
  std::string bytes;
  char buffer[4096];
  while (std::size_t count = input->Read(buffer, sizeof buffer)) bytes.append(buffer, count);
  if (input->HadError()) return std::nullopt;
  return bytes;
}

}  // namespace

bool FakeProfileFiles::WriteString(const std::u16string& section, const std::u16string& key,
                                   const std::optional<std::u16string>& value, const std::u16string& file) {
  std::u16string path = ProfilePath(file, system_);
  std::optional<std::string> bytes = ReadAll(files_, path);
  if (!bytes && files_.FileExists(path)) return false;  // there but unreadable
  IniText ini = bytes ? Decode(*bytes) : IniText{};
  const std::string before = bytes ? Encode(ini) : std::string();

  SectionRange range = FindSection(ini, section);
  std::optional<std::size_t> keyLine = FindKey(ini, range, key);
  if (!value) {
    if (!keyLine) return true;
    ini.lines.erase(ini.lines.begin() + static_cast<std::ptrdiff_t>(*keyLine));
  } else if (keyLine) {
    ini.lines[*keyLine].text = *KeyName(ini.lines[*keyLine].text) + u"=" + *value;
  } else if (range.header != std::u16string::npos) {
    std::size_t at = range.last;
    while (at > range.header + 1 && Trim(ini.lines[at - 1].text).empty()) --at;
    InsertLine(ini, at, key + u"=" + *value);
  } else {
    InsertLine(ini, ini.lines.size(), u"[" + section + u"]");
    InsertLine(ini, ini.lines.size(), key + u"=" + *value);
  }
  std::string after = Encode(ini);
  if (bytes && after == before) return true;
  return files_.StoreFile(path, std::move(after));
}

std::u16string FakeProfileFiles::GetString(const std::u16string& section, const std::u16string& key,
                                           const std::u16string& defaultValue, std::uint32_t capacity,
                                           const std::u16string& file) {
  std::u16string result = defaultValue;
  while (!result.empty() && result.back() == u' ') result.pop_back();
  if (std::optional<std::string> bytes = ReadAll(files_, ProfilePath(file, system_))) {
    IniText ini = Decode(*bytes);
    if (auto line = FindKey(ini, FindSection(ini, section), key)) result = ValueOf(ini.lines[*line].text);
  }
  if (capacity == 0) return u"";
  if (result.size() > capacity - 1) result.resize(capacity - 1);
  return result;
}

}  // namespace lumora::platform::fake
