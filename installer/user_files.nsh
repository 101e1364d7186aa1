; The users' own files in the shared "data" folder: one folder per user
; (data\<user name>\) holding history files "*.txd" and the error log
; "errlog.txt", and older ones still directly in data\.

; The empty data\errlog.txt the setup program installed, when no user has taken
; it yet: it holds nothing of anyone's, so it goes with the program.
Function un.RemoveUntakenErrorLog
  ClearErrors
  FileOpen $0 "$INSTDIR\data\errlog.txt" r
  ${IfNot} ${Errors}
    FileSeek $0 0 END $1
    FileClose $0
    ${If} $1 == 0
      Delete "$INSTDIR\data\errlog.txt"
    ${EndIf}
  ${EndIf}
FunctionEnd

; Pushes 1 when data\ or a user folder in it holds a history file or an error log, else 0.
Function un.UserFilesPresent
  Push $R0
  Push $R1
  StrCpy $R1 0
  ${If} ${FileExists} "$INSTDIR\data\*.txd"
  ${OrIf} ${FileExists} "$INSTDIR\data\errlog.txt"
    StrCpy $R1 1
  ${EndIf}
  FindFirst $0 $R0 "$INSTDIR\data\*"
  ${DoWhile} $R0 != ""
    ${If} $R0 != "."
    ${AndIf} $R0 != ".."
    ${AndIf} ${FileExists} "$INSTDIR\data\$R0\*.*"
      ${If} ${FileExists} "$INSTDIR\data\$R0\*.txd"
      ${OrIf} ${FileExists} "$INSTDIR\data\$R0\errlog.txt"
        StrCpy $R1 1
      ${EndIf}
    ${EndIf}
    FindNext $0 $R0
  ${Loop}
  FindClose $0
  StrCpy $0 $R1
  Pop $R1
  Pop $R0
  Push $0
FunctionEnd

; Removes the user folders that are empty, then data\ when it is empty.
Function un.RemoveEmptyDataFolders
  Push $R0
  FindFirst $0 $R0 "$INSTDIR\data\*"
  ${DoWhile} $R0 != ""
    ${If} $R0 != "."
    ${AndIf} $R0 != ".."
      RMDir "$INSTDIR\data\$R0"
    ${EndIf}
    FindNext $0 $R0
  ${Loop}
  FindClose $0
  RMDir "$INSTDIR\data"
  Pop $R0
FunctionEnd
