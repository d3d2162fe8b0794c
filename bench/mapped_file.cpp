#include "bench/mapped_file.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lumora::bench {

MappedFile::MappedFile(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY);
  if (fd < 0) return;
  struct stat info {};
  if (::fstat(fd, &info) == 0 && info.st_size > 0) {
    void* mapped = ::mmap(nullptr, static_cast<std::size_t>(info.st_size), PROT_READ, MAP_PRIVATE, fd, 0);
    if (mapped != MAP_FAILED) {
      data_ = static_cast<const std::uint8_t*>(mapped);
      size_ = static_cast<std::size_t>(info.st_size);
    }
  }
  ::close(fd);  // the mapping keeps the file
}

MappedFile::~MappedFile() {
  if (data_ != nullptr) ::munmap(const_cast<std::uint8_t*>(data_), size_);
}

}  // namespace lumora::bench
