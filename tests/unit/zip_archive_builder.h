#pragma once
// Small ZIP archives made by the tests themselves, as the bytes a payload resource holds.
#include <cstdint>
#include <string>
#include <vector>

namespace lumora::testing {

// 2024-01-01 00:00:00, the date of an entry that names none.
inline constexpr std::uint32_t kDefaultDosDateTime = 0x58210000;

struct ZipEntry {
  std::string name;  // "/" ends a folder entry
  std::string data;
  std::uint32_t dosDateTime = kDefaultDosDateTime;
  // Deflate level; 0 keeps the data readable in the archive bytes (stored blocks).
  int level = -1;
};

// The archive's bytes, entries in the given order.
std::string MakeZipArchive(const std::vector<ZipEntry>& entries);

// Offset of the first byte of an entry's stored data, found through its local header.
std::size_t EntryDataOffset(const std::string& archive, const std::string& name);

// Changes one byte of the first occurrence of `text` in `archive` (which must hold it).
void CorruptFirstOccurrence(std::string& archive, const std::string& text);

}  // namespace lumora::testing
