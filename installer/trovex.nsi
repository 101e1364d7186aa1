; The setup program of Trovex β: TrovexSetup.exe.
; Built by the CMake target "installer" (installer/CMakeLists.txt), which passes
;   TROVEX_IDENTITY  the generated trovex_identity.nsh (names shared with the program)
;   TROVEX_PROGRAM   the built Trovex.exe
;   TROVEX_OUT       the setup program to write
; "/S" installs silently into the default folder ("/D=folder" chooses another).
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin
ManifestDPIAware true

!include "${TROVEX_IDENTITY}"
!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include "registry.nsh"
!include "user_files.nsh"

Name "${TROVEX_TITLE}"
OutFile "${TROVEX_OUT}"
InstallDir "$PROGRAMFILES64\${TROVEX_TITLE}"
InstallDirRegKey HKLM "${TROVEX_UNINSTALL_KEY}" "InstallLocation"
BrandingText "${TROVEX_TITLE}"
; The setup program's own file properties carry the program's version.
VIProductVersion "${TROVEX_VERSION}"
VIFileVersion "${TROVEX_VERSION}"
VIAddVersionKey /LANG=0 "ProductName" "${TROVEX_TITLE}"
VIAddVersionKey /LANG=0 "CompanyName" "${TROVEX_MAKER}"
VIAddVersionKey /LANG=0 "LegalCopyright" "${TROVEX_MAKER}"
VIAddVersionKey /LANG=0 "FileDescription" "${TROVEX_TITLE} Setup"
VIAddVersionKey /LANG=0 "FileVersion" "${TROVEX_VERSION}"
VIAddVersionKey /LANG=0 "ProductVersion" "${TROVEX_VERSION}"
ShowInstDetails show
ShowUninstDetails show

!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\${TROVEX_EXE}"
!define MUI_FINISHPAGE_RUN_TEXT "${TROVEX_TITLE} を起動する"
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Japanese"

; A running program keeps its executable open and would be half replaced or half
; removed: both directions stop while its single-instance mutex exists.
!macro TrovexRefuseWhileRunning
  System::Call 'kernel32::OpenMutexW(i 0x00100000, i 0, w "${TROVEX_TITLE}") p .r0'
  ${If} $0 P<> 0
    System::Call 'kernel32::CloseHandle(p r0)'
    MessageBox MB_OK|MB_ICONEXCLAMATION "${TROVEX_TITLE} が実行中です。終了してから、もう一度実行して下さい。" /SD IDOK
    SetErrorLevel 2
    Quit
  ${EndIf}
!macroend

Function .onInit
  SetShellVarContext current
  !insertmacro TrovexRefuseWhileRunning
FunctionEnd

Function un.onInit
  SetShellVarContext current
  !insertmacro TrovexRefuseWhileRunning
FunctionEnd

Section "${TROVEX_TITLE}" SecProgram
  SectionIn RO
  SetOutPath "$INSTDIR"
  File "/oname=${TROVEX_EXE}" "${TROVEX_PROGRAM}"
  SetOutPath "$INSTDIR\Help"
  File "/oname=TrovexBeta.html" "${TROVEX_HELP}"
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  ; The shared "data" folder: every user's history files and error log live in a
  ; folder of their own inside it, which the program makes at its first start, so
  ; users need to be able to write here.
  CreateDirectory "$INSTDIR\data"
  nsExec::Exec '"$SYSDIR\icacls.exe" "$INSTDIR\data" /grant *S-1-5-32-545:(OI)(CI)M'
  Pop $0
  ; The program keeps an error log only where its file exists and never makes one:
  ; this empty log moves into the folder of the first user who starts it.
  ${IfNot} ${FileExists} "$INSTDIR\data\errlog.txt"
    FileOpen $0 "$INSTDIR\data\errlog.txt" w
    FileClose $0
  ${EndIf}

  !insertmacro TrovexWriteAppPaths
  !insertmacro TrovexWriteSettings
  !insertmacro TrovexWriteUninstallEntry

  ; The program checks the desktop shortcut named after its title at every start.
  CreateShortcut "$DESKTOP\${TROVEX_TITLE}.lnk" "$INSTDIR\${TROVEX_EXE}" "" "$INSTDIR\${TROVEX_EXE}" 0
  CreateShortcut "$SMPROGRAMS\${TROVEX_TITLE}.lnk" "$INSTDIR\${TROVEX_EXE}" "" "$INSTDIR\${TROVEX_EXE}" 0
SectionEnd

; The uninstaller runs from a copy of itself in the temporary folder, started by
; uninstall.exe just before it exits: until that process has ended its file cannot
; be deleted. Tries again for up to 10 s instead of leaving it behind.
Function un.DeleteUninstaller
  StrCpy $1 0
  try_again:
    Delete "$INSTDIR\uninstall.exe"
    IfFileExists "$INSTDIR\uninstall.exe" 0 deleted
    IntOp $1 $1 + 1
    IntCmp $1 40 deleted
    Sleep 250
    Goto try_again
  deleted:
FunctionEnd

Section "Uninstall"
  Delete "$INSTDIR\${TROVEX_EXE}"
  Delete "$INSTDIR\Help\TrovexBeta.html"
  RMDir "$INSTDIR\Help"
  Call un.DeleteUninstaller
  Delete "$DESKTOP\${TROVEX_TITLE}.lnk"
  Delete "$SMPROGRAMS\${TROVEX_TITLE}.lnk"
  !insertmacro TrovexRemoveRegistry

  ; History files and error logs are the users' own: removed only when the user
  ; says so (a silent uninstall keeps them).
  Call un.RemoveUntakenErrorLog
  Call un.UserFilesPresent
  Pop $0
  ${If} $0 == 1
    MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 \
      "検索履歴ファイルとエラーログが残っています。$\n$INSTDIR\data$\n$\nこれらも削除しますか？（「いいえ」で残します）" \
      /SD IDNO IDNO keep_user_files
    RMDir /r "$INSTDIR\data"
    keep_user_files:
  ${Else}
    Call un.RemoveEmptyDataFolders
  ${EndIf}
  RMDir "$INSTDIR"
SectionEnd
