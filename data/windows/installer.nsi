; The Windows installer, built by scripts/windows-installer.sh, which defines:
;   VERSION   the project's version (1.0.0)
;   STAGE     a folder with x64\ and x86\ (the programs), LICENSE.txt and nosignal.ico
;   OUTFILE   the installer to write
;   SCREENSAVER  defined when the programs' folders hold nosignal.scr
;   SIZE_X64, SIZE_X86  the installed size in KiB, for Programs and Features
; It installs the programs of the machine's architecture, a Start-menu entry,
; the screensaver into the system folder (where the Screen Saver settings look
; for it) and an uninstaller that Programs and Features lists. /S runs it,
; and the uninstaller, without a window.
Unicode true
SetCompressor /SOLID lzma
!include MUI2.nsh
!include LogicLib.nsh
!include x64.nsh

!define PRODUCT "No Signal"
!define PUBLISHER "The nosignal developers"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\nosignal"
!define SHORTCUT "$SMPROGRAMS\${PRODUCT}.lnk"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
RequestExecutionLevel admin
ManifestSupportedOS all
ManifestDPIAware true
BrandingText "${PRODUCT} ${VERSION}"
; Chosen in .onInit, by the machine's architecture.
InstallDir ""

VIProductVersion "${VERSION}.0"
VIAddVersionKey ProductName "${PRODUCT}"
VIAddVersionKey ProductVersion "${VERSION}"
VIAddVersionKey FileVersion "${VERSION}"
VIAddVersionKey FileDescription "${PRODUCT} ${VERSION} setup"
VIAddVersionKey CompanyName "${PUBLISHER}"
VIAddVersionKey LegalCopyright "Copyright (c) 2026 ${PUBLISHER}. MIT License."

!define MUI_ICON "${STAGE}\nosignal.ico"
!define MUI_UNICON "${STAGE}\nosignal.ico"
!define MUI_FINISHPAGE_RUN "$INSTDIR\nosignal.exe"
!insertmacro MUI_PAGE_LICENSE "${STAGE}\LICENSE.txt"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE English

; 64-bit Windows: the 64-bit programs, registry view and Program Files.
Function .onInit
  SetShellVarContext all
  ${If} ${RunningX64}
    SetRegView 64
    ${If} $INSTDIR == ""
      StrCpy $INSTDIR "$PROGRAMFILES64\${PRODUCT}"
    ${EndIf}
  ${ElseIf} $INSTDIR == ""
    StrCpy $INSTDIR "$PROGRAMFILES\${PRODUCT}"
  ${EndIf}
FunctionEnd

Function un.onInit
  SetShellVarContext all
  ${If} ${RunningX64}
    SetRegView 64
  ${EndIf}
FunctionEnd

Section
  SetOutPath "$INSTDIR"
  ${If} ${RunningX64}
    File "${STAGE}\x64\nosignal.exe" "${STAGE}\x64\nosignal-render.exe"
  ${Else}
    File "${STAGE}\x86\nosignal.exe" "${STAGE}\x86\nosignal-render.exe"
  ${EndIf}
  File "${STAGE}\LICENSE.txt"
!ifdef SCREENSAVER
  ; A 32-bit installer writing to System32 on 64-bit Windows is sent to
  ; SysWOW64 unless the redirection is off.
  SetOutPath "$SYSDIR"
  ${If} ${RunningX64}
    ${DisableX64FSRedirection}
    File "${STAGE}\x64\nosignal.scr"
    ${EnableX64FSRedirection}
  ${Else}
    File "${STAGE}\x86\nosignal.scr"
  ${EndIf}
  SetOutPath "$INSTDIR"
!endif
  CreateShortCut "${SHORTCUT}" "$INSTDIR\nosignal.exe" "" "$INSTDIR\nosignal.exe" 0

  WriteUninstaller "$INSTDIR\uninstall.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" DisplayName "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" DisplayVersion "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" Publisher "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" DisplayIcon "$INSTDIR\nosignal.exe,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" InstallLocation "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" UninstallString '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" QuietUninstallString '"$INSTDIR\uninstall.exe" /S'
  ${If} ${RunningX64}
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" EstimatedSize ${SIZE_X64}
  ${Else}
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" EstimatedSize ${SIZE_X86}
  ${EndIf}
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" NoModify 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" NoRepair 1
SectionEnd

Section Uninstall
  Delete "${SHORTCUT}"
!ifdef SCREENSAVER
  ${If} ${RunningX64}
    ${DisableX64FSRedirection}
  ${EndIf}
  Delete "$SYSDIR\nosignal.scr"
  ${If} ${RunningX64}
    ${EnableX64FSRedirection}
  ${EndIf}
  ; The user's screensaver choice would name a file that is gone.
  ReadRegStr $0 HKCU "Control Panel\Desktop" SCRNSAVE.EXE
  ${If} $0 != ""
  ${AndIf} $0 == "$SYSDIR\nosignal.scr"
    DeleteRegValue HKCU "Control Panel\Desktop" SCRNSAVE.EXE
  ${EndIf}
!endif
  Delete "$INSTDIR\nosignal.exe"
  Delete "$INSTDIR\nosignal-render.exe"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
