; SPDX-License-Identifier: GPL-3.0-or-later
; Per-user installer: %LOCALAPPDATA%\Programs\Kelvane, a Start-menu shortcut,
; and an uninstaller that Apps lists. No administrator rights are asked for.
; makensis -DVERSION=x.y.z -DDEPLOY=<deploy folder> -DICON=<kelvane.ico> -DOUTFILE=<setup.exe> kelvane.nsi
Unicode true
; The program is 64-bit; so is its installer (Wine runs it without 32-bit support).
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user

!define APPNAME "Kelvane"
!define PUBLISHER "The Kelvane developers"
!define UNINSTKEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Kelvane"

Name "${APPNAME} ${VERSION}"
OutFile "${OUTFILE}"
Icon "${ICON}"
UninstallIcon "${ICON}"
InstallDir "$LOCALAPPDATA\Programs\Kelvane"
InstallDirRegKey HKCU "${UNINSTKEY}" "InstallLocation"
ShowInstDetails nevershow

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Section "Kelvane"
    SetShellVarContext current
    SetOutPath "$INSTDIR"
    ; Every file here is named again in the uninstaller's list, which is
    ; made from the same deploy folder.
    !include "${DEPLOY}.files.nsh"
    WriteUninstaller "$INSTDIR\uninstall.exe"
    ; The shortcut starts the program in the output folder of the moment:
    ; the user's pictures, which a first start with no stored folder opens.
    SetOutPath "$PICTURES"
    CreateShortCut "$SMPROGRAMS\Kelvane.lnk" "$INSTDIR\kelvane.exe"
    WriteRegStr HKCU "${UNINSTKEY}" "DisplayName" "${APPNAME}"
    WriteRegStr HKCU "${UNINSTKEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTKEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKCU "${UNINSTKEY}" "DisplayIcon" "$INSTDIR\kelvane.exe"
    WriteRegStr HKCU "${UNINSTKEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTKEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKCU "${UNINSTKEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKCU "${UNINSTKEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTKEY}" "NoRepair" 1
SectionEnd

; Removes only the files the installer put there: the user's Kelvane.INI
; lives in %APPDATA% and the pages beside the pictures, and a folder that
; still holds anything else stays.
Section "Uninstall"
    SetShellVarContext current
    !include "${DEPLOY}.uninstall.nsh"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    Delete "$SMPROGRAMS\Kelvane.lnk"
    DeleteRegKey HKCU "${UNINSTKEY}"
SectionEnd
