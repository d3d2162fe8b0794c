#include "install/install_log.h"

namespace lumora {
namespace {

constexpr std::u16string_view kSeparatorLine = u"------------------------------------------------\n";

void AppendEncoded(std::string& out, std::u16string_view text) {
  for (const char16_t unit : text) {
    if (unit == u'\n') {
      out += "\r\n";
    } else if (unit >= 0x0001 && unit <= 0x00FF) {
      out.push_back(static_cast<char>(static_cast<unsigned char>(unit)));
    } else {
      out.push_back('?');
    }
  }
}

void AppendTwoDigits(std::string& out, unsigned value) {
  out.push_back(static_cast<char>('0' + value / 10 % 10));
  out.push_back(static_cast<char>('0' + value % 10));
}

// HH:MM:SS on the 24-hour clock.
std::string FormatTime(const platform::LocalTime& time) {
  std::string text;
  AppendTwoDigits(text, time.hour);
  text.push_back(':');
  AppendTwoDigits(text, time.minute);
  text.push_back(':');
  AppendTwoDigits(text, time.second);
  return text;
}

}  // namespace

std::string EncodeLogEntry(std::u16string_view date, const platform::LocalTime& time, std::u16string_view message) {
  std::string entry;
  AppendEncoded(entry, date);
  entry += " - ";
  entry += FormatTime(time);
  entry += ": ";
  AppendEncoded(entry, message);
  AppendEncoded(entry, u"\n");
  AppendEncoded(entry, kSeparatorLine);
  return entry;
}

void AppendLogLine(platform::System& system, std::u16string_view message, platform::OutputFile& log) {
  // One reading of the clock for both fields, so that an entry written at midnight
  // cannot pair one day's date with the next day's time.
  const platform::LocalTime now = system.GetLocalTime();
  const std::string entry = EncodeLogEntry(system.FormatShortDate(now), now, message);
  (void)log.Write(entry.data(), entry.size());
  log.Close();
}

void AppendToInstallLog(platform::FileSystem& files, platform::System& system, std::u16string_view message) {
  const std::unique_ptr<platform::OutputFile> log = files.OpenForAppending(kInstallLogName);
  if (!log) return;
  AppendLogLine(system, message, *log);
}

}  // namespace lumora
