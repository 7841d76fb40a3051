# SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
# SPDX-License-Identifier: GPL-3.0-or-later
; Kovar Launcher's installer for 64-bit Windows, for every user of the machine: the program, its
; start script, default settings and sample maps in Program Files\Kovar Launcher, a shortcut in the
; Start menu of all users, and an entry in the list of installed programs. Silent with /S.
;
; makensis is given, with -D: VERSION (0.01), VERSION4 (the same as four numbers), FILES (an
; include that names every installed file but the uninstaller, one `${FILE} SOURCE NAME` line
; each, NAME within the installation folder), ICON and OUTFILE; LICENCE, the licence text, for a
; page of its own.
;
; It never leaves the machine without a whole installation. Every new file is first written beside
; its place under a temporary name (NAME.kovar-new); only when all are written is each swapped in,
; the file it replaces kept as NAME.kovar-old until the last is in place. A file that cannot be
; written or swapped in stops the installation: every file swapped in so far is put back, the new
; ones are removed, and a box and the log file %TEMP%\Kovar Launcher Setup.log name the file and
; the system's reason (a silent run ends with exit code 2). Only after that is an earlier version
; in another folder removed, by its own uninstaller. Whether the earlier version's folder is the
; one being installed into is decided by the folder itself, not by how its path is written: a
; marker file written into the installation folder is looked for through the earlier path, so a
; link, a junction, a short name or a substituted drive to it is an upgrade in place.

; ARCH, the program's processor: x86 makes a 32-bit installer, which installs into Program Files
; (x86) on 64-bit Windows and writes the 32-bit registry view, where Windows lists a 32-bit
; program; amd64 a 64-bit one, into the 64-bit Program Files and view.
!if "${ARCH}" == "x86"
  Target x86-unicode
  !define PROGRAMS "$PROGRAMFILES"
!else
  Target amd64-unicode
  !define PROGRAMS "$PROGRAMFILES64"
!endif
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
!include x64.nsh

!define PRODUCT "Kovar Launcher"
!define PUBLISHER "Velmont"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
!define UNINSTALLER "Uninstall.exe"
!define LOG "$TEMP\${PRODUCT} Setup.log"
; The temporary names of a new file and of the file it replaces, beside it.
!define NEW ".kovar-new"
!define OLD ".kovar-old"
; The marker a running setup or uninstaller keeps open in its folder, with its process number.
!define MARKER ".kovar-setup-"

Var Log
; The files and folders this run created, one a line, for removing them again on a failure.
Var Created
Var Earlier
; A 32-bit installer on 64-bit Windows: the folder of a 64-bit installation, named by its entry in
; the 64-bit registry view, and 1 when that entry is to go: its folder is this one, or holds no
; uninstaller.
Var Earlier64
Var Drop64
; What a failure leaves: the sentence that says so.
Var Kept
; Set when a replaced file could not be put back.
Var Broken
Var MarkerName
Var MarkerFile

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "${PROGRAMS}\${PRODUCT}"
; A newer version goes where the earlier one is.
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!ifdef LICENCE
  ; The licence asks nothing of whoever installs or runs the program: the page tells, Next goes on.
  !define MUI_LICENSEPAGE_BUTTON "$(^NextBtn)"
  !define MUI_LICENSEPAGE_TEXT_BOTTOM "${PRODUCT} is free software under the GNU General Public License, version 3 or later. The licence is also in LICENSE.txt beside the program."
  !insertmacro MUI_PAGE_LICENSE "${LICENCE}"
!endif
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

; The marker of this run in $INSTDIR, kept open (and so not deletable) until UnmarkFolder: a path
; to a folder is the installation folder when the marker is seen through it, and an uninstaller
; leaves a folder alone while a setup's marker is held there. The setup and the uninstaller each
; have their own copy of these functions, as NSIS wants.
!macro MarkerFunctions UN
  Function ${UN}MarkFolder
    System::Call 'kernel32::GetCurrentProcessId() i .R9'
    StrCpy $MarkerName "${MARKER}$R9"
    ClearErrors
    FileOpen $MarkerFile "$INSTDIR\$MarkerName" w
    ${If} ${Errors}
      StrCpy $MarkerFile ""
    ${EndIf}
  FunctionEnd

  Function ${UN}UnmarkFolder
    ${If} $MarkerFile != ""
      FileClose $MarkerFile
      StrCpy $MarkerFile ""
      Delete "$INSTDIR\$MarkerName"
    ${EndIf}
  FunctionEnd

  ; $R0: 1 when the folder $R0 is this one, $INSTDIR, however its path is written.
  Function ${UN}IsThisFolder
    ${If} $R0 == ""
      StrCpy $R0 0
    ${ElseIf} $R0 == $INSTDIR
      StrCpy $R0 1
    ${ElseIf} $MarkerFile != ""
    ${AndIf} ${FileExists} "$R0\$MarkerName"
      StrCpy $R0 1
    ${Else}
      StrCpy $R0 0
    ${EndIf}
  FunctionEnd
