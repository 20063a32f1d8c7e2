; The Davrin installer: per user, no administrator rights, reminders kept across upgrades.
;
; makensis -DVERSION=1.0.6 -DBINDIR=<folder with the binaries> -DREADME=<README.txt>
;          -DOUTFILE=<setup.exe> [-DARCH=amd64] packaging/davrin.nsi
; ARCH picks the installer's own stub: x86 (the default) for the shipped 32-bit binaries, amd64
; for a 64-bit build, which is what a machine without 32-bit support can run.

Unicode true

!macro Required name
  !ifndef ${name}
    !error "${name} must be given: makensis -D${name}=..."
  !endif
!macroend
!insertmacro Required VERSION
!insertmacro Required BINDIR
!insertmacro Required README
!insertmacro Required OUTFILE
!ifndef ARCH
  !define ARCH x86
!endif
!if "${ARCH}" == "amd64"
  Target amd64-unicode
!else
  Target x86-unicode
!endif

!include MUI2.nsh
!include LogicLib.nsh
!include Sections.nsh

!define PRODUCT "Davrin"
!define UNINSTKEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Davrin"
; KELVOR's hidden main window; asked to close (WM_CLOSE), the program ends as its Exit item does.
!define MAINCLASS "DavrinKelvorMain"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
RequestExecutionLevel user
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
InstallDirRegKey HKCU "${UNINSTKEY}" "InstallLocation"
SetCompressor /SOLID lzma
ShowInstDetails nevershow
ShowUninstDetails nevershow

VIProductVersion "${VERSION}.0"
VIFileVersion "${VERSION}.0"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "CompanyName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Copyright (C) ${PRODUCT}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"

Var WasRunning

!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "Start ${PRODUCT} now"
!define MUI_FINISHPAGE_RUN_FUNCTION StartProgramUnlessRestarted
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

; Asks a running KELVOR to end and waits until its files can be replaced; gives up after about
; twenty seconds. Only one copy runs per user, so the one found is the one in the way.
!macro CloseRunningCopy un
Function ${un}CloseRunningCopy
  StrCpy $WasRunning 0
  FindWindow $0 "${MAINCLASS}"
  ${If} $0 <> 0
    StrCpy $WasRunning 1
    DetailPrint "Closing the running ${PRODUCT}"
    SendMessage $0 ${WM_CLOSE} 0 0 /TIMEOUT=5000
  ${EndIf}
  StrCpy $1 0
  ${Do}
    FindWindow $0 "${MAINCLASS}"
    ${If} $0 = 0
      ; The window goes first; the process ends a moment later and frees its files.
      ClearErrors
      FileOpen $2 "$INSTDIR\KELVOR.exe" a
      ${IfNot} ${Errors}
        FileClose $2
        ${ExitDo}
      ${EndIf}
      ${IfNot} ${FileExists} "$INSTDIR\KELVOR.exe"
        ${ExitDo}
      ${EndIf}
    ${EndIf}
    IntOp $1 $1 + 1
    ${If} $1 > 100
      MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
        "${PRODUCT} is still running. Choose Exit from its tray icon's menu, then Retry." \
        /SD IDCANCEL IDRETRY retry
      Abort "${PRODUCT} is still running; nothing was changed."
      retry:
      StrCpy $1 0
    ${EndIf}
    Sleep 200
  ${Loop}
FunctionEnd
!macroend
!insertmacro CloseRunningCopy ""
!insertmacro CloseRunningCopy "un."

Function StartProgramUnlessRestarted
  ${If} $WasRunning != 1
    Exec '"$INSTDIR\KELVOR.exe"'
  ${EndIf}
FunctionEnd

Function .onInit
  SetShellVarContext current
FunctionEnd

Section "${PRODUCT} (program, Start menu entry)" SecProgram
  SectionIn RO
  Call CloseRunningCopy
  SetOutPath "$INSTDIR"
  ; KELVOR.db and Reminder.dat are never part of the package, so an upgrade leaves them alone.
  File "${BINDIR}/KELVOR.exe"
  File "${BINDIR}/Norvane.dll"
  File "${BINDIR}/make-credentials.exe"
  File "${BINDIR}/norvane-design.exe"
  File "/oname=README.txt" "${README}"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\KELVOR.exe" "" "$INSTDIR\KELVOR.exe" 0

  WriteRegStr HKCU "${UNINSTKEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTKEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTKEY}" "Publisher" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTKEY}" "DisplayIcon" "$INSTDIR\KELVOR.exe"
  WriteRegStr HKCU "${UNINSTKEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTKEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTKEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTKEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTKEY}" "NoRepair" 1
SectionEnd

; A reminder program that is not running alerts nothing: on by default, silent installs too.
Section "Start ${PRODUCT} when I sign in" SecStartup
  CreateShortcut "$SMSTARTUP\${PRODUCT}.lnk" "$INSTDIR\KELVOR.exe" "" "$INSTDIR\KELVOR.exe" 0
SectionEnd

Section "-Finish"
  ; Unticked on an upgrade: the sign-in start goes too.
  ${IfNot} ${SectionIsSelected} ${SecStartup}
    Delete "$SMSTARTUP\${PRODUCT}.lnk"
  ${EndIf}
  ; A copy that was running before the upgrade runs again after it.
  ${If} $WasRunning = 1
    Exec '"$INSTDIR\KELVOR.exe"'
  ${EndIf}
SectionEnd

Function un.onInit
  SetShellVarContext current
FunctionEnd

Section "un.${PRODUCT} (program and shortcuts)"
  SectionIn RO
  Call un.CloseRunningCopy
  Delete "$INSTDIR\KELVOR.exe"
  Delete "$INSTDIR\Norvane.dll"
  Delete "$INSTDIR\make-credentials.exe"
  Delete "$INSTDIR\norvane-design.exe"
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\uninstall.exe"
  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  Delete "$SMSTARTUP\${PRODUCT}.lnk"
  DeleteRegKey HKCU "${UNINSTKEY}"
SectionEnd

; Off by default, and silent uninstalls keep it off: the reminders outlive the program.
Section /o "un.My reminders and SMS account (KELVOR.db, Reminder.dat)"
  Delete "$INSTDIR\KELVOR.db"
  Delete "$INSTDIR\KELVOR.db-journal"
  Delete "$INSTDIR\Reminder.dat"
SectionEnd

Section "-un.Folder"
  ; Removed only when empty: kept reminders keep their folder.
  RMDir "$INSTDIR"
SectionEnd
