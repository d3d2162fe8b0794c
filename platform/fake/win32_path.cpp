#include "platform/fake/win32_path.h"

#include <algorithm>
#include <string_view>

#include "platform/fake/fake_text.h"

namespace lumora::platform::fake::detail {
namespace {

bool IsAsciiLetter(char16_t c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }

bool IsInvalidNameUnit(char16_t c) {
  return c < 0x20 || c == u'<' || c == u'>' || c == u':' || c == u'"' || c == u'|' || c == u'?' ||
         c == u'*';
}

// Splits `rest` into components onto `out.parts`, with the Win32 normalisation.
bool AppendComponents(std::u16string_view rest, ParsedPath& out) {
  std::size_t start = 0;
  while (start <= rest.size()) {
    std::size_t end = rest.find(u'\\', start);
    if (end == std::u16string_view::npos) end = rest.size();
    std::u16string part(rest.substr(start, end - start));
    start = end + 1;
    if (part.empty() || part == u".") continue;
    if (part == u"..") {
      if (!out.parts.empty()) out.parts.pop_back();
      continue;
    }
    while (!part.empty() && (part.back() == u' ' || part.back() == u'.')) part.pop_back();
    if (part.empty()) continue;
    for (char16_t c : part)
      if (IsInvalidNameUnit(c)) return false;
    out.parts.push_back(std::move(part));
  }
  return true;
}

}  // namespace

std::u16string JoinPath(const std::u16string& root, const std::vector<std::u16string>& parts, std::size_t count) {
  std::u16string path = root;
  if (count == 0) return path + u"\\";
  for (std::size_t i = 0; i < count; ++i) {
    path += u'\\';
    path += parts[i];
  }
  return path;
}

std::u16string FullPath(const ParsedPath& path) { return JoinPath(path.root, path.parts, path.parts.size()); }

ParseStatus Parse(const std::u16string& input, const ParsedPath& current, ParsedPath& out) {
  std::u16string p = input;
  std::replace(p.begin(), p.end(), u'/', u'\\');
  if (p.empty()) return ParseStatus::kMalformed;
  out = ParsedPath{};
  std::u16string_view rest;
  if (p.size() >= 2 && p[1] == u':' && IsAsciiLetter(p[0])) {
    out.root = {FoldUnit(p[0]), u':'};
    rest = std::u16string_view(p).substr(2);
    if (!rest.empty() && rest[0] != u'\\' && Fold(current.root) == out.root) out.parts = current.parts;
  } else if (p.size() >= 2 && p[0] == u'\\' && p[1] == u'\\') {
    if (p.size() >= 4 && (p[2] == u'?' || p[2] == u'.') && p[3] == u'\\') return ParseStatus::kMalformed;
    std::size_t serverEnd = p.find(u'\\', 2);
    if (serverEnd == std::u16string::npos || serverEnd == 2) return ParseStatus::kMalformed;
    std::size_t shareEnd = p.find(u'\\', serverEnd + 1);
    if (shareEnd == std::u16string::npos) shareEnd = p.size();
    if (shareEnd == serverEnd + 1) return ParseStatus::kMalformed;
    std::u16string server = p.substr(2, serverEnd - 2);
    std::u16string share = p.substr(serverEnd + 1, shareEnd - serverEnd - 1);
    for (char16_t c : server + share)
      if (IsInvalidNameUnit(c)) return ParseStatus::kMalformed;
    out.root = u"\\\\" + server + u"\\" + share;
    rest = std::u16string_view(p).substr(shareEnd);
  } else if (p[0] == u'\\') {
    out.root = current.root;
    rest = p;
  } else {
    out = current;
    rest = p;
  }
  if (!AppendComponents(rest, out)) return ParseStatus::kMalformed;
  if (FullPath(out).size() >= kMaxPath) return ParseStatus::kTooLong;
  return ParseStatus::kOk;
}

}  // namespace lumora::platform::fake::detail
