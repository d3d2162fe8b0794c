# Host build: the portable core over the fakes of the platform seam, with unit tests.
find_package(PkgConfig REQUIRED)
pkg_check_modules(MINIZIP REQUIRED IMPORTED_TARGET minizip)
find_package(ZLIB REQUIRED)
find_package(GTest REQUIRED)

set(LUMORA_WARNINGS -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wno-sign-conversion)
target_compile_options(lumora_core PRIVATE ${LUMORA_WARNINGS})
target_link_libraries(lumora_core PUBLIC PkgConfig::MINIZIP ZLIB::ZLIB)

if(LUMORA_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
  target_compile_options(lumora_core PRIVATE -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  target_link_options(lumora_core PUBLIC -fsanitize=address,undefined)
endif()

file(GLOB LUMORA_HOST_PLATFORM_SOURCES CONFIGURE_DEPENDS platform/fake/*.cpp platform/posix/*.cpp)
add_library(lumora_host_platform STATIC ${LUMORA_HOST_PLATFORM_SOURCES})
target_link_libraries(lumora_host_platform PUBLIC lumora_core)
target_compile_options(lumora_host_platform PRIVATE ${LUMORA_WARNINGS})
# The core calls the host side of per-build selectors (platform/posix/), so the two
# archives need each other; CMake repeats them on the link line.
target_link_libraries(lumora_core PUBLIC lumora_host_platform)

# The fuzz build (clang, libFuzzer) instruments the core and the fakes and builds the
# fuzz targets only.
option(LUMORA_FUZZ "Build the libFuzzer targets instead of the unit tests (clang)" OFF)
if(LUMORA_FUZZ)
  add_subdirectory(tests/fuzz)
  return()
endif()

file(GLOB LUMORA_UNIT_TEST_SOURCES CONFIGURE_DEPENDS tests/unit/*.cpp)
add_executable(unit_tests ${LUMORA_UNIT_TEST_SOURCES})
target_link_libraries(unit_tests PRIVATE lumora_host_platform GTest::gtest GTest::gtest_main)
target_include_directories(unit_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests)
include(GoogleTest)
gtest_discover_tests(unit_tests DISCOVERY_TIMEOUT 60)

if(EXISTS ${CMAKE_SOURCE_DIR}/bench/CMakeLists.txt)
  add_subdirectory(bench)
endif()
