# Writes trovex_identity.nsh, the names the setup program shares with Trovex.exe,
# from the program's own headers, so that the two cannot drift apart:
#   TROVEX_TITLE           the title (folder, shortcut and Add/Remove Programs name)
#   TROVEX_SETTINGS_KEY    the settings key under HKEY_CURRENT_USER, without the leading "\"
#   TROVEX_SETTINGS_PARENT the key above it (the maker's), removed by the uninstaller when empty
#   TROVEX_MAKER           its last component, the publisher in Add/Remove Programs
#   TROVEX_UPDATEPATH      the name of the value that holds the program folder
#   TROVEX_VERSION         the program's version ("1.1.3.1"), shown by Add/Remove Programs
#   TrovexSettingDefaults  a macro that calls TrovexSettingString / TrovexSettingDword
#                          once per value the program reads, with its default
# Configuration stops when a header no longer has the expected form.
function(trovex_write_identity_nsh out exe_name)
  set(app "${CMAKE_SOURCE_DIR}/app")
  set(version_h "${CMAKE_SOURCE_DIR}/results/program_version.h")
  # The headers of the enums whose numbers the settings keep.
  set(enum_headers "${CMAKE_SOURCE_DIR}/results/exit_mode.h" "${CMAKE_SOURCE_DIR}/results/hit_snippet.h")
  set(headers "${app}/app_identity.h" "${app}/app_settings.h" "${CMAKE_SOURCE_DIR}/results/program_state.h"
              "${version_h}" ${enum_headers})
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${headers})
  file(READ "${app}/app_identity.h" identity)
  file(READ "${app}/app_settings.h" settings)
  file(READ "${CMAKE_SOURCE_DIR}/results/program_state.h" state)
  set(enums "")
  foreach(header IN LISTS enum_headers)
    file(READ "${header}" text)
    string(APPEND enums "${text}")
  endforeach()

  if(NOT identity MATCHES "kAppTitle = \"([^\"]+)\";")
    message(FATAL_ERROR "app/app_identity.h: kAppTitle not found")
  endif()
  set(title "${CMAKE_MATCH_1}")
  if(NOT identity MATCHES "kSettingsKey = \"([^\"]+)\";")
    message(FATAL_ERROR "app/app_identity.h: kSettingsKey not found")
  endif()
  # A C++ literal "\\Software\\..." is the key \Software\...; NSIS wants no leading "\".
  string(REPLACE "\\\\" "\\" key "${CMAKE_MATCH_1}")
  string(REGEX REPLACE "^\\\\" "" key "${key}")
  string(REGEX REPLACE "\\\\[^\\\\]+$" "" key_parent "${key}")
  string(REGEX REPLACE "^.*\\\\" "" maker "${key_parent}")
  if(NOT settings MATCHES "kUpdatePathValue = \"([^\"]+)\";")
    message(FATAL_ERROR "app/app_settings.h: kUpdatePathValue not found")
  endif()
  set(update_path "${CMAKE_MATCH_1}")
  file(READ "${version_h}" version_text)
  if(NOT version_text MATCHES "#define TROVEX_VERSION_TEXT \"([0-9]+\\.[0-9]+\\.[0-9]+\\.[0-9]+)\"")
    message(FATAL_ERROR "results/program_version.h: TROVEX_VERSION_TEXT not found")
  endif()
  set(version "${CMAKE_MATCH_1}")

  # The StoredSettings fields with their types and initial values.
  if(NOT state MATCHES "struct StoredSettings {([^}]*)}")
    message(FATAL_ERROR "results/program_state.h: struct StoredSettings not found")
  endif()
  set(fields "${CMAKE_MATCH_1}")

  set(defaults "")
  string(REGEX MATCHALL "{\"[^\"]+\", &StoredSettings::[A-Za-z0-9_]+}" entries "${settings}")
  foreach(entry IN LISTS entries)
    string(REGEX MATCH "{\"([^\"]+)\", &StoredSettings::([A-Za-z0-9_]+)}" _ "${entry}")
    set(name "${CMAKE_MATCH_1}")
    set(field "${CMAKE_MATCH_2}")
    if(fields MATCHES "(std::string|bool|std::int32_t) ${field}( = ([^;]+))?;")
      set(type "${CMAKE_MATCH_1}")
      set(initial "${CMAKE_MATCH_3}")
    elseif(fields MATCHES "([A-Za-z0-9_:]+) ${field} = ([A-Za-z0-9_:]+);")
      # A mode kept as its number: the enumerator's value from the enum's header.
      set(enum_name "${CMAKE_MATCH_1}")
      set(enumerator "${CMAKE_MATCH_2}")
      string(REGEX REPLACE "^.*::" "" enum_name "${enum_name}")
      string(REGEX REPLACE "^.*::" "" enumerator "${enumerator}")
      if(NOT enums MATCHES "enum class ${enum_name} [^{]*{[^}]*[ {]${enumerator} = (-?[0-9]+)")
        message(FATAL_ERROR "StoredSettings::${field}: ${enum_name}::${enumerator} has no number")
      endif()
      set(type "std::int32_t")
      set(initial "${CMAKE_MATCH_1}")
    else()
      message(FATAL_ERROR "results/program_state.h: StoredSettings::${field} has a type the setup program cannot store")
    endif()
    if(type STREQUAL "std::string")
      if(NOT initial STREQUAL "")
        message(FATAL_ERROR "StoredSettings::${field}: a string setting with an initial value")
      endif()
      string(APPEND defaults "  !insertmacro TrovexSettingString \"${name}\" \"\"\n")
    elseif(type STREQUAL "bool")
      if(initial STREQUAL "true")
        set(initial 1)
      elseif(initial STREQUAL "false" OR initial STREQUAL "")
        set(initial 0)
      else()
        message(FATAL_ERROR "StoredSettings::${field}: initial value ${initial}")
      endif()
      string(APPEND defaults "  !insertmacro TrovexSettingDword \"${name}\" ${initial}\n")
    else()
      if(initial STREQUAL "")
        set(initial 0)
      elseif(NOT initial MATCHES "^-?[0-9]+$")
        message(FATAL_ERROR "StoredSettings::${field}: initial value ${initial}")
      endif()
      string(APPEND defaults "  !insertmacro TrovexSettingDword \"${name}\" ${initial}\n")
    endif()
    list(APPEND names "${name}")
  endforeach()
  list(LENGTH names count)
  if(count EQUAL 0)
    message(FATAL_ERROR "app/app_settings.h: no entries in kSettingValues")
  endif()
  foreach(text IN ITEMS "${title}" "${key}" "${update_path}" ${names})
    if(text MATCHES "[\"$`]")
      message(FATAL_ERROR "the name ${text} needs quoting in NSIS")
    endif()
  endforeach()

  file(GENERATE OUTPUT "${out}" CONTENT
"; Generated by installer/identity.cmake from app/app_identity.h, app/app_settings.h,
; results/program_state.h and results/program_version.h. Do not edit.
!define TROVEX_TITLE \"${title}\"
!define TROVEX_SETTINGS_KEY \"${key}\"
!define TROVEX_SETTINGS_PARENT \"${key_parent}\"
!define TROVEX_MAKER \"${maker}\"
!define TROVEX_UPDATEPATH \"${update_path}\"
!define TROVEX_VERSION \"${version}\"
!define TROVEX_EXE \"${exe_name}\"
!macro TrovexSettingDefaults
${defaults}!macroend
")
endfunction()
