; Klaxora's installer: for the current user only, without administrator rights, into the
; user's own programs folder. scripts/build-installer.sh defines VERSION, FILES_INSTALL,
; FILES_UNINSTALL, ICON and OUTFILE and runs makensis on this script.
; Klaxora.exe is an x86-64 program, so its installer is one too (it also runs where no 32-bit
; subsystem is installed).
Target amd64-unicode
ManifestDPIAware true
RequestExecutionLevel user
SetCompressor /SOLID lzma

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include WinMessages.nsh

!ifndef VERSION | FILES_INSTALL | FILES_UNINSTALL | ICON | OUTFILE
  !error "Build with scripts/build-installer.sh"
!endif

!define APP "Klaxora"
!define PUBLISHER "Vantrelix"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${APP}"
!define SETTINGS_KEY "Software\Vantrelix\Klaxora"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define RUNONCE_KEY "Software\Microsoft\Windows\CurrentVersion\RunOnce"
; An armed alarm's record, one subkey each, and an earlier version's alarm after Windows start.
!define ARMED_KEY "${SETTINGS_KEY}\Uzbrojone"
!define AFTER_START_KEY "${SETTINGS_KEY}\PoStarcie"
; The autostart value the options dialog writes.
!define AUTOSTART_VALUE "Alarm"
; The hidden main window of a running Klaxora; closing it ends the program.
!define MAIN_WINDOW_CLASS "TF_Glowna"

Name "${APP}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\${APP}"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${APP} ${VERSION}"

VIProductVersion "${VERSION}"
VIFileVersion "${VERSION}"
VIAddVersionKey /LANG=1045 "ProductName" "${APP}"
VIAddVersionKey /LANG=1045 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1045 "FileDescription" "Instalator programu ${APP}"
VIAddVersionKey /LANG=1045 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1045 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1045 "LegalCopyright" "${PUBLISHER}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\Klaxora.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Uruchom program ${APP}"
!define MUI_FINISHPAGE_SHOWREADME "$INSTDIR\help\alarm.html"
!define MUI_FINISHPAGE_SHOWREADME_TEXT "Pokaż pomoc"
!define MUI_FINISHPAGE_SHOWREADME_NOTCHECKED

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_PAGE_CUSTOMFUNCTION_SHOW FinishPageShow
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "Polish"

Var PurgeSettings
Var ResumedKept  ; 1 once the installed program was started to take the kept alarms over

; A running copy holds its files open: ask the user to let it close (in silent mode it is
; closed), then wait for it to go. Closed as at log-off, a copy keeps its armed alarm's record:
; the installer resumes those alarms when it has finished, the uninstaller removes them.
!macro CLOSE_RUNNING_KLAXORA un
Function ${un}CloseRunningKlaxora
  FindWindow $0 "${MAIN_WINDOW_CLASS}"
  ${If} $0 == 0
    Return
  ${EndIf}
  ; Every armed alarm has a record: the alarms are spoken of only when there are some.
  StrCpy $1 ""
  EnumRegKey $2 HKCU "${ARMED_KEY}" 0
  ${If} $2 != ""
  !if "${un}" == ""
    StrCpy $1 "Uzbrojone alarmy zostaną zachowane: po zakończeniu instalacji program uruchomi \
        się ponownie i będzie ich dalej pilnował.$\r$\n$\r$\n"
  !else
    StrCpy $1 "Uzbrojone alarmy zostaną wyłączone i już nie wrócą.$\r$\n$\r$\n"
  !endif
  ${EndIf}
  MessageBox MB_OKCANCEL|MB_ICONEXCLAMATION "Program ${APP} jest uruchomiony. Aby kontynuować, \
      trzeba go zamknąć.$\r$\n$\r$\n$1Zamknąć program ${APP}?" /SD IDOK IDOK close
  Abort
close:
  StrCpy $1 0
  ${Do}
    FindWindow $0 "${MAIN_WINDOW_CLASS}"
    ${If} $0 == 0
      Sleep 500  ; the process ends just after its window
      Return
    ${EndIf}
    SendMessage $0 ${WM_CLOSE} 0 0 /TIMEOUT=2000
    Sleep 250
    IntOp $1 $1 + 1
  ${LoopUntil} $1 >= 60
  MessageBox MB_OK|MB_ICONSTOP "Nie udało się zamknąć programu ${APP}. Zamknij go i spróbuj \
      ponownie." /SD IDOK
  SetErrorLevel 2
  Quit
FunctionEnd
!macroend
!insertmacro CLOSE_RUNNING_KLAXORA ""
!insertmacro CLOSE_RUNNING_KLAXORA "un."

