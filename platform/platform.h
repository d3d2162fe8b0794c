#pragma once
// Every side effect of the setup program goes through one of these interfaces. The
// Windows build hands down the Win32 implementations; host tests hand down fakes.
#include "platform/file_system.h"
#include "platform/profile_files.h"
#include "platform/registry.h"
#include "platform/resources.h"
#include "platform/shell.h"
#include "platform/system.h"

namespace lumora::platform {

struct Platform {
  FileSystem& files;
  Registry& registry;
  ProfileFiles& profiles;
  System& system;
  Shell& shell;
  Resources& resources;
};

}  // namespace lumora::platform
