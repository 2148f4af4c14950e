# Windows programs of the cross build: each carries the manifest that makes its narrow strings
# UTF-8, and its version in the file's properties; the clerk's programs carry the icon too.
enable_language(RC)
set(PARVELIN_WINDOWS_RC ${CMAKE_BINARY_DIR}/generated/windows/program.rc)
set(PARVELIN_WINDOWS_MANIFEST ${CMAKE_CURRENT_LIST_DIR}/utf8.manifest)
string(REPLACE "." "," PARVELIN_VERSION_COMMAS ${PROJECT_VERSION})
configure_file(${CMAKE_CURRENT_LIST_DIR}/program.rc.in ${PARVELIN_WINDOWS_RC} @ONLY)

# The icon, made at build time from the artwork's PNGs so that it never falls behind them: the
# drawn sizes as they are, 32 and 16 pixels (the Start menu's and a window's caption) scaled
# from the 64-pixel drawing. Without date chunks, so that a rebuild makes the same bytes.
find_program(PARVELIN_CONVERT convert REQUIRED)
set(PARVELIN_WINDOWS_ICON ${CMAKE_BINARY_DIR}/generated/windows/parvelin.ico)
set(drawn ${CMAKE_SOURCE_DIR}/resources/icons/hicolor)
set(drawn_sizes 256 128 64 48)
set(drawn_pngs)
foreach(size ${drawn_sizes})
  list(APPEND drawn_pngs ${drawn}/${size}x${size}/apps/parvelin.png)
endforeach()
add_custom_command(OUTPUT ${PARVELIN_WINDOWS_ICON}
  COMMAND ${PARVELIN_CONVERT} ${drawn_pngs}
          ( ${drawn}/64x64/apps/parvelin.png -resize 32x32 )
          ( ${drawn}/64x64/apps/parvelin.png -resize 16x16 )
          -define png:exclude-chunks=date,time ${PARVELIN_WINDOWS_ICON}
  DEPENDS ${drawn_pngs}
  COMMENT "Making the program's icon"
  VERBATIM)
add_custom_target(parvelin-windows-icon DEPENDS ${PARVELIN_WINDOWS_ICON})
# IDI_ICON1: the name Qt's windows take their icon by; Explorer shows the first icon of a program.
set(PARVELIN_WINDOWS_ICON_RC ${CMAKE_BINARY_DIR}/generated/windows/icon.rc)
file(CONFIGURE OUTPUT ${PARVELIN_WINDOWS_ICON_RC}
  CONTENT "IDI_ICON1 ICON \"@PARVELIN_WINDOWS_ICON@\"\n" @ONLY)

# parvelin_windows_program(TARGET [ICON]): the manifest and version resource into TARGET, and
# with ICON the program's icon.
function(parvelin_windows_program target)
  cmake_parse_arguments(arg "ICON" "" "" ${ARGN})
  target_sources(${target} PRIVATE ${PARVELIN_WINDOWS_RC})
  set_property(SOURCE ${PARVELIN_WINDOWS_RC} APPEND PROPERTY OBJECT_DEPENDS
               ${PARVELIN_WINDOWS_MANIFEST})
  if(arg_ICON)
    target_sources(${target} PRIVATE ${PARVELIN_WINDOWS_ICON_RC})
    set_property(SOURCE ${PARVELIN_WINDOWS_ICON_RC} APPEND PROPERTY OBJECT_DEPENDS
                 ${PARVELIN_WINDOWS_ICON})
    add_dependencies(${target} parvelin-windows-icon)
  endif()
endfunction()
