; Zembria-Setup: installs the saver and makes it the user's screen saver; its
; uninstaller takes away what it installed and gives back the saver it replaced.
;
; Run by an administrator (elevated) it installs for every user of the
; computer: the saver under Program Files, and in the system folder, where
; Windows lists every user's savers, a small Zembria.scr that starts it. Run
; by anyone else, or with /CURRENTUSER, it installs for that user alone, under
; %LOCALAPPDATA%\Programs, without elevation. /D=FOLDER chooses the folder.
;
; makensis -DVERSION=1.0.0 -DSCR=path/Zembria.scr -DLAUNCHER=path/ZembriaLauncher.scr
;          -DDATA=folder-of-dictionaries -DOUTFILE=path/Zembria-Setup-1.0.0.exe
;          [-DSIGN=authenticode-sign -DSIGN_CA=folder -DSIGNED_UNINSTALLER=path] Zembria.nsi

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
; Administrators are asked to elevate; everyone else runs as they are.
RequestExecutionLevel highest
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
!define UNINSTALL_LIST "Software\Microsoft\Windows\CurrentVersion\Uninstall"
!define UNINSTALL_KEY "${UNINSTALL_LIST}\Zembria"
!define DESKTOP_KEY "Control Panel\Desktop"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
; No InstallDir: .onInit chooses the folder by the install's mode, unless /D
; gave one. The options file and the picture cache live beside the module.

; The uninstaller as NSIS writes it at install time carries the signature
; made here; the installer is signed once it is whole.
!ifdef SIGN
  !uninstfinalize '"${SIGN}" "%1" "${SIGN_CA}" "${SIGNED_UNINSTALLER}"' = 0
  !finalize '"${SIGN}" "%1" "${SIGN_CA}"' = 0
!endif

; "1" when this install is, or this uninstaller removes, the one for every user.
Var AllUsers
Var WelcomeText
Var FinishText
ShowInstDetails nevershow
ShowUninstDetails nevershow

; --- Pages and languages -------------------------------------------------------

!define MUI_ABORTWARNING
!define MUI_LANGDLL_REGISTRY_ROOT SHCTX
!define MUI_LANGDLL_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MUI_LANGDLL_REGISTRY_VALUENAME "InstallerLanguage"

!define MUI_WELCOMEPAGE_TEXT "$WelcomeText"
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_TEXT "$FinishText"
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "German"

LangString WelcomeMachine ${LANG_ENGLISH} "Setup will install ${PRODUCT} ${VERSION} for every user of this computer, in $INSTDIR, and make it your screen saver.$\r$\n$\r$\nEvery user finds it in Screen Saver Settings. To install it for you alone, run Setup with /CURRENTUSER. To remove it later, use Apps (or Programs and Features) in the Control Panel.$\r$\n$\r$\n$_CLICK"
LangString WelcomeMachine ${LANG_GERMAN} "Dieses Programm installiert ${PRODUCT} ${VERSION} für alle Benutzer dieses Computers, in $INSTDIR, und macht ihn zu Ihrem Bildschirmschoner.$\r$\n$\r$\nJeder Benutzer findet ihn in den Bildschirmschonereinstellungen. Um ihn nur für sich zu installieren, starten Sie das Programm mit /CURRENTUSER. Entfernen können Sie ihn später unter Apps (oder Programme und Features) in der Systemsteuerung.$\r$\n$\r$\n$_CLICK"
LangString WelcomeUser ${LANG_ENGLISH} "Setup will install ${PRODUCT} ${VERSION} for you alone, in $INSTDIR, and make it your screen saver.$\r$\n$\r$\nNo administrator rights are needed. To remove it later, use Apps (or Programs and Features) in the Control Panel.$\r$\n$\r$\n$_CLICK"
LangString WelcomeUser ${LANG_GERMAN} "Dieses Programm installiert ${PRODUCT} ${VERSION} nur für Sie, in $INSTDIR, und macht ihn zu Ihrem Bildschirmschoner.$\r$\n$\r$\nAdministratorrechte sind nicht nötig. Entfernen können Sie ihn später unter Apps (oder Programme und Features) in der Systemsteuerung.$\r$\n$\r$\n$_CLICK"
LangString FinishMachine ${LANG_ENGLISH} "${PRODUCT} is installed for every user of this computer and is now your screen saver.$\r$\n$\r$\nIt stays in every user's list in Screen Saver Settings, whichever saver each of them chooses."
LangString FinishMachine ${LANG_GERMAN} "${PRODUCT} ist für alle Benutzer dieses Computers installiert und jetzt Ihr Bildschirmschoner.$\r$\n$\r$\nEr bleibt in der Liste der Bildschirmschonereinstellungen jedes Benutzers, welchen Schoner dieser auch wählt."
LangString FinishUser ${LANG_ENGLISH} "${PRODUCT} is installed for you alone and is now your screen saver.$\r$\n$\r$\nScreen Saver Settings lists it only while it is your screen saver: once you choose another, it leaves the list, and only running this Setup again brings it back. Installed by an administrator, it stays in every user's list."
LangString FinishUser ${LANG_GERMAN} "${PRODUCT} ist nur für Sie installiert und jetzt Ihr Bildschirmschoner.$\r$\n$\r$\nDie Bildschirmschonereinstellungen führen ihn nur, solange er Ihr Bildschirmschoner ist: Sobald Sie einen anderen wählen, verschwindet er aus der Liste, und nur ein erneuter Start dieses Programms bringt ihn zurück. Von einem Administrator installiert, bleibt er in der Liste jedes Benutzers."
LangString NeedsAdministrator ${LANG_ENGLISH} "${PRODUCT} is installed for every user of this computer: only an administrator can remove it."
LangString NeedsAdministrator ${LANG_GERMAN} "${PRODUCT} ist für alle Benutzer dieses Computers installiert: nur ein Administrator kann ihn entfernen."

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "LegalCopyright" "Copyright (C) 2026 Zembria"

