#pragma once
// A whole file mapped read-only, the way the setup program sees its payload: the
// resource bytes lie in the mapped image and are never copied.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace lumora::bench {

class MappedFile {
 public:
  // Maps `path`; Bytes() is empty when the file cannot be opened or mapped.
  explicit MappedFile(const std::string& path);
  MappedFile(const MappedFile&) = delete;
  MappedFile& operator=(const MappedFile&) = delete;
  ~MappedFile();
  std::span<const std::uint8_t> Bytes() const { return {data_, size_}; }

 private:
  const std::uint8_t* data_ = nullptr;
  std::size_t size_ = 0;
};

}  // namespace lumora::bench
