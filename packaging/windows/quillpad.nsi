; Quillpad's installer: for the current user, without admin rights, into
; %LOCALAPPDATA%\Programs\Quillpad (or the folder given with /D=). Built by
; installer.sh from the staged files; VERSION, FILEVERSION, SOURCE, ICON and OUTFILE
; come from there.
;
; A newer version installs over an older one in place. The user's settings
; and history, dataclc.dat and history.txt beside Quillpad.exe, are never
; touched: neither an install nor the uninstaller writes or removes them.

Unicode true
Target amd64-unicode
RequestExecutionLevel user
ManifestDPIAware true
SetCompressor /SOLID lzma

!include "MUI2.nsh"
!include "FileFunc.nsh"
!include "WinMessages.nsh"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Quillpad"
!define PUBLISHER "the Quillpad developers"

Name "Quillpad ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Quillpad"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "Quillpad ${VERSION}"

VIProductVersion "${FILEVERSION}"
VIAddVersionKey "ProductName" "Quillpad"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "FileDescription" "Quillpad setup"
VIAddVersionKey "CompanyName" "${PUBLISHER}"
VIAddVersionKey "LegalCopyright" "MIT licence"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING

!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\Quillpad.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Start Quillpad"
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!define MUI_FINISHPAGE_TITLE "Quillpad has been removed"
!define MUI_FINISHPAGE_TEXT "Quillpad has been removed from your computer.$\r$\n$\r$\nYour settings and history are kept: dataclc.dat and history.txt in $INSTDIR stay, so that Quillpad comes back as you left it if you install it again. Delete that folder to remove them too."
!insertmacro MUI_UNPAGE_FINISH

!insertmacro MUI_LANGUAGE "English"

; A running Quillpad is asked to close, as its close box would (it saves its
; settings then); one that stays open is the user's to close, or the setup
; stops before any file is replaced.
!macro CLOSE_QUILLPAD un
Function ${un}CloseQuillpad
  StrCpy $R1 0
  again:
    FindWindow $R0 "#32770" "Quillpad"
    StrCmp $R0 0 closed
    SendMessage $R0 ${WM_CLOSE} 0 0 /TIMEOUT=5000
    Sleep 300
    IntOp $R1 $R1 + 1
    IntCmp $R1 30 0 again
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "Quillpad is running and did not close. Close it, then choose Retry." /SD IDCANCEL IDRETRY retry
    Abort "Quillpad is still running; nothing was changed."
  retry:
    StrCpy $R1 0
    Goto again
  closed:
  ; Its process may still be on its way out: wait until the program file
  ; can be written (a few seconds at most).
  StrCpy $R1 0
  writable:
    IfFileExists "$INSTDIR\Quillpad.exe" 0 done
    ClearErrors
    FileOpen $R2 "$INSTDIR\Quillpad.exe" a
    IfErrors 0 opened
    Sleep 200
    IntOp $R1 $R1 + 1
    IntCmp $R1 50 done writable done
  opened:
    FileClose $R2
  done:
FunctionEnd
!macroend
!insertmacro CLOSE_QUILLPAD ""
!insertmacro CLOSE_QUILLPAD "un."

Section "Quillpad"
  Call CloseQuillpad
  SetOutPath "$INSTDIR"
  File "${SOURCE}/Quillpad.exe"
  File "${SOURCE}/quillpad-cli.exe"
  File "${SOURCE}/help.html"
  File "${SOURCE}/LICENSE.txt"
  File "${SOURCE}/README.txt"
  WriteUninstaller "$INSTDIR\Uninstall.exe"

  CreateShortcut "$SMPROGRAMS\Quillpad.lnk" "$INSTDIR\Quillpad.exe" "" "$INSTDIR\Quillpad.exe" 0

  ; Settings > Apps lists it and removes it.
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Quillpad"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Quillpad.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "Uninstall"
  Call un.CloseQuillpad
  ; What the setup put there, and nothing else: dataclc.dat and history.txt stay.
  Delete "$INSTDIR\Quillpad.exe"
  Delete "$INSTDIR\quillpad-cli.exe"
  Delete "$INSTDIR\help.html"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\Quillpad.lnk"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