; The saver the desktop starts: the launcher in the system folder for every
; user, else the installed module. By its short path, as the display settings
; write it (no blanks); the long one where the volume keeps no short names.
!macro SaverPath var
  ${If} $AllUsers == 1
    StrCpy ${var} "$SYSDIR\Zembria.scr"
  ${Else}
    StrCpy ${var} "$INSTDIR\Zembria.scr"
  ${EndIf}
  GetFullPathName /SHORT $R9 ${var}
  ${If} $R9 != ""
    StrCpy ${var} $R9
  ${EndIf}
!macroend

; SHCTX, $PROGRAMFILES64 and the rest follow the install's mode. An elevated
; administrator installs for every user unless /CURRENTUSER says otherwise.
Function .onInit
  StrCpy $AllUsers 0
  UserInfo::GetAccountType
  Pop $0
  ${GetParameters} $1
  ClearErrors
  ${GetOptions} $1 "/CURRENTUSER" $2
  ${If} ${Errors}
  ${AndIf} $0 == "Admin"
    StrCpy $AllUsers 1
  ${EndIf}
  ${If} $AllUsers == 1
    SetShellVarContext all
    ${If} $INSTDIR == ""
      StrCpy $INSTDIR "$PROGRAMFILES64\Zembria"
    ${EndIf}
  ${Else}
    SetShellVarContext current
    ${If} $INSTDIR == ""
      StrCpy $INSTDIR "$LOCALAPPDATA\Programs\Zembria"
    ${EndIf}
  ${EndIf}
  !insertmacro MUI_LANGDLL_DISPLAY
  ${If} $AllUsers == 1
    StrCpy $WelcomeText "$(WelcomeMachine)"
    StrCpy $FinishText "$(FinishMachine)"
  ${Else}
    StrCpy $WelcomeText "$(WelcomeUser)"
    StrCpy $FinishText "$(FinishUser)"
  ${EndIf}
FunctionEnd

; The uninstaller of the install for every user is the one in the folder the
; machine's uninstall entry names.
Function un.onInit
  StrCpy $AllUsers 0
  SetShellVarContext current
  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
  ; However either path is spelled (NSIS compares without case).
  GetFullPathName /SHORT $1 $0
  GetFullPathName /SHORT $2 $INSTDIR
  ${If} $1 == ""
    StrCpy $1 $0
    StrCpy $2 $INSTDIR
  ${EndIf}
  ${If} $0 != ""
  ${AndIf} $1 == $2
    StrCpy $AllUsers 1
    SetShellVarContext all
  ${EndIf}
  !insertmacro MUI_UNGETLANGUAGE
  ${If} $AllUsers == 1
    UserInfo::GetAccountType
    Pop $0
    ${If} $0 != "Admin"
      MessageBox MB_OK|MB_ICONSTOP "$(NeedsAdministrator)" /SD IDOK
      SetErrorLevel 5 ; access denied
      Quit
    ${EndIf}
  ${EndIf}
FunctionEnd

; --- Install -------------------------------------------------------------------