!macroend
!insertmacro MarkerFunctions ""
!insertmacro MarkerFunctions "un."

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

; Moves the file $R6 to $R7; on a failure $R0 is the system's reason, else empty.
Function MoveFile
  System::Call 'kernel32::MoveFileExW(w R6, w R7, i 0) i .R8 ?e'
  Pop $R0
  ${If} $R8 = 0
    Call ErrorText
  ${Else}
    StrCpy $R0 ""
  ${EndIf}
FunctionEnd

; Puts the installation folder back as this run found it: each replaced file ($R6, kept as
; $R6.kovar-old) back in its place, and the new file beside it removed.
Function PutBackOne
  Delete "$R6${NEW}"
  ${If} ${FileExists} "$R6${OLD}"
    Delete "$R6"
    Push $R6
    StrCpy $R7 $R6
    StrCpy $R6 "$R6${OLD}"
    Call MoveFile
    Pop $R6
    ${If} $R0 != ""
      !insertmacro Log "Could not put back $\"$R6$\" (the earlier file is $\"$R6${OLD}$\"): $R0."
      StrCpy $Broken 1
    ${EndIf}
  ${EndIf}
FunctionEnd

!macro PutBackFile SOURCE NAME
  StrCpy $R6 "$INSTDIR\${NAME}"
  Call PutBackOne
!macroend

; Undoes this run: the replaced files back, then the files and folders it created removed (the
; files, then folders that are left empty).
Function PutBack
  !define FILE "!insertmacro PutBackFile"
  !include "${FILES}"
  !undef FILE
  !insertmacro PutBackFile "" "${UNINSTALLER}"
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
  Call UnmarkFolder
  RMDir "$INSTDIR\data"
  RMDir "$INSTDIR"
FunctionEnd

; Stops the installation: $R0 is the file that failed, $R1 what was to be done with it, $R2 the
; system's reason. Everything this run changed is undone first, so the box says what is true.
Function Stop
  !insertmacro Log "Could not $R1 $\"$R0$\": $R2."
  StrCpy $R3 "Could not $R1 $\"$R0$\": $R2."
  Call PutBack
  ${If} $Broken != ""
    StrCpy $R4 "The installation in $INSTDIR could not be put back whole: the files named in the log $\"${LOG}$\" are kept beside their places as NAME${OLD}."
  ${Else}
    StrCpy $R4 "Nothing was installed; $Kept"
  ${EndIf}
  !insertmacro Log "$R4"
  MessageBox MB_OK|MB_ICONSTOP "$R3$\r$\n$\r$\n$R4" /SD IDOK
  SetErrorLevel 2
  Abort
FunctionEnd

; Stops the installation because the file $R0 cannot be written (doing $R1).
Function Fail
  Push $R0
  Call WriteError
  StrCpy $R2 $R0
  Pop $R0
  Call Stop
FunctionEnd

; Before anything is written: a folder where the file NAME goes stops the installation, and a
; replaced file an interrupted run left beside it goes (or stops it), so that putting back on a
; failure restores only what this run replaced.
!macro PrepareFile SOURCE NAME
  StrCpy $R0 "$INSTDIR\${NAME}"
  StrCpy $R1 "write"
  ${If} ${FileExists} "$R0\*.*"
    Call Fail
  ${EndIf}
  Delete "$R0${OLD}"
  ${If} ${FileExists} "$R0${OLD}"
    StrCpy $R0 "$R0${OLD}"
    StrCpy $R1 "remove"
    Call Fail
  ${EndIf}
!macroend

; Writes SOURCE as NAME.kovar-new beside NAME, a path within the installation folder.
!macro StageFile SOURCE NAME
  StrCpy $R0 "$INSTDIR\${NAME}"
  StrCpy $R1 "write"
  ClearErrors
  File "/oname=$R0${NEW}" "${SOURCE}"
  ${If} ${Errors}
    StrCpy $R0 "$R0${NEW}"
    Call Fail
  ${EndIf}
