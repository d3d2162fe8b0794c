// Hostile messages, dates and clock readings through the installation log's entry
// encoder, and appends to an existing log on a fake disk that may be full or denied.
// Checked: the entry is the date, " - ", an eight-unit HH:MM:SS, ": ", the message
// and the 48-hyphen separator, in 8 bits with "?" for every unit beyond U+00FF (and
// for U+0000) and CR LF for every line feed; an append never changes what the log
// held before, and adds the entry or a cut-off start of it.
#include <fuzzer/FuzzedDataProvider.h>

#include <string>

#include "fuzz/fuzz_support.h"
#include "install/install_log.h"
#include "platform/fake/fake_platform.h"

namespace lumora {
namespace {

using fuzz::Show;

// The 8-bit form of a text as the log's encoding rules state it.
std::string Expected8Bit(std::u16string_view text) {
  std::string out;
  for (char16_t unit : text) {
    if (unit == u'\n')
      out += "\r\n";
    else if (unit >= 0x01 && unit <= 0xFF)
      out.push_back(static_cast<char>(unit));
    else
      out.push_back('?');
  }
  return out;
}

std::string TwoDigits(unsigned value) { return {static_cast<char>('0' + value / 10), static_cast<char>('0' + value % 10)}; }

void CheckEntry(const std::string& entry, std::u16string_view date, const platform::LocalTime& time,
                std::u16string_view message) {
  const std::string head = Expected8Bit(date) + " - ";
  const std::string separator = "\r\n" + std::string(48, '-') + "\r\n";
  FUZZ_CHECK(entry.compare(0, head.size(), head) == 0, "the entry does not start with the date: " + entry);
  FUZZ_CHECK(entry.size() >= head.size() + 10 + separator.size(), "the entry is too short: " + entry);
  const std::string clock = entry.substr(head.size(), 8);
  for (std::size_t i = 0; i < clock.size(); ++i) {
    const bool colon = i == 2 || i == 5;
    FUZZ_CHECK(colon ? clock[i] == ':' : (clock[i] >= '0' && clock[i] <= '9'), "the time field is not HH:MM:SS: " + clock);
  }
  if (time.hour < 24 && time.minute < 60 && time.second < 60)
    FUZZ_CHECK(clock == TwoDigits(time.hour) + ":" + TwoDigits(time.minute) + ":" + TwoDigits(time.second),
               "the time field shows another time: " + clock);
  const std::string body = Expected8Bit(message);
  FUZZ_CHECK(entry.compare(head.size() + 8, std::string::npos, ": " + body + separator) == 0,
             "the message part differs for '" + Show(message) + "': " + entry);
  for (std::size_t i = 0; i < entry.size(); ++i)
    if (entry[i] == '\n') FUZZ_CHECK(i > 0 && entry[i - 1] == '\r', "a line feed without carriage return");
}

// Appends one entry to a log that already holds `before`; what was there stays.
void CheckAppend(std::string before, std::u16string_view message, std::uint8_t faults, std::uint8_t freeBytes) {
  platform::fake::FakeMachine machine;
  machine.files.AddFolder(u"C:\\Scripts");
  machine.files.SetCurrentFolder(u"C:\\Scripts");
  if (faults & 0x01) machine.files.AddFile(u"C:\\Scripts\\Lumora_Install.log", before);
  if (faults & 0x02) machine.files.SetFreeSpace(freeBytes);
  if (faults & 0x04) machine.files.LockFile(u"C:\\Scripts\\Lumora_Install.log");
  if (faults & 0x08) machine.files.DenyAccess(u"C:\\Scripts");
  if (!(faults & 0x01)) before.clear();

  AppendToInstallLog(machine.files, machine.system, message);

  const platform::LocalTime now = machine.system.GetLocalTime();
  const std::string entry = EncodeLogEntry(machine.system.FormatShortDate(now), now, message);
  const std::optional<std::string> after = machine.files.ReadFile(u"C:\\Scripts\\Lumora_Install.log");
  if (!after) {
    FUZZ_CHECK(!(faults & 0x01), "the log that was there is gone");
    return;
  }
  FUZZ_CHECK(after->compare(0, before.size(), before) == 0, "the append changed what the log held before");
  const std::string added = after->substr(before.size());
  FUZZ_CHECK(entry.compare(0, added.size(), added) == 0, "the append wrote something other than the entry");
  if (!(faults & 0x0E)) FUZZ_CHECK(added == entry, "an unhindered append wrote only part of the entry");
}

}  // namespace
}  // namespace lumora

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace lumora;
  FuzzedDataProvider input(data, size);
  platform::LocalTime time;
  time.hour = input.ConsumeIntegral<std::uint16_t>();
  time.minute = input.ConsumeIntegral<std::uint16_t>();
  time.second = input.ConsumeIntegral<std::uint16_t>();
  const std::uint8_t faults = input.ConsumeIntegral<std::uint8_t>();
  const std::uint8_t freeBytes = input.ConsumeIntegral<std::uint8_t>();
  const std::u16string date = fuzz::DecodeFuzzText(input.ConsumeRandomLengthString(64));
  const std::string before = input.ConsumeRandomLengthString(256);
  const std::u16string message = fuzz::DecodeFuzzText(input.ConsumeRemainingBytesAsString());

  CheckEntry(EncodeLogEntry(date, time, message), date, time, message);
  CheckAppend(before, message, faults, freeBytes);
  return 0;
}