Section "Install"
  ; The folders above $INSTDIR that this install makes (the topmost of them),
  ; so the uninstaller takes them too when nothing else is in them.
  StrCpy $R0 ""
  ${GetParent} $INSTDIR $R1
  ${Do}
    ${If} $R1 == ""
    ${OrIf} ${FileExists} "$R1\*.*"
      ${ExitDo}
    ${EndIf}
    StrCpy $R0 $R1
    ${GetParent} $R1 $R1
  ${Loop}
  ; And whether the list of uninstall entries is new with ours.
  ClearErrors
  EnumRegKey $R1 SHCTX "${UNINSTALL_LIST}" 0
  ${If} ${Errors}
    StrCpy $R1 1
  ${Else}
    StrCpy $R1 0
  ${EndIf}
  SetOutPath "$INSTDIR"
  ; Zembria.ini and the images folder of an earlier install are left as they are.
  File "/oname=Zembria.scr" "${SCR}"
  File "${DATA}/dictionary.0"
  File "${DATA}/dictionary.1"
  WriteUninstaller "$INSTDIR\Uninstall.exe"
  ; Windows lists the savers of the system folder for every user. This
  ; installer is a 64-bit program, so $SYSDIR is System32 itself, never
  ; redirected to SysWOW64.
  ${If} $AllUsers == 1
    SetOutPath "$SYSDIR"
    File "/oname=Zembria.scr" "${LAUNCHER}"
    SetOutPath "$INSTDIR"
  ${EndIf}

  !insertmacro SaverPath $0
  ; Remember the saver this install replaces and whether savers were on, for
  ; the uninstaller. A reinstall over ourselves keeps what the first install
  ; remembered.
  ReadRegStr $1 HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
  ${If} $1 != $0
    ${If} $1 == ""
      DeleteRegValue SHCTX "${UNINSTALL_KEY}" "PreviousScreenSaver"
    ${Else}
      WriteRegStr SHCTX "${UNINSTALL_KEY}" "PreviousScreenSaver" $1
    ${EndIf}
    ClearErrors
    ReadRegStr $1 HKCU "${DESKTOP_KEY}" "ScreenSaveActive"
    ${If} ${Errors}
      DeleteRegValue SHCTX "${UNINSTALL_KEY}" "PreviousScreenSaveActive"
    ${Else}
      WriteRegStr SHCTX "${UNINSTALL_KEY}" "PreviousScreenSaveActive" $1
    ${EndIf}
  ${EndIf}
  WriteRegStr HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE" $0
  WriteRegStr HKCU "${DESKTOP_KEY}" "ScreenSaveActive" "1"

  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Uninstall.exe,0"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
  ${If} $R0 != ""
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "MadeFolders" $R0
  ${EndIf}
  ${If} $R1 == 1
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "MadeUninstallList" 1
  ${EndIf}
  ${GetSize} "$INSTDIR" "/S=0K" $2 $3 $4
  IntFmt $2 "0x%08X" $2
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" $2
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
  ReadRegStr $2 SHCTX "${UNINSTALL_KEY}" "PreviousScreenSaver"
  ${If} $1 == $0
    ${If} $2 == ""
      DeleteRegValue HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
    ${Else}
      WriteRegStr HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE" $2
    ${EndIf}
    ClearErrors
    ReadRegStr $2 SHCTX "${UNINSTALL_KEY}" "PreviousScreenSaveActive"
    ${If} ${Errors}
      DeleteRegValue HKCU "${DESKTOP_KEY}" "ScreenSaveActive"
    ${Else}
      WriteRegStr HKCU "${DESKTOP_KEY}" "ScreenSaveActive" $2
    ${EndIf}
  ${EndIf}

  ; Only what the installer and the saver put here goes, each by its own
  ; name: the folder may be one the user chose and keeps other things in.
  ; A folder goes only once it is empty.
  ${If} $AllUsers == 1
    Delete "$SYSDIR\Zembria.scr"
  ${EndIf}
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
  ; The folders above it that the install made, up to the topmost, each
  ; only when empty; walked from the folder as the install spelled it.
  ReadRegStr $0 SHCTX "${UNINSTALL_KEY}" "InstallLocation"
  ReadRegStr $1 SHCTX "${UNINSTALL_KEY}" "MadeFolders"
  StrLen $2 $1
  StrCpy $3 $0 $2
  StrCpy $4 $0 1 $2
  ${If} $1 != ""
  ${AndIf} $3 == $1
  ${AndIf} $4 == "\"
    ${Do}
      ${GetParent} $0 $0
      ${If} $0 == ""
        ${ExitDo}
      ${EndIf}
      RMDir $0
    ${LoopUntil} $0 == $1
  ${EndIf}
  ReadRegDWORD $0 SHCTX "${UNINSTALL_KEY}" "MadeUninstallList"
  DeleteRegKey SHCTX "${UNINSTALL_KEY}"
  ; The list of uninstall entries too, if the install made it and nothing
  ; else has entered it since.
  ${If} $0 == 1
    DeleteRegKey /ifempty SHCTX "${UNINSTALL_LIST}"
  ${EndIf}
SectionEnd
