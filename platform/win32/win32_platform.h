#pragma once
// The Win32 implementations of the platform seam, bundled as one machine.
#include <memory>

#include "platform/platform.h"

namespace lumora::platform::win32 {

std::unique_ptr<FileSystem> MakeFileSystem();
std::unique_ptr<Registry> MakeRegistry();
std::unique_ptr<ProfileFiles> MakeProfileFiles();
std::unique_ptr<System> MakeSystem();
std::unique_ptr<Shell> MakeShell();
std::unique_ptr<Resources> MakeResources();

struct Win32Machine {
  std::unique_ptr<FileSystem> files = MakeFileSystem();
  std::unique_ptr<Registry> registry = MakeRegistry();
  std::unique_ptr<ProfileFiles> profiles = MakeProfileFiles();
  std::unique_ptr<System> system = MakeSystem();
  std::unique_ptr<Shell> shell = MakeShell();
  std::unique_ptr<Resources> resources = MakeResources();
  Platform platform{*files, *registry, *profiles, *system, *shell, *resources};
};

}  // namespace lumora::platform::win32