!macroend

; Swaps the new file in as $R6, keeping the file it replaces as $R6.kovar-old.
Function SwapOne
  ${If} ${FileExists} "$R6"
    StrCpy $R7 "$R6${OLD}"
    Call MoveFile
    ${If} $R0 != ""
      StrCpy $R2 $R0
      StrCpy $R0 $R6
      StrCpy $R1 "replace"
      Call Stop
    ${EndIf}
  ${Else}
    FileWriteUTF16LE $Created "$R6$\r$\n"
  ${EndIf}
  Push $R6
  StrCpy $R7 $R6
  StrCpy $R6 "$R6${NEW}"
  Call MoveFile
  Pop $R6
  ${If} $R0 != ""
    StrCpy $R2 $R0
    StrCpy $R0 $R6
    StrCpy $R1 "put in place"
    Call Stop
  ${EndIf}
FunctionEnd

!macro SwapFile SOURCE NAME
  StrCpy $R6 "$INSTDIR\${NAME}"
  Call SwapOne
!macroend

; Removes the replaced file kept beside NAME, once every new file is in place.
!macro DropOld SOURCE NAME
  Delete "$INSTDIR\${NAME}${OLD}"
  ${If} ${FileExists} "$INSTDIR\${NAME}${OLD}"
    !insertmacro Log "Could not remove the earlier file $\"$INSTDIR\${NAME}${OLD}$\"; it is removed when Windows starts again."
    Delete /REBOOTOK "$INSTDIR\${NAME}${OLD}"
  ${EndIf}
!macroend

; Makes the folder $R0 (noted as created when it was not there before).
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
    StrCpy $R1 "make the folder"
    Call Stop
  ${EndIf}
FunctionEnd

; $R0: the folder of an earlier installation ($R0), or empty when there is none to remove: when it
; is this folder, however its path is written, the upgrade is in place and goes where the entry
; says.
Function EarlierFolder
  Push $R0
  Call IsThisFolder
  ${If} $R0 = 1
    Pop $R0
    ${If} $R0 != $INSTDIR
      !insertmacro Log "$INSTDIR is the installed folder $R0: upgrading it in place."
      StrCpy $INSTDIR $R0
    ${EndIf}
    StrCpy $R0 ""
  ${Else}
    Pop $R0
    ${IfNot} ${FileExists} "$R0\${UNINSTALLER}"
      StrCpy $R0 ""
    ${EndIf}
  ${EndIf}
FunctionEnd

; Removes the earlier version in the folder $R0 by its own uninstaller, waited for.
Function RemoveEarlier
  !insertmacro Log "Removing the earlier version in $R0"
  ClearErrors
  ExecWait '"$R0\${UNINSTALLER}" /S _?=$R0' $0
  ${If} ${Errors}
  ${OrIf} $0 != 0
    !insertmacro Log "The earlier version in $R0 could not be removed (its uninstaller ended with $0): remove that folder by hand."
    MessageBox MB_OK|MB_ICONEXCLAMATION "${PRODUCT} ${VERSION} is installed in $INSTDIR, but the earlier version in $R0 could not be removed (its uninstaller ended with $0): remove that folder by hand." /SD IDOK
  ${Else}
    Delete "$R0\${UNINSTALLER}"
    RMDir "$R0"
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
  ReadRegStr $Earlier HKLM "${UNINSTALL_KEY}" "InstallLocation"
!if "${ARCH}" == "x86"
  ${If} ${RunningX64}
    SetRegView 64
    ReadRegStr $Earlier64 HKLM "${UNINSTALL_KEY}" "InstallLocation"
    SetRegView 32
  ${EndIf}
