; Zembria-Setup: installs the saver for the current user, without elevation,
; and makes it the user's screen saver; its uninstaller takes everything
; away again and gives back the saver it replaced.
;
; makensis -DVERSION=1.0.0 -DSCR=path/Zembria.scr -DDATA=folder-of-dictionaries
;          -DOUTFILE=path/Zembria-Setup-1.0.0.exe Zembria.nsi

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user
; Sharp at the desktop's scaling, not stretched by the system; NSIS's own
; pages follow the system DPI, not each monitor's.
ManifestDPIAware true
ManifestSupportedOS all

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include WordFunc.nsh

!define PRODUCT "Zembria Screensaver"
!define PUBLISHER "Zembria"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Zembria"
!define DESKTOP_KEY "Control Panel\Desktop"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
; The options file and the picture cache live beside the module, so the
; module must lie where the user may write.
InstallDir "$LOCALAPPDATA\Programs\Zembria"
ShowInstDetails nevershow
ShowUninstDetails nevershow

; --- Pages and languages -------------------------------------------------------

!define MUI_ABORTWARNING
!define MUI_LANGDLL_REGISTRY_ROOT HKCU
!define MUI_LANGDLL_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MUI_LANGDLL_REGISTRY_VALUENAME "InstallerLanguage"

!define MUI_WELCOMEPAGE_TEXT "$(WelcomeText)"
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "German"

LangString WelcomeText ${LANG_ENGLISH} "Setup will install ${PRODUCT} ${VERSION} for you alone, in $INSTDIR, and make it your screen saver.$\r$\n$\r$\nNo administrator rights are needed. To remove it later, use Apps (or Programs and Features) in the Control Panel.$\r$\n$\r$\n$_CLICK"
LangString WelcomeText ${LANG_GERMAN} "Dieses Programm installiert ${PRODUCT} ${VERSION} nur für Sie, in $INSTDIR, und macht ihn zu Ihrem Bildschirmschoner.$\r$\n$\r$\nAdministratorrechte sind nicht nötig. Entfernen können Sie ihn später unter Apps (oder Programme und Features) in der Systemsteuerung.$\r$\n$\r$\n$_CLICK"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "LegalCopyright" "Copyright (C) 2026 Zembria"

; The desktop starts the saver by its short path, as the display settings
; write it (no blanks); the long one where the volume keeps no short names.
!macro SaverPath var
  GetFullPathName /SHORT ${var} "$INSTDIR\Zembria.scr"
  ${If} ${var} == ""
    StrCpy ${var} "$INSTDIR\Zembria.scr"
  ${EndIf}
!macroend

Function .onInit
  SetShellVarContext current
  !insertmacro MUI_LANGDLL_DISPLAY
FunctionEnd

Function un.onInit
  SetShellVarContext current
  !insertmacro MUI_UNGETLANGUAGE
FunctionEnd

; --- Install -------------------------------------------------------------------

Section "Install"
  SetOutPath "$INSTDIR"
  ; Zembria.ini and the images folder of an earlier install are left as they are.
  File "/oname=Zembria.scr" "${SCR}"
  File "${DATA}/dictionary.0"
  File "${DATA}/dictionary.1"
  WriteUninstaller "$INSTDIR\Uninstall.exe"

  !insertmacro SaverPath $0
  ; Remember the saver this install replaces, for the uninstaller. A
  ; reinstall over ourselves keeps what the first install remembered.
  ReadRegStr $1 HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
  ${If} $1 != $0
    ${If} $1 == ""
      DeleteRegValue HKCU "${UNINSTALL_KEY}" "PreviousScreenSaver"
    ${Else}
      WriteRegStr HKCU "${UNINSTALL_KEY}" "PreviousScreenSaver" $1
    ${EndIf}
  ${EndIf}
  WriteRegStr HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE" $0
  WriteRegStr HKCU "${DESKTOP_KEY}" "ScreenSaveActive" "1"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Uninstall.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $2 $3 $4
  IntFmt $2 "0x%08X" $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $2
