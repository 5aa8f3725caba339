; The Windows installer: per user, without administrator rights, into
; %LOCALAPPDATA%\Programs\바르멘, so the pictures lie beside the program and
; save.sav is written there, as the game expects. make-packages builds it:
;   makensis -INPUTCHARSET UTF8 -DSOURCE=<folder> -DOUT=<setup.exe> -DVERSION=1.0 installer.nsi
; SOURCE holds barmen.exe, the pictures, 읽어보세요.txt and files.nsh (the
; File lines) and unfiles.nsh (the Delete lines) that make-packages writes.
; 64-bit, as the game is; Unicode, for the Hangul names.
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user

!include "MUI2.nsh"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\barmen"

Name "바르멘"
Caption "바르멘 ${VERSION} 설치"
OutFile "${OUT}"
InstallDir "$LOCALAPPDATA\Programs\바르멘"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
ShowInstDetails nevershow
ShowUninstDetails nevershow
BrandingText "바르멘 ${VERSION}"

VIProductVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=1042 "ProductName" "바르멘"
VIAddVersionKey /LANG=1042 "FileDescription" "바르멘 설치 프로그램"
VIAddVersionKey /LANG=1042 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1042 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1042 "LegalCopyright" "© 2026 the barmen maintainers"

!define MUI_ICON "${SOURCE}\barmen.ico"
!define MUI_UNICON "${SOURCE}\barmen.ico"
!define MUI_FINISHPAGE_RUN "$INSTDIR\barmen.exe"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Korean"

Section "바르멘"
    SetOutPath "$INSTDIR"
    !include "${SOURCE}\files.nsh"
    WriteUninstaller "$INSTDIR\uninstall.exe"

    ; The shortcut starts the game in its own folder, where its pictures
    ; and save.sav are: SetOutPath made that the working folder.
    SetShellVarContext current
    CreateShortcut "$SMPROGRAMS\바르멘.lnk" "$INSTDIR\barmen.exe" "" "$INSTDIR\barmen.exe" 0

    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "바르멘"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "the barmen maintainers"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\barmen.exe"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" ${SIZE_KB}
SectionEnd

; The program and its pictures go; save.sav, the player's, stays, and with
; it the folder.
Section "Uninstall"
    !include "${SOURCE}\unfiles.nsh"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    SetShellVarContext current
    Delete "$SMPROGRAMS\바르멘.lnk"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
