; The registry entries of the setup program: the App Paths entry the program
; reads to repair its desktop shortcut, the settings key it requires at start,
; and the Add/Remove Programs entry.
!define TROVEX_APP_PATHS_KEY "Software\Microsoft\Windows\CurrentVersion\App Paths\${TROVEX_EXE}"
!define TROVEX_UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${TROVEX_TITLE}"

; The program joins "Path" and its file name as they stand: "Path" ends in "\".
!macro TrovexWriteAppPaths
  WriteRegStr HKLM "${TROVEX_APP_PATHS_KEY}" "" "$INSTDIR\${TROVEX_EXE}"
  WriteRegStr HKLM "${TROVEX_APP_PATHS_KEY}" "Path" "$INSTDIR\"
!macroend

; A setting keeps what the user has (an upgrade changes nothing); a missing one,
; or one of another registry type (which the program would refuse to read), gets
; its default.
!macro TrovexSettingString name value
  ClearErrors
  ReadRegStr $0 HKCU "${TROVEX_SETTINGS_KEY}" "${name}"
  ${If} ${Errors}
    WriteRegStr HKCU "${TROVEX_SETTINGS_KEY}" "${name}" "${value}"
  ${EndIf}
!macroend
!macro TrovexSettingDword name value
  ClearErrors
  ReadRegDWORD $0 HKCU "${TROVEX_SETTINGS_KEY}" "${name}"
  ${If} ${Errors}
    WriteRegDWORD HKCU "${TROVEX_SETTINGS_KEY}" "${name}" ${value}
  ${EndIf}
!macroend

; The settings key with every value the program reads, and the program folder for
; an update tool (always the folder just installed).
!macro TrovexWriteSettings
  WriteRegStr HKCU "${TROVEX_SETTINGS_KEY}" "${TROVEX_UPDATEPATH}" "$INSTDIR\"
  !insertmacro TrovexSettingDefaults
!macroend

!macro TrovexWriteUninstallEntry
  WriteRegStr HKLM "${TROVEX_UNINSTALL_KEY}" "DisplayName" "${TROVEX_TITLE}"
  WriteRegStr HKLM "${TROVEX_UNINSTALL_KEY}" "Publisher" "${TROVEX_MAKER}"
  WriteRegStr HKLM "${TROVEX_UNINSTALL_KEY}" "DisplayVersion" "${TROVEX_VERSION}"
  WriteRegStr HKLM "${TROVEX_UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${TROVEX_EXE},0"
  WriteRegStr HKLM "${TROVEX_UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${TROVEX_UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${TROVEX_UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${TROVEX_UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${TROVEX_UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  IntFmt $0 "0x%08X" $0
  WriteRegDWORD HKLM "${TROVEX_UNINSTALL_KEY}" "EstimatedSize" "$0"
!macroend

!macro TrovexRemoveRegistry
  DeleteRegKey HKLM "${TROVEX_APP_PATHS_KEY}"
  DeleteRegKey HKLM "${TROVEX_UNINSTALL_KEY}"
  DeleteRegKey HKCU "${TROVEX_SETTINGS_KEY}"
  DeleteRegKey /ifempty HKCU "${TROVEX_SETTINGS_PARENT}"
!macroend
