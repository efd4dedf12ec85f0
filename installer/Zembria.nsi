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

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh

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

  ; Only what the saver puts here goes: the module, its data, the options
  ; file and the picture cache.
  Delete "$INSTDIR\Zembria.scr"
  Delete "$INSTDIR\dictionary.0"
  Delete "$INSTDIR\dictionary.1"
  Delete "$INSTDIR\Zembria.ini"
  RMDir /r "$INSTDIR\images"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
