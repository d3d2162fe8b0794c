# The stand-in product: a small viewer and uninstaller, resource-only plug-in DLLs
# padded with pseudo-random filler to a realistic weight, drawn toolbar skins and the
# documents of files/. Everything built lands in the stage folder under its entry
# name; every build step is deterministic, so two builds pack the same archive.
# Sets LUMORA_STANDIN_STAGE and LUMORA_STANDIN_OUTPUTS (everything the archive needs).
find_program(LUMORA_LD_X64 x86_64-w64-mingw32-ld REQUIRED)
find_program(LUMORA_LD_X86 i686-w64-mingw32-ld REQUIRED)

set(stage ${CMAKE_CURRENT_BINARY_DIR}/stage)
set(art ${CMAKE_CURRENT_BINARY_DIR}/art)
set(script_path ${CMAKE_SOURCE_DIR}/scripts)
file(GLOB artwork_library CONFIGURE_DEPENDS ${script_path}/artwork/*.py)
file(GLOB_RECURSE documents CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/files/*)
set(outputs ${documents})

# Artwork: the viewer's thirteen icon groups and the four toolbar skins.
set(viewer_icons)
foreach(index RANGE 12)
  string(LENGTH "${index}" digits)
  if(digits EQUAL 1)
    set(index "0${index}")
  endif()
  list(APPEND viewer_icons ${art}/viewer_${index}.ico)
endforeach()
add_custom_command(OUTPUT ${viewer_icons}
  COMMAND ${CMAKE_COMMAND} -E env PYTHONPATH=${script_path}
          ${Python3_EXECUTABLE} ${CMAKE_CURRENT_SOURCE_DIR}/art/make_viewer_icons.py ${art}
  DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/art/make_viewer_icons.py ${artwork_library}
  COMMENT "Drawing the stand-in viewer's icons"
  VERBATIM)
add_custom_target(lumora_standin_icons DEPENDS ${viewer_icons})

set(skins gnome-colors-human_48.png gnome-colors-wise_32.png Granite_24.png Pebble_16.png)
list(TRANSFORM skins PREPEND ${stage}/Toolbars/)
add_custom_command(OUTPUT ${skins}
  COMMAND ${CMAKE_COMMAND} -E env PYTHONPATH=${script_path}
          ${Python3_EXECUTABLE} ${CMAKE_CURRENT_SOURCE_DIR}/art/make_toolbar_skins.py ${stage}/Toolbars
  DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/art/make_toolbar_skins.py ${artwork_library}
  COMMENT "Drawing the stand-in toolbar skins"
  VERBATIM)
list(APPEND outputs ${skins})

# Programs: static GUI executables with a zero link timestamp.
set(program_link_options -static -municode -mwindows -s -Wl,--no-insert-timestamp)

add_executable(lumora_standin_viewer WIN32 viewer/viewer.c viewer/viewer.rc)
set_target_properties(lumora_standin_viewer PROPERTIES OUTPUT_NAME l_mora64 RUNTIME_OUTPUT_DIRECTORY ${stage})
target_compile_definitions(lumora_standin_viewer PRIVATE UNICODE _UNICODE)
target_compile_options(lumora_standin_viewer PRIVATE
  $<$<COMPILE_LANGUAGE:C>:-municode -Wall -Wextra> $<$<COMPILE_LANGUAGE:RC>:-I${art}>)
target_link_options(lumora_standin_viewer PRIVATE ${program_link_options})
target_link_libraries(lumora_standin_viewer PRIVATE shell32 user32 gdi32)
set_property(SOURCE viewer/viewer.rc APPEND PROPERTY OBJECT_DEPENDS
  ${viewer_icons} ${CMAKE_CURRENT_SOURCE_DIR}/viewer/viewer_resources.h)
add_dependencies(lumora_standin_viewer lumora_standin_icons)

add_executable(lumora_standin_uninstaller WIN32 uninstaller/uninstaller.c)
set_target_properties(lumora_standin_uninstaller PROPERTIES OUTPUT_NAME lm_uninstall RUNTIME_OUTPUT_DIRECTORY ${stage})
target_compile_options(lumora_standin_uninstaller PRIVATE -municode -Wall -Wextra)
target_link_options(lumora_standin_uninstaller PRIVATE ${program_link_options})

list(APPEND outputs $<TARGET_FILE:lumora_standin_viewer> $<TARGET_FILE:lumora_standin_uninstaller>)

# Plug-ins: resource-only DLLs of exact sizes. The icon library's version, size and
# publisher are the ones the installer's icon library rule compares with.
set(build_dll ${script_path}/build_resource_dll.py)
function(lumora_standin_library entry machine size file_version product_version description)
  if(machine STREQUAL "x86")
    set(linker ${LUMORA_LD_X86})
  else()
    set(linker ${LUMORA_LD_X64})
  endif()
  get_filename_component(name ${entry} NAME)
  string(MAKE_C_IDENTIFIER ${entry} work)
  add_custom_command(OUTPUT ${stage}/${entry}
    COMMAND ${Python3_EXECUTABLE} ${build_dll}
            --windres ${CMAKE_RC_COMPILER} --linker ${linker} --machine ${machine}
            --output ${stage}/${entry} --work-dir ${CMAKE_CURRENT_BINARY_DIR}/dll/${work}
            --size ${size} --file-version ${file_version} --product-version ${product_version}
            --company Dravenko --product-name Lumora --description ${description}
            --copyright "Copyright (C) Dravenko" --seed ${entry}
    DEPENDS ${build_dll} ${script_path}/pe_image.py
    COMMENT "Building the stand-in ${entry}"
    VERBATIM)
  set(outputs ${outputs} ${stage}/${entry} PARENT_SCOPE)
endfunction()

lumora_standin_library(Plugins/Icons.dll x64 226816 4.3.0.1 4.3 "Lumora icon library")
foreach(plugin IN ITEMS
    "Formats|696320|Lumora additional formats"
    "RawCamera|446464|Lumora camera raw files"
    "Vector|274432|Lumora vector graphics"
    "Effects|331776|Lumora effects and filters"
    "Metadata|206848|Lumora metadata editor")
  string(REPLACE "|" ";" fields "${plugin}")
  list(GET fields 0 name)
  list(GET fields 1 size)
  list(GET fields 2 description)
  lumora_standin_library(Plugins/${name}.dll x64 ${size} 4.72.0.0 4.72 "${description}")
  # The 32-bit builds are a little smaller, as compiled code for x86 is.
  math(EXPR size32 "${size} * 7 / 8 / 512 * 512")
  lumora_standin_library(Plugins/Plugins32/${name}.dll x86 ${size32} 4.72.0.0 4.72 "${description} (32-bit)")
endforeach()

set(LUMORA_STANDIN_STAGE ${stage})
set(LUMORA_STANDIN_OUTPUTS ${outputs})
