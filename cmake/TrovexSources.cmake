# Source folders register their files here; the top-level CMakeLists builds the
# libraries from these lists once every folder has been read.
#   CORE        portable core, both builds
#   CORE_WIN    core code that talks to Win32 (Windows build only)
#   CORE_POSIX  core code that talks to POSIX (native build only)
#   GUI         windows and Windows-only services (Windows build only)
#   APP_MAIN    the entry point of Trovex.exe
function(trovex_sources kind)
  foreach(file IN LISTS ARGN)
    get_filename_component(abs "${file}" ABSOLUTE)
    set_property(GLOBAL APPEND PROPERTY TROVEX_${kind}_SOURCES "${abs}")
  endforeach()
endfunction()

function(trovex_get_sources kind out)
  get_property(list GLOBAL PROPERTY TROVEX_${kind}_SOURCES)
  set(${out} ${list} PARENT_SCOPE)
endfunction()
