; Kovar Launcher's installer for 64-bit Windows, for every user of the machine: the program, its
; start script, default settings and sample maps in Program Files\Kovar Launcher, a shortcut in the
; Start menu of all users, and an entry in the list of installed programs. Silent with /S.
;
; makensis is given, with -D: VERSION (0.01), VERSION4 (the same as four numbers), PROGRAM (the
; stripped program, built for the system layout), DIST (the folder of auto.kvx and the default
; settings), ICON, MAPS and UNMAPS (includes that install and remove the sample maps one by one)
; and OUTFILE.
;
; It never leaves the machine without a whole installation: the new files are put in place first,
; all of them; only then is an earlier version in another folder removed, by its own uninstaller,
; and the entry and shortcut made to name the new folder. Into the folder of the earlier version,
; the new files replace the old in place. A file that cannot be put in place stops the
; installation, naming the file and the system's reason in a box and in the log file
; %TEMP%\Kovar Launcher Setup.log (a silent run ends with exit code 2), and the files this run
; created are removed again, so the earlier installation stays as it was.

; A 64-bit program itself: Program Files and the registry it writes are the 64-bit ones.
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin
; A file that cannot be written is not asked about: the installation stops with its reason.
SetOverwrite try
ManifestDPIAware true
; The files carry no time of their own: the same commit makes the same installer, whenever built.
SetDateSave off

!include LogicLib.nsh
!include FileFunc.nsh
!include MUI2.nsh

!define PRODUCT "Kovar Launcher"
!define PUBLISHER "Velmont"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
!define UNINSTALLER "Uninstall.exe"
!define LOG "$TEMP\${PRODUCT} Setup.log"

Var Log
; The files and folders this run created, one a line, for removing them again on a failure.
Var Created
Var Earlier

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${PRODUCT}"
; A newer version goes where the earlier one is.
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

VIProductVersion "${VERSION4}"
VIFileVersion "${VERSION4}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileDescription" "${PRODUCT} ${VERSION} Setup"
VIAddVersionKey /LANG=${LANG_ENGLISH} "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "LegalCopyright" "2026 ${PUBLISHER} and the ${PRODUCT} developers"

; Installing for every user writes into Program Files and HKLM: a standard user is told so, and a
; silent run ends with the code that asks for elevation (740) instead of failing half-way.
!macro RequireAdministrator
  UserInfo::GetAccountType
  Pop $0
  ${If} $0 != "Admin"
    MessageBox MB_OK|MB_ICONSTOP "${PRODUCT} is installed for every user of this computer: run $(^Name) Setup as an administrator." /SD IDOK
    SetErrorLevel 740
    Quit
  ${EndIf}
!macroend

; Windows refuses to replace or delete a running program: while the launcher runs from FOLDER, the
; player is asked to close it (a silent run stops), before anything is removed, so that an upgrade
; or removal never stops half-way with the entry already gone.
!macro RefuseWhileRunning FOLDER
  !define RETRY_LABEL retry_${__LINE__}
  ${RETRY_LABEL}:
  ${If} ${FileExists} "${FOLDER}\kovar-launcher.exe"
    ClearErrors
    FileOpen $R0 "${FOLDER}\kovar-launcher.exe" a
    ${If} ${Errors}
      MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "${PRODUCT} is running from ${FOLDER}: close it, then choose Retry." /SD IDCANCEL IDRETRY ${RETRY_LABEL}
      FileWriteUTF16LE $Log "${PRODUCT} is running from ${FOLDER}; nothing was changed.$\r$\n"
      Abort "${PRODUCT} is running from ${FOLDER}; nothing was changed."
    ${EndIf}
    FileClose $R0
  ${EndIf}
  !undef RETRY_LABEL
!macroend

; Writes a line to the log file and to the installation's details.
!macro Log TEXT
  DetailPrint "${TEXT}"
  FileWriteUTF16LE $Log "${TEXT}$\r$\n"
!macroend

