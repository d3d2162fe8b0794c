# The setup program's built resources: its artwork (icon group 111, logo bitmap 113)
# and the release notes converted to UTF-16 (resource TXT 217). Sets
#   LUMORA_RES_BUILD_DIR  folder of the built files, for windres' include path
#   LUMORA_RES_INPUTS     every file that res/setup.rc reads, for its dependencies
# and the target lumora_setup_resources.
find_package(Python3 REQUIRED COMPONENTS Interpreter)

set(LUMORA_RES_BUILD_DIR ${CMAKE_BINARY_DIR}/res)
set(res_scripts ${CMAKE_SOURCE_DIR}/scripts)
file(GLOB res_artwork_library CONFIGURE_DEPENDS ${res_scripts}/artwork/*.py)

add_custom_command(
  OUTPUT ${LUMORA_RES_BUILD_DIR}/setup_icon.ico ${LUMORA_RES_BUILD_DIR}/setup_logo.bmp
  COMMAND ${CMAKE_COMMAND} -E make_directory ${LUMORA_RES_BUILD_DIR}
  COMMAND ${CMAKE_COMMAND} -E env PYTHONPATH=${res_scripts}
          ${Python3_EXECUTABLE} ${res_scripts}/make_setup_art.py
          ${LUMORA_RES_BUILD_DIR}/setup_icon.ico ${LUMORA_RES_BUILD_DIR}/setup_logo.bmp
  DEPENDS ${res_scripts}/make_setup_art.py ${res_artwork_library}
  COMMENT "Drawing the setup program's icon and logo"
  VERBATIM)

# The what's new page copies at most 10,239 units of the notes into its buffer.
add_custom_command(
  OUTPUT ${LUMORA_RES_BUILD_DIR}/release_notes_utf16.txt
  COMMAND ${CMAKE_COMMAND} -E make_directory ${LUMORA_RES_BUILD_DIR}
  COMMAND ${Python3_EXECUTABLE} ${res_scripts}/text_to_utf16.py
          ${CMAKE_SOURCE_DIR}/res/release_notes.txt ${LUMORA_RES_BUILD_DIR}/release_notes_utf16.txt
          --max-units 10239
  DEPENDS ${res_scripts}/text_to_utf16.py ${CMAKE_SOURCE_DIR}/res/release_notes.txt
  COMMENT "Converting the release notes to UTF-16"
  VERBATIM)

set(res_built
  ${LUMORA_RES_BUILD_DIR}/setup_icon.ico
  ${LUMORA_RES_BUILD_DIR}/setup_logo.bmp
  ${LUMORA_RES_BUILD_DIR}/release_notes_utf16.txt)
add_custom_target(lumora_setup_resources DEPENDS ${res_built})

# windres reports no included files to the build, so every input is listed here.
file(GLOB res_sources CONFIGURE_DEPENDS
  ${CMAKE_SOURCE_DIR}/res/*.h ${CMAKE_SOURCE_DIR}/res/*.rc ${CMAKE_SOURCE_DIR}/res/*.manifest)
set(LUMORA_RES_INPUTS ${res_sources} ${res_built})