Section "Klaxora"
  Call CloseRunningKlaxora
  !include "${FILES_INSTALL}"
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortcut "$SMPROGRAMS\${APP}.lnk" "$INSTDIR\Klaxora.exe" "" "$INSTDIR\Klaxora.exe" 0

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${APP}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Klaxora.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "HelpLink" "$INSTDIR\help\alarm.html"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
  Call ResumeKeptAlarms
SectionEnd

; The copies closed above kept their armed alarms' records, as may copies ended earlier. A plain
; start takes them all over, starting a copy for each further one (/przejmij would take just
; one); like any plain start it shows its window unless the options keep it minimised.
Function ResumeKeptAlarms
  ClearErrors
  EnumRegKey $0 HKCU "${ARMED_KEY}" 0
  ${If} ${Errors}
  ${OrIf} $0 == ""
    Return
  ${EndIf}
  ClearErrors
  Exec '"$INSTDIR\Klaxora.exe"'
  ${IfNot} ${Errors}
    StrCpy $ResumedKept 1
  ${EndIf}
FunctionEnd

Function FinishPageShow
  ${If} $ResumedKept == 1
    ; It runs already: a second copy would find no alarm left to take.
    SendMessage $mui.FinishPage.Run ${BM_SETCHECK} ${BST_UNCHECKED} 0
    ShowWindow $mui.FinishPage.Run ${SW_HIDE}
    ${NSD_SetFocus} $mui.FinishPage.ShowReadme
    SendMessage $mui.FinishPage.Text ${WM_SETTEXT} 0 "STR:${APP} został pomyślnie zainstalowany \
        na Twoim komputerze.$\r$\n$\r$\nProgram został uruchomiony ponownie, aby dalej \
        pilnować zapamiętanych alarmów."
  ${EndIf}
FunctionEnd

; $R0 = 1 when the text $R1 contains $R2 (letter case ignored, as paths compare).
Function un.Contains
  StrLen $R3 $R2
  StrLen $R4 $R1
  StrCpy $R0 0
  StrCpy $R5 0
  ${DoWhile} $R5 <= $R4
    StrCpy $R6 $R1 $R3 $R5
    ${If} $R6 == $R2
      StrCpy $R0 1
      Return
    ${EndIf}
    IntOp $R5 $R5 + 1
  ${Loop}
FunctionEnd

Function un.onInit
  ; /PURGE removes the settings too; without it a silent uninstall keeps them.
  StrCpy $PurgeSettings 0
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/PURGE" $1
  ${IfNot} ${Errors}
    StrCpy $PurgeSettings 1
  ${EndIf}
FunctionEnd

Section "Uninstall"
  Call un.CloseRunningKlaxora
  ${IfNot} ${Silent}
    MessageBox MB_YESNO|MB_ICONQUESTION "Usunąć także ustawienia programu ${APP}: ostatni \
        alarm, opcje i listy ostatnio używanych wartości?" IDNO keep
    StrCpy $PurgeSettings 1
  keep:
  ${EndIf}

  !include "${FILES_UNINSTALL}"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR\help"
  RMDir "$INSTDIR\sound"
  ; Only an empty folder goes: the user may keep files of his own there.
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\${APP}.lnk"

  ; Armed alarms go with the program: their records, an earlier version's alarm after Windows
  ; start and (below) the one-time runs that would take them over.
  DeleteRegKey HKCU "${ARMED_KEY}"
  DeleteRegKey HKCU "${AFTER_START_KEY}"
  ; The autostart value and one-time runs are removed only when they start this copy: "Alarm"
  ; is a common name, and another program's entry is not ours to delete.
  StrCpy $R2 "$INSTDIR\Klaxora.exe"
  ReadRegStr $R1 HKCU "${RUN_KEY}" "${AUTOSTART_VALUE}"
  Call un.Contains
  ${If} $R0 == 1
    DeleteRegValue HKCU "${RUN_KEY}" "${AUTOSTART_VALUE}"
  ${EndIf}
  StrCpy $R7 0
  ${Do}
    EnumRegValue $R8 HKCU "${RUNONCE_KEY}" $R7
    ${If} $R8 == ""
      ${Break}
    ${EndIf}
    ReadRegStr $R1 HKCU "${RUNONCE_KEY}" $R8
    Call un.Contains
    ${If} $R0 == 1
      DeleteRegValue HKCU "${RUNONCE_KEY}" $R8
    ${Else}
      IntOp $R7 $R7 + 1
    ${EndIf}
  ${Loop}

  ${If} $PurgeSettings == 1
    DeleteRegKey HKCU "${SETTINGS_KEY}"
    DeleteRegKey /ifempty HKCU "Software\Vantrelix"
  ${EndIf}
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
