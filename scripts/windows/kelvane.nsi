; SPDX-License-Identifier: GPL-3.0-or-later
; Per-user installer: %LOCALAPPDATA%\Programs\Kelvane, a Start-menu shortcut,
; and an uninstaller that Apps lists. No administrator rights are asked for.
; makensis -DVERSION=x.y.z -DDEPLOY=<deploy folder> -DICON=<kelvane.ico> -DOUTFILE=<setup.exe> kelvane.nsi
; Saved as UTF-8 with a byte-order mark: makensis on Windows reads a file
; without one in the system's code page, and the texts below would be garbled.
Unicode true
; The program is 64-bit; so is its installer (Wine runs it without 32-bit support).
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user

!define APPNAME "Kelvane"
!define PUBLISHER "The Kelvane developers"
!define UNINSTKEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Kelvane"

!include "MUI2.nsh"

Name "${APPNAME} ${VERSION}"
OutFile "${OUTFILE}"
!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
InstallDir "$LOCALAPPDATA\Programs\Kelvane"
InstallDirRegKey HKCU "${UNINSTKEY}" "InstallLocation"
ShowInstDetails nevershow

; The language chosen at the first install is the one a later install and
; the uninstaller use without asking. It is kept in the uninstall key, so
; the uninstaller removes it with the rest.
!define MUI_LANGDLL_REGISTRY_ROOT HKCU
!define MUI_LANGDLL_REGISTRY_KEY "${UNINSTKEY}"
!define MUI_LANGDLL_REGISTRY_VALUENAME "Installer Language"
; A Unicode installer shows every language's own name on any system, so the
; list is not narrowed to the system's code page.
!define MUI_LANGDLL_ALLLANGUAGES

!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

; English first: it is the default where the system's language is none of these.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "German"
!insertmacro MUI_LANGUAGE "French"
!insertmacro MUI_LANGUAGE "Spanish"
!insertmacro MUI_LANGUAGE "Italian"
!insertmacro MUI_LANGUAGE "PortugueseBR"
!insertmacro MUI_LANGUAGE "Dutch"
!insertmacro MUI_LANGUAGE "Polish"
!insertmacro MUI_LANGUAGE "Russian"
!insertmacro MUI_LANGUAGE "Japanese"
!insertmacro MUI_LANGUAGE "SimpChinese"
!insertmacro MUI_LANGUAGE "Arabic"
!insertmacro MUI_LANGUAGE "Hebrew"
!insertmacro MUI_RESERVEFILE_LANGDLL

; The Start-menu shortcut's description, which Windows shows as its tool tip.
LangString SHORTCUT_COMMENT ${LANG_ENGLISH} "Turn a folder of pictures into a web page"
LangString SHORTCUT_COMMENT ${LANG_GERMAN} "Einen Bilderordner in eine Webseite umwandeln"
LangString SHORTCUT_COMMENT ${LANG_FRENCH} "Transformer un dossier d’images en page web"
LangString SHORTCUT_COMMENT ${LANG_SPANISH} "Convertir una carpeta de imágenes en una página web"
LangString SHORTCUT_COMMENT ${LANG_ITALIAN} "Trasforma una cartella di immagini in una pagina web"
LangString SHORTCUT_COMMENT ${LANG_PORTUGUESEBR} "Transforme uma pasta de imagens em uma página web"
LangString SHORTCUT_COMMENT ${LANG_DUTCH} "Zet een map met afbeeldingen om in een webpagina"
LangString SHORTCUT_COMMENT ${LANG_POLISH} "Tworzenie strony internetowej z obrazów w folderze"
LangString SHORTCUT_COMMENT ${LANG_RUSSIAN} "Создание веб-страницы из изображений в папке"
LangString SHORTCUT_COMMENT ${LANG_JAPANESE} "フォルダーの画像から Web ページを作成します"
LangString SHORTCUT_COMMENT ${LANG_SIMPCHINESE} "将一个文件夹中的图片制作成网页"
LangString SHORTCUT_COMMENT ${LANG_ARABIC} "حوّل مجلدًا من الصور إلى صفحة ويب"
LangString SHORTCUT_COMMENT ${LANG_HEBREW} "הפיכת תיקיית תמונות לדף אינטרנט"

Function .onInit
    ; The dialog is left out of a silent install (/S), which keeps the
    ; language Windows gives the user, or English.
    !insertmacro MUI_LANGDLL_DISPLAY
FunctionEnd

Function un.onInit
    !insertmacro MUI_UNGETLANGUAGE
FunctionEnd

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
    CreateShortCut "$SMPROGRAMS\Kelvane.lnk" "$INSTDIR\kelvane.exe" "" "" "" "" "" "$(SHORTCUT_COMMENT)"
    WriteRegStr HKCU "${UNINSTKEY}" "DisplayName" "${APPNAME}"
    WriteRegStr HKCU "${UNINSTKEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTKEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKCU "${UNINSTKEY}" "DisplayIcon" "$INSTDIR\kelvane.exe"
    WriteRegStr HKCU "${UNINSTKEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTKEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKCU "${UNINSTKEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKCU "${UNINSTKEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTKEY}" "NoRepair" 1
    ; The pages store the language only as the install page is left, and a
    ; silent install shows no page.
    WriteRegStr HKCU "${UNINSTKEY}" "${MUI_LANGDLL_REGISTRY_VALUENAME}" $LANGUAGE
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
