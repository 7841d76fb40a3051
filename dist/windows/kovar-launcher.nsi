; Kovar Launcher's installer for 64-bit Windows, for every user of the machine: the program, its
; start script, default settings and sample maps in Program Files\Kovar Launcher, a shortcut in the
; Start menu of all users, and an entry in the list of installed programs. Silent with /S.
;
; makensis is given, with -D: VERSION (0.01), VERSION4 (the same as four numbers), PROGRAM (the
; stripped program, built for the system layout), DIST (the folder of auto.kvx and the default
; settings), ICON, MAPS and UNMAPS (includes that install and remove the sample maps one by one)
; and OUTFILE.

; A 64-bit program itself: Program Files and the registry it writes are the 64-bit ones.
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin
; A file that cannot be replaced (a launcher still running) stops the installation, rather than be
; skipped and leave an older program beside the newer files.
AllowSkipFiles off
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
      Abort "${PRODUCT} is running from ${FOLDER}; nothing was changed."
    ${EndIf}
    FileClose $R0
  ${EndIf}
  !undef RETRY_LABEL
!macroend

Function .onInit
  SetShellVarContext all
  !insertmacro RequireAdministrator
FunctionEnd

Function un.onInit
  SetShellVarContext all
  !insertmacro RequireAdministrator
FunctionEnd

Section
  ; An earlier version is removed by its own uninstaller first, waited for, so that nothing of it
  ; stays behind; the players' own folders are never the uninstaller's to touch.
  !insertmacro RefuseWhileRunning "$INSTDIR"
  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 != ""
  ${AndIf} ${FileExists} "$0\${UNINSTALLER}"
    !insertmacro RefuseWhileRunning "$0"
    DetailPrint "Removing the installed version in $0"
    ExecWait '"$0\${UNINSTALLER}" /S _?=$0' $1
    ${If} $1 != 0
      Abort "The installed version in $0 could not be removed (its uninstaller ended with $1)."
    ${EndIf}
    Delete "$0\${UNINSTALLER}"
    RMDir "$0"
  ${EndIf}

  SetOutPath "$INSTDIR"
  File "/oname=kovar-launcher.exe" "${PROGRAM}"
  File "${DIST}/auto.kvx"
  File "${DIST}/config.kvx"
  File "${DIST}/settings.kvx"
  SetOutPath "$INSTDIR\data"
  !include "${MAPS}"
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"

  CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\kovar-launcher.exe" "" \
    "$INSTDIR\kovar-launcher.exe" 0

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
SectionEnd

; Removes what the installer put there, file by file: a folder that holds anything else (chosen by
; hand for the installation) keeps it, and stays.
Section "Uninstall"
  !insertmacro RefuseWhileRunning "$INSTDIR"
  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  Delete "$INSTDIR\kovar-launcher.exe"
  Delete "$INSTDIR\auto.kvx"
  Delete "$INSTDIR\config.kvx"
  Delete "$INSTDIR\settings.kvx"
  !include "${UNMAPS}"
  RMDir "$INSTDIR\data"
  Delete "$INSTDIR\${UNINSTALLER}"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  RMDir "$INSTDIR"
SectionEnd
