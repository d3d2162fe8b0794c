// Runs the setup program's extraction engine on real files, for the benchmark:
//   bench_extract ARCHIVE ROOT            ExtractPayload as the setup program runs it:
//                                         the mapped archive is written to the
//                                         temporary folder, then unpacked;
//   bench_extract ARCHIVE ROOT --walk     only the walk over ARCHIVE where it lies,
//                                         the work an unzip program does.
// ROOT (an existing, empty host folder) is drive C:; the files land in
// C:\Program Files\Lumora\ and the temporary copy in C:\Temp\. Exit code 0 when
// the engine reported success. The caller times the process.
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <optional>
#include <span>
#include <string>

#include <unzip.h>

#include "bench/mapped_file.h"
#include "install/payload_extraction.h"
#include "platform/archive_file_functions.h"
#include "platform/archive_read_buffer.h"
#include "platform/fake/fake_platform.h"
#include "platform/posix/posix_file_system.h"

namespace {

using namespace lumora;

constexpr char16_t kDestination[] = u"C:\\Program Files\\Lumora\\";

// The payload resource of the setup program, here a mapped archive file.
class MappedPayload final : public platform::fake::FakeResources {
 public:
  explicit MappedPayload(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
  std::optional<std::span<const std::uint8_t>> PayloadArchive() override { return bytes_; }

 private:
  std::span<const std::uint8_t> bytes_;
};

// Host path of an archive, as the Windows path that PosixFileSystem gives it: it
// must lie under ROOT.
std::optional<std::u16string> ProgramPathOf(const std::filesystem::path& root, const std::filesystem::path& file) {
  const std::filesystem::path relative = std::filesystem::relative(std::filesystem::absolute(file), root);
  if (relative.empty() || *relative.begin() == "..") return std::nullopt;
  std::u16string path = u"C:\\";
  for (const char c : relative.generic_string()) path.push_back(c == '/' ? u'\\' : static_cast<char16_t>(c));
  return path;
}

int WalkOnly(platform::Platform& platform, const std::filesystem::path& root, const std::filesystem::path& archivePath) {
  const std::optional<std::u16string> programPath = ProgramPathOf(root, archivePath);
  if (!programPath) {
    std::fprintf(stderr, "bench_extract: with --walk the archive must lie under ROOT\n");
    return 2;
  }
  zlib_filefunc64_def functions{};
  platform::FillPayloadArchiveFunctions(platform.files, functions);
  platform::ArchiveReadBuffer readBuffer;  // as ExtractPayload reads
  readBuffer.Wrap(functions);
  unzFile archive = unzOpen2_64(programPath->c_str(), &functions);
  if (archive == nullptr) return 1;
  int result = 1;
  if (platform.files.SetCurrentFolder(kDestination)) {
    result = ExtractAllEntries(platform, archive, 0) == UNZ_OK ? 0 : 1;
  }
  unzClose(archive);
  return result;
}

}  // namespace

int main(int argc, char** argv) {
  const bool walkOnly = argc == 4 && std::strcmp(argv[3], "--walk") == 0;
  if (argc != 3 && !walkOnly) {
    std::fprintf(stderr, "usage: bench_extract ARCHIVE ROOT [--walk]\n");
    return 2;
  }
  const std::filesystem::path archivePath = argv[1];
  const std::filesystem::path root = std::filesystem::absolute(argv[2]);
  std::filesystem::create_directories(root / "Program Files" / "Lumora");
  std::filesystem::create_directories(root / "Temp");

  platform::posix::PosixFileSystem files(root);
  platform::fake::FakeMachine machine;
  const bench::MappedFile mapped(archivePath.string());
  if (mapped.Bytes().empty()) {
    std::fprintf(stderr, "bench_extract: cannot map %s\n", argv[1]);
    return 2;
  }
  MappedPayload resources(mapped.Bytes());
  platform::Platform platform{files, machine.registry, machine.profiles, machine.system, machine.shell, resources};

  if (walkOnly) return WalkOnly(platform, root, archivePath);
  return ExtractPayload(platform, kDestination, 0) == 0 ? 0 : 1;
}
