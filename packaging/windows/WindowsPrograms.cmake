# Windows programs of the cross build: each carries the manifest that makes its narrow strings
# UTF-8, and its version in the file's properties.
enable_language(RC)
set(PARVELIN_WINDOWS_RC ${CMAKE_BINARY_DIR}/generated/windows/program.rc)
set(PARVELIN_WINDOWS_MANIFEST ${CMAKE_CURRENT_LIST_DIR}/utf8.manifest)
string(REPLACE "." "," PARVELIN_VERSION_COMMAS ${PROJECT_VERSION})
configure_file(${CMAKE_CURRENT_LIST_DIR}/program.rc.in ${PARVELIN_WINDOWS_RC} @ONLY)

# parvelin_windows_program(TARGET): the manifest and version resource into TARGET.
function(parvelin_windows_program target)
  target_sources(${target} PRIVATE ${PARVELIN_WINDOWS_RC})
  set_property(SOURCE ${PARVELIN_WINDOWS_RC} APPEND PROPERTY OBJECT_DEPENDS
               ${PARVELIN_WINDOWS_MANIFEST})
endfunction()