; $R0: the system's message for the error code $R0, without its line end and full stop.
Function ErrorText
  System::Call 'kernel32::FormatMessageW(i 0x1200, p 0, i R0, i 0, w .R8, i ${NSIS_MAX_STRLEN}, p 0) i .R9'
  ${If} $R9 = 0
    StrCpy $R0 "error $R0"
    Return
  ${EndIf}
  ${Do}
    StrCpy $R9 $R8 1 -1
    ${If} $R9 == "$\r"
    ${OrIf} $R9 == "$\n"
    ${OrIf} $R9 == "."
    ${OrIf} $R9 == " "
      StrCpy $R8 $R8 -1
    ${Else}
      ${Break}
    ${EndIf}
  ${Loop}
  StrCpy $R0 $R8
FunctionEnd

; $R0: why the file $R0 cannot be written, as the system says when it is opened for writing.
Function WriteError
  System::Call 'kernel32::CreateFileW(w R0, i 0x40000000, i 1, p 0, i 4, i 0x80, p 0) p .R7 ?e'
  Pop $R0
  ${If} $R7 P<> -1
    System::Call 'kernel32::CloseHandle(p R7)'
    StrCpy $R0 "the system did not say why"
  ${Else}
    Call ErrorText
  ${EndIf}
FunctionEnd

; Removes what this run created (files, then folders that are left empty).
Function RemoveCreated
  FileClose $Created
  FileOpen $Created "$PLUGINSDIR\created.txt" r
  ${Do}
    FileReadUTF16LE $Created $R6
    ${If} $R6 == ""
      ${Break}
    ${EndIf}
    StrCpy $R6 $R6 -2
    Delete "$R6"
  ${Loop}
  FileClose $Created
  RMDir "$INSTDIR\data"
  RMDir "$INSTDIR"
FunctionEnd

; Stops the installation: $R0 is the file that failed, $R1 what was done with it.
Function Fail
  Push $R0
  Call WriteError
  StrCpy $R2 $R0
  Pop $R0
  !insertmacro Log "Could not $R1 $\"$R0$\": $R2."
  Call RemoveCreated
  !insertmacro Log "Nothing was installed; an earlier installation was left as it was."
  MessageBox MB_OK|MB_ICONSTOP "Could not $R1 $\"$R0$\": $R2.$\r$\n$\r$\nNothing was installed; an earlier installation was left as it was." /SD IDOK
  SetErrorLevel 2
  Abort
FunctionEnd

; Puts the file SOURCE in place as NAME, a path within the installation folder, and notes it as
; created when it was not there before.
!macro PutFile SOURCE NAME
  ${IfNot} ${FileExists} "$INSTDIR\${NAME}"
    FileWriteUTF16LE $Created "$INSTDIR\${NAME}$\r$\n"
  ${EndIf}
  ClearErrors
  File "/oname=$INSTDIR\${NAME}" "${SOURCE}"
  ${If} ${Errors}
    StrCpy $R0 "$INSTDIR\${NAME}"
    StrCpy $R1 "write"
    Call Fail
  ${EndIf}
!macroend

; Makes the folder $R0 (noted as created when it was not there before) and enters it.
Function MakeFolder
  ${IfNot} ${FileExists} "$R0\*.*"
    FileWriteUTF16LE $Created "$R0$\r$\n"
  ${EndIf}
  ClearErrors
  CreateDirectory "$R0"
  ${If} ${Errors}
  ${OrIfNot} ${FileExists} "$R0\*.*"
    System::Call 'kernel32::CreateDirectoryW(w R0, p 0) i .R1 ?e'
    Pop $R2
    Push $R0
    StrCpy $R0 $R2
    Call ErrorText
    StrCpy $R2 $R0
    Pop $R0
    !insertmacro Log "Could not make the folder $\"$R0$\": $R2."
    Call RemoveCreated
    MessageBox MB_OK|MB_ICONSTOP "Could not make the folder $\"$R0$\": $R2.$\r$\n$\r$\nNothing was installed; an earlier installation was left as it was." /SD IDOK
    SetErrorLevel 2
    Abort
  ${EndIf}
FunctionEnd

Function .onInit
  SetShellVarContext all
  FileOpen $Log "${LOG}" w
  FileWriteWord $Log 0xFEFF
  !insertmacro Log "${PRODUCT} ${VERSION} Setup"
  !insertmacro RequireAdministrator
FunctionEnd

Function un.onInit
  SetShellVarContext all
  !insertmacro RequireAdministrator
FunctionEnd

