# GCC 12's <chrono> spells the microsecond suffix as "\u00b5s", which CP932
# cannot encode, so any file including <chrono> fails under -fexec-charset=CP932.
# We put a copy of the compiler's own header first on the include path, with
# that one literal spelled "us". Nothing else in it changes.
file(WRITE "${CMAKE_BINARY_DIR}/cp932-compat/probe.cpp" "#include <chrono>\n")
execute_process(
  COMMAND ${CMAKE_CXX_COMPILER} -std=c++20 -M -x c++ "${CMAKE_BINARY_DIR}/cp932-compat/probe.cpp"
  OUTPUT_VARIABLE probe_out ERROR_QUIET)
string(REGEX MATCH "[ \t\n]([^ \t\n]*/chrono)[ \t\n]" chrono_line "${probe_out}")
if(CMAKE_MATCH_1 AND EXISTS "${CMAKE_MATCH_1}")
  file(READ "${CMAKE_MATCH_1}" chrono_text)
  string(FIND "${chrono_text}" "\\u00b5s" micro_at)
  if(NOT micro_at EQUAL -1)
    string(REPLACE "\"\\u00b5s\"" "\"us\"" chrono_text "${chrono_text}")
    # Replaced only when it changes: a rewrite at every configure would rebuild
    # (and relink) everything that includes <chrono>.
    file(WRITE "${CMAKE_BINARY_DIR}/cp932-compat/chrono.new" "${chrono_text}")
    file(MAKE_DIRECTORY "${CMAKE_BINARY_DIR}/cp932-compat/include")
    file(COPY_FILE "${CMAKE_BINARY_DIR}/cp932-compat/chrono.new"
         "${CMAKE_BINARY_DIR}/cp932-compat/include/chrono" ONLY_IF_DIFFERENT)
    include_directories(BEFORE SYSTEM "${CMAKE_BINARY_DIR}/cp932-compat/include")
  endif()
else()
  message(WARNING "Could not locate the compiler's <chrono>; files including it may not build with CP932 literals.")
endif()
