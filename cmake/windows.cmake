# Windows build: the setup program, one static GUI executable.
enable_language(RC)

set(LUMORA_THIRD_PARTY ${CMAKE_SOURCE_DIR}/build/third_party)
if(NOT EXISTS ${LUMORA_THIRD_PARTY}/minizip/unzip.c)
  message(FATAL_ERROR "minizip sources missing: run scripts/bootstrap first")
endif()

# minizip's unzip with the Win32 file functions that open UTF-16 paths.
add_library(minizip STATIC
  ${LUMORA_THIRD_PARTY}/minizip/unzip.c
  ${LUMORA_THIRD_PARTY}/minizip/ioapi.c
  ${LUMORA_THIRD_PARTY}/minizip/iowin32.c)
target_include_directories(minizip PUBLIC ${LUMORA_THIRD_PARTY}/minizip)
target_compile_options(minizip PRIVATE -Os -ffunction-sections -fdata-sections -w)
target_link_libraries(minizip PUBLIC -l:libz.a)

set(LUMORA_WIN_FLAGS -municode -DUNICODE -D_UNICODE -DWIN32_LEAN_AND_MEAN -DNOMINMAX -D_WIN32_WINNT=0x0601)
# Optimised for size: the setup program is downloaded by every user.
set(LUMORA_SIZE_FLAGS -Os -ffunction-sections -fdata-sections)
target_compile_options(lumora_core PRIVATE -Wall -Wextra ${LUMORA_SIZE_FLAGS})
target_compile_definitions(lumora_core PUBLIC UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
target_link_libraries(lumora_core PUBLIC minizip)

file(GLOB LUMORA_WIN32_SOURCES CONFIGURE_DEPENDS
  platform/win32/*.cpp framework/*.cpp
  app/*_win32.cpp install/*_win32.cpp system/*_win32.cpp wizard/*_win32.cpp)

# The payload archive (stand-in product, or LUMORA_PRODUCT_DIR) and the resources.
add_subdirectory(payload)
include(cmake/resources.cmake)

set(LUMORA_STATIC_LINK -static -static-libgcc -static-libstdc++ -municode -mwindows
  -Wl,--gc-sections -Wl,--no-insert-timestamp -s)
# No libuuid: its one object holds every GUID of the platform; the few we use are
# defined where they are used.
set(LUMORA_SYSTEM_LIBS comctl32 shell32 ole32 advapi32 user32 gdi32 kernel32)

add_executable(lumora_setup WIN32 ${LUMORA_WIN32_SOURCES} res/setup.rc)
set_target_properties(lumora_setup PROPERTIES OUTPUT_NAME "lumora64_setup")
target_compile_options(lumora_setup PRIVATE -Wall -Wextra $<$<COMPILE_LANGUAGE:CXX>:${LUMORA_SIZE_FLAGS}>)
target_link_libraries(lumora_setup PRIVATE lumora_core ${LUMORA_SYSTEM_LIBS})
target_link_options(lumora_setup PRIVATE ${LUMORA_STATIC_LINK})
target_include_directories(lumora_setup PRIVATE ${CMAKE_SOURCE_DIR})
# windres finds the payload and the artwork through the include path.
set_property(SOURCE res/setup.rc APPEND PROPERTY OBJECT_DEPENDS ${LUMORA_PAYLOAD_ZIP} ${LUMORA_RES_INPUTS})
target_compile_options(lumora_setup PRIVATE
  $<$<COMPILE_LANGUAGE:RC>:-I${CMAKE_SOURCE_DIR}/res -I${LUMORA_RES_BUILD_DIR} -I${LUMORA_PAYLOAD_DIR}>)
add_dependencies(lumora_setup lumora_payload_zip lumora_setup_resources)

add_subdirectory(tests/exe)
add_subdirectory(tests/scripts)

add_subdirectory(tests/wizard)

if(EXISTS ${CMAKE_SOURCE_DIR}/tests/wine/CMakeLists.txt)
  add_subdirectory(tests/wine)
endif()