Section
  !insertmacro Log "Installing into $INSTDIR"
  !insertmacro RefuseWhileRunning "$INSTDIR"
  ReadRegStr $Earlier HKLM "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $Earlier == $INSTDIR
  ${OrIfNot} ${FileExists} "$Earlier\${UNINSTALLER}"
    StrCpy $Earlier ""
  ${EndIf}
  ${If} $Earlier != ""
    !insertmacro RefuseWhileRunning "$Earlier"
  ${EndIf}

  ; Every new file first.
  InitPluginsDir
  FileOpen $Created "$PLUGINSDIR\created.txt" w
  StrCpy $R0 "$INSTDIR"
  Call MakeFolder
  StrCpy $R0 "$INSTDIR\data"
  Call MakeFolder
  SetOutPath "$INSTDIR"
  !insertmacro PutFile "${PROGRAM}" "kovar-launcher.exe"
  !insertmacro PutFile "${DIST}/auto.kvx" "auto.kvx"
  !insertmacro PutFile "${DIST}/config.kvx" "config.kvx"
  !insertmacro PutFile "${DIST}/settings.kvx" "settings.kvx"
  !include "${MAPS}"
  ${IfNot} ${FileExists} "$INSTDIR\${UNINSTALLER}"
    FileWriteUTF16LE $Created "$INSTDIR\${UNINSTALLER}$\r$\n"
  ${EndIf}
  ClearErrors
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"
  ${If} ${Errors}
    StrCpy $R0 "$INSTDIR\${UNINSTALLER}"
    StrCpy $R1 "write"
    Call Fail
  ${EndIf}
  FileClose $Created
  !insertmacro Log "Put every file in place."

  ; Only now the earlier version in another folder goes, by its own uninstaller, waited for.
  ${If} $Earlier != ""
    !insertmacro Log "Removing the earlier version in $Earlier"
    ClearErrors
    ExecWait '"$Earlier\${UNINSTALLER}" /S _?=$Earlier' $0
    ${If} ${Errors}
    ${OrIf} $0 != 0
      !insertmacro Log "The earlier version in $Earlier could not be removed (its uninstaller ended with $0): remove that folder by hand."
      MessageBox MB_OK|MB_ICONEXCLAMATION "${PRODUCT} ${VERSION} is installed in $INSTDIR, but the earlier version in $Earlier could not be removed (its uninstaller ended with $0): remove that folder by hand." /SD IDOK
    ${Else}
      Delete "$Earlier\${UNINSTALLER}"
      RMDir "$Earlier"
    ${EndIf}
  ${EndIf}

  ClearErrors
  CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\kovar-launcher.exe" "" \
    "$INSTDIR\kovar-launcher.exe" 0
  ${If} ${Errors}
    !insertmacro Log "Could not make the Start menu shortcut $\"$SMPROGRAMS\${PRODUCT}.lnk$\"."
    SetErrorLevel 2
  ${EndIf}
  ClearErrors
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\kovar-launcher.exe,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
  ${If} ${Errors}
    !insertmacro Log "Could not write the entry HKLM\${UNINSTALL_KEY} of the installed programs."
    SetErrorLevel 2
  ${EndIf}
  !insertmacro Log "Installed ${PRODUCT} ${VERSION} in $INSTDIR."
SectionEnd

Function .onGUIEnd
  FileClose $Log
FunctionEnd

; Removes what the installer put there, file by file: a folder that holds anything else (chosen by
; hand for the installation) keeps it, and stays. The entry and the shortcut are this
; installation's only while the entry names this folder: a newer version installed elsewhere keeps
; them.
Section "Uninstall"
  !insertmacro RefuseWhileRunning "$INSTDIR"
  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 == $INSTDIR
    Delete "$SMPROGRAMS\${PRODUCT}.lnk"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
  ${EndIf}
  Delete "$INSTDIR\kovar-launcher.exe"
  Delete "$INSTDIR\auto.kvx"
  Delete "$INSTDIR\config.kvx"
  Delete "$INSTDIR\settings.kvx"
  !include "${UNMAPS}"
  RMDir "$INSTDIR\data"
  Delete "$INSTDIR\${UNINSTALLER}"
  RMDir "$INSTDIR"
SectionEnd
