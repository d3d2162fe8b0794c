#include "unit/zip_archive_builder.h"

#include <zip.h>
#include <zlib.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <unistd.h>

namespace lumora::testing {

std::string MakeZipArchive(const std::vector<ZipEntry>& entries) {
  char path[] = "/tmp/lumora_zip_XXXXXX";
  const int descriptor = mkstemp(path);
  if (descriptor < 0) throw std::runtime_error("mkstemp failed");
  close(descriptor);

  zipFile zip = zipOpen64(path, APPEND_STATUS_CREATE);
  if (zip == nullptr) throw std::runtime_error("zipOpen64 failed");
  for (const ZipEntry& entry : entries) {
    zip_fileinfo info{};
    info.dosDate = entry.dosDateTime;
    const bool folder = !entry.name.empty() && entry.name.back() == '/';
    const int method = folder ? 0 : Z_DEFLATED;
    if (zipOpenNewFileInZip(zip, entry.name.c_str(), &info, nullptr, 0, nullptr, 0, nullptr, method,
                            folder ? 0 : entry.level) != ZIP_OK ||
        zipWriteInFileInZip(zip, entry.data.data(), static_cast<unsigned>(entry.data.size())) != ZIP_OK ||
        zipCloseFileInZip(zip) != ZIP_OK) {
      zipClose(zip, nullptr);
      throw std::runtime_error("writing a zip entry failed");
    }
  }
  zipClose(zip, nullptr);

  std::ifstream file(path, std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  std::remove(path);
  return bytes;
}

namespace {

unsigned ReadLittleEndian16(const std::string& bytes, std::size_t at) {
  return static_cast<unsigned char>(bytes[at]) | static_cast<unsigned char>(bytes[at + 1]) << 8;
}

}  // namespace

std::size_t EntryDataOffset(const std::string& archive, const std::string& name) {
  constexpr char kLocalHeader[] = "PK\x03\x04";
  constexpr std::size_t kFixedHeaderSize = 30;
  for (std::size_t at = archive.find(kLocalHeader); at != std::string::npos;
       at = archive.find(kLocalHeader, at + 1)) {
    const std::size_t nameLength = ReadLittleEndian16(archive, at + 26);
    const std::size_t extraLength = ReadLittleEndian16(archive, at + 28);
    if (archive.compare(at + kFixedHeaderSize, nameLength, name) == 0 && nameLength == name.size()) {
      return at + kFixedHeaderSize + nameLength + extraLength;
    }
  }
  throw std::runtime_error("entry not in archive");
}

void CorruptFirstOccurrence(std::string& archive, const std::string& text) {
  const std::size_t at = archive.find(text);
  if (at == std::string::npos) throw std::runtime_error("text not in archive");
  archive[at + text.size() / 2] ^= 0x20;
}

}  // namespace lumora::testing