SectionEnd

; --- Uninstall -----------------------------------------------------------------

; The name a temporary file of the saver's stands in for: "<name>.<pid>-<n>.tmp"
; gives "<name>", any other file name "". Name in, name out on the stack.
Function un.TempFileTarget
  Exch $0
  Push $1
  Push $2
  Push $3
  StrCpy $1 $0 "" -4
  StrCmp $1 ".tmp" 0 other
  StrCpy $0 $0 -4
  ; The last dot: "<pid>-<n>" after it, "<name>" before.
  StrLen $1 $0
  find_dot:
    IntOp $1 $1 - 1
    IntCmp $1 0 other other
    StrCpy $2 $0 1 $1
    StrCmp $2 "." 0 find_dot
  IntOp $2 $1 + 1
  StrCpy $2 $0 "" $2
  StrCpy $0 $0 $1
  ; Digits, one dash between them.
  ${StrFilter} $2 "1" "-" "" $3
  StrCmp $3 $2 0 other
  ${StrFilter} $2 "1" "" "" $3
  StrLen $3 $3
  StrLen $1 $2
  IntOp $1 $1 - $3
  IntCmp $1 1 0 other other
  StrCpy $1 $2 1
  StrCmp $1 "-" other
  StrCpy $1 $2 "" -1
  StrCmp $1 "-" other done
  other:
  StrCpy $0 ""
  done:
  Pop $3
  Pop $2
  Pop $1
  Exch $0
FunctionEnd

; Deletes the files in a folder that match a pattern and that are, or stand
; in for, a file whose name ends as given. Folder, pattern, ending on the stack.
Function un.DeleteSaverFiles
  Exch $2 ; ending
  Exch
  Exch $1 ; pattern
  Exch 2
  Exch $0 ; folder
  Push $3
  Push $4
  Push $5
  StrLen $5 $2
  IntOp $5 0 - $5
  FindFirst $3 $4 "$0\$1"
  ${DoUntil} $4 == ""
    Push $4
    Call un.TempFileTarget
    Exch $1
    ${If} $1 == ""
      StrCpy $1 $4
    ${EndIf}
    StrCpy $1 $1 "" $5
    ${If} $1 == $2
      Delete "$0\$4"
    ${EndIf}
    Pop $1
    FindNext $3 $4
  ${Loop}
  FindClose $3
  Pop $5
  Pop $4
  Pop $3
  Pop $0
  Pop $2
  Pop $1
FunctionEnd

Section "Uninstall"
  ; Give back the saver we replaced, unless the user has chosen another since.
  !insertmacro SaverPath $0
  ReadRegStr $1 HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
  ReadRegStr $2 HKCU "${UNINSTALL_KEY}" "PreviousScreenSaver"
  ${If} $1 == $0
    ${If} $2 == ""
      DeleteRegValue HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
    ${Else}
      WriteRegStr HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE" $2
    ${EndIf}
  ${EndIf}

  ; Only what the installer and the saver put here goes, each by its own
  ; name: the folder may be one the user chose and keeps other things in.
  ; A folder goes only once it is empty.
  Delete "$INSTDIR\Zembria.scr"
  Delete "$INSTDIR\dictionary.0"
  Delete "$INSTDIR\dictionary.1"
  Delete "$INSTDIR\Zembria.ini"
  Push "$INSTDIR"
  Push "Zembria.ini.*.tmp"
  Push "Zembria.ini"
  Call un.DeleteSaverFiles
  ; The picture cache: pictures, pictures being written, the write probe
  ; and what a probe that died left of it.
  Push "$INSTDIR\images"
  Push "*"
  Push ".jpg"
  Call un.DeleteSaverFiles
  Push "$INSTDIR\images"
  Push "dummy.txt.*.tmp"
  Push "dummy.txt"
  Call un.DeleteSaverFiles
  Delete "$INSTDIR\images\dummy.txt"
  RMDir "$INSTDIR\images"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
