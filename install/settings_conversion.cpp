#include "install/settings_conversion.h"

#include <cstddef>

#include "app/environment_probes.h"

namespace lumora {
namespace {

constexpr std::size_t kReadChunkBytes = 2047;
constexpr std::size_t kFolderWithSeparatorMaxUnits = 258;

// The rest of the file after `content`; false when a read failed before its end.
bool ReadToEnd(platform::InputFile& stream, std::string& content) {
  char chunk[kReadChunkBytes];
  while (std::size_t count = stream.Read(chunk, sizeof chunk)) content.append(chunk, count);
  return !stream.HadError();
}

bool StartsWithByteOrderMark(const std::string& bytes) {
  return bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
         static_cast<unsigned char>(bytes[1]) == 0xFE;
}

// FF FE and the text as UTF-16LE code units, whatever the host's byte order.
std::string EncodeUtf16LeWithByteOrderMark(const std::u16string& text) {
  std::string bytes = "\xFF\xFE";
  bytes.reserve(2 + text.size() * 2);
  for (char16_t unit : text) {
    bytes.push_back(static_cast<char>(unit & 0xFF));
    bytes.push_back(static_cast<char>(unit >> 8));
  }
  return bytes;
}

}  // namespace

std::u16string SettingsTemporaryPath(const std::u16string& iniPath) {
  std::u16string folder = DriveAndFolderOf(iniPath);
  if (!folder.empty() && folder.size() <= kFolderWithSeparatorMaxUnits && folder.back() != u'\\')
    folder.push_back(u'\\');
  return folder + kSettingsTemporaryFileName;
}

int ConvertSettingsToUnicode(platform::Platform& platform, const std::u16string& iniPath,
                             std::unique_ptr<platform::InputFile> stream) {
  std::string content(2, '\0');
  content.resize(stream->Read(content.data(), content.size()));
  if (StartsWithByteOrderMark(content)) {
    stream->Close();
    return 1;
  }
  // The whole content is converted at once, so that neither a line nor a double-byte
  // character is ever cut; the settings file is closed before it is replaced.
  const bool read = ReadToEnd(*stream, content);
  stream->Close();
  if (!read) return 0;
  if (content.empty()) return 1;
  const std::u16string text = platform.system.AnsiToUtf16(content);
  if (text.empty()) return 0;  // the code page conversion failed: nothing to write it from

  const std::u16string temporaryPath = SettingsTemporaryPath(iniPath);
  std::unique_ptr<platform::OutputFile> temporary = platform.files.CreateForWriting(temporaryPath);
  if (!temporary) return 1;
  const std::string converted = EncodeUtf16LeWithByteOrderMark(kUnicodeFileHeader + text);
  const bool written = temporary->Write(converted.data(), converted.size());
  const bool closed = temporary->Close();
  if (!written || !closed) {
    platform.files.RemoveFile(temporaryPath);
    return 0;
  }
  return platform.files.MoveFileReplacing(temporaryPath, iniPath) ? 1 : 0;
}

}  // namespace lumora