!endif
  !insertmacro RefuseWhileRunning "$INSTDIR"
  ${If} $Earlier != ""
    !insertmacro RefuseWhileRunning "$Earlier"
  ${EndIf}
  ${If} $Earlier64 != ""
    !insertmacro RefuseWhileRunning "$Earlier64"
  ${EndIf}

  InitPluginsDir
  FileOpen $Created "$PLUGINSDIR\created.txt" w
  StrCpy $Kept "no earlier installation was changed."
  StrCpy $R0 "$INSTDIR"
  Call MakeFolder
  Call MarkFolder
  ${If} $MarkerFile == ""
    StrCpy $R0 "$INSTDIR\$MarkerName"
    StrCpy $R1 "write"
    Call Fail
  ${EndIf}
  ; The earlier version's folder, seen through another path to this one, is this one.
  StrCpy $R0 $Earlier
  Call EarlierFolder
  StrCpy $Earlier $R0
  ${If} $Earlier64 != ""
    StrCpy $R0 $Earlier64
    Call EarlierFolder
    ${If} $R0 == ""
      StrCpy $Drop64 1
    ${EndIf}
    StrCpy $Earlier64 $R0
  ${EndIf}
  ${If} ${FileExists} "$INSTDIR\${UNINSTALLER}"
    StrCpy $Kept "the installation in $INSTDIR was kept as it was."
  ${ElseIf} $Earlier != ""
    StrCpy $Kept "the installation in $Earlier was kept as it was."
  ${ElseIf} $Earlier64 != ""
    StrCpy $Kept "the installation in $Earlier64 was kept as it was."
  ${EndIf}
  StrCpy $R0 "$INSTDIR\data"
  Call MakeFolder
  SetOutPath "$INSTDIR"

  ; Every new file written beside its place first.
  !define FILE "!insertmacro PrepareFile"
  !include "${FILES}"
  !undef FILE
  !insertmacro PrepareFile "" "${UNINSTALLER}"
  !define FILE "!insertmacro StageFile"
  !include "${FILES}"
  !undef FILE
  StrCpy $R0 "$INSTDIR\${UNINSTALLER}${NEW}"
  StrCpy $R1 "write"
  ClearErrors
  WriteUninstaller "$R0"
  ${If} ${Errors}
    Call Fail
  ${EndIf}
  !insertmacro Log "Wrote every new file."

  ; Then each swapped in; a failure puts every replaced file back.
  !define FILE "!insertmacro SwapFile"
  !include "${FILES}"
  !undef FILE
  !insertmacro SwapFile "" "${UNINSTALLER}"
  FileClose $Created
  !define FILE "!insertmacro DropOld"
  !include "${FILES}"
  !undef FILE
  !insertmacro DropOld "" "${UNINSTALLER}"
  !insertmacro Log "Put every file in place."

  ; Only now an earlier version in another folder goes, by its own uninstaller (which removes its
  ; own entry); the 64-bit entry of a folder this installation now holds goes with it.
  ${If} $Earlier != ""
    StrCpy $R0 $Earlier
    Call RemoveEarlier
  ${EndIf}
  ${If} $Earlier64 != ""
    StrCpy $R0 $Earlier64
    Call RemoveEarlier
  ${EndIf}
  ${If} $Drop64 = 1
    SetRegView 64
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
    SetRegView 32
    !insertmacro Log "Removed the 64-bit entry of the installation in $INSTDIR."
  ${EndIf}
  Call UnmarkFolder

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

!macro RemoveFile SOURCE NAME
  Delete "$INSTDIR\${NAME}"
  Delete "$INSTDIR\${NAME}${NEW}"
  Delete "$INSTDIR\${NAME}${OLD}"
!macroend

; Removes what the installer put there, file by file: a folder that holds anything else (chosen by
; hand for the installation) keeps it, and stays. The entry and the shortcut are this
; installation's only while the entry names this folder, however its path is written: a newer
; version installed elsewhere keeps them. While a setup is installing into this folder (its marker
; held open here), nothing is removed.
Section "Uninstall"
  !insertmacro RefuseWhileRunning "$INSTDIR"
  FindFirst $1 $0 "$INSTDIR\${MARKER}*"
  ${DoWhile} $0 != ""
    Delete "$INSTDIR\$0"
    ${If} ${FileExists} "$INSTDIR\$0"
      FindClose $1
      MessageBox MB_OK|MB_ICONSTOP "${PRODUCT} Setup is installing into $INSTDIR: nothing was removed." /SD IDOK
      SetErrorLevel 2
      Abort "${PRODUCT} Setup is installing into $INSTDIR: nothing was removed."
    ${EndIf}
    FindNext $1 $0
  ${Loop}
  FindClose $1
  Call un.MarkFolder
  ReadRegStr $R0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
  Call un.IsThisFolder
  ${If} $R0 = 1
    Delete "$SMPROGRAMS\${PRODUCT}.lnk"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
  ${EndIf}
  Call un.UnmarkFolder
  !define FILE "!insertmacro RemoveFile"
  !include "${FILES}"
  !undef FILE
  RMDir "$INSTDIR\data"
  !insertmacro RemoveFile "" "${UNINSTALLER}"
  RMDir "$INSTDIR"
SectionEnd
