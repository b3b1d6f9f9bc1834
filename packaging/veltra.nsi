; Veltra's installer: Veltra.exe and help.html in one folder under Program
; Files, a Start-menu folder with "Veltra" and "Veltra Help", and an
; uninstaller that removes exactly what was installed.
;
; Built by packaging/build.sh:
;   makensis -DAPP_DIR=<folder of Veltra.exe and help.html>
;            -DMAKER_H=<resources/maker.h> -DOUT_FILE=<installer exe> veltra.nsi

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma

!ifndef APP_DIR | MAKER_H | OUT_FILE
  !error "APP_DIR, MAKER_H and OUT_FILE must be defined (see packaging/build.sh)"
!endif

; The maker's names live in one place, resources/maker.h.
!searchparse /file "${MAKER_H}" '#define VELTRA_MAKER_NAME "' MAKER_NAME '"'
!searchparse /file "${MAKER_H}" '#define VELTRA_WEBSITE_ADDRESS "' WEBSITE_ADDRESS '"'
!searchparse /file "${MAKER_H}" '#define VELTRA_VERSION_TEXT "' VERSION_TEXT '"'

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Veltra"
!define MENU_FOLDER "$SMPROGRAMS\Veltra"

Name "Veltra ${VERSION_TEXT}"
OutFile "${OUT_FILE}"
InstallDir "$PROGRAMFILES64\Veltra"
RequestExecutionLevel admin
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "1.0.0.0"
VIAddVersionKey "ProductName" "Veltra"
VIAddVersionKey "CompanyName" "${MAKER_NAME}"
VIAddVersionKey "FileDescription" "Veltra ${VERSION_TEXT} Setup"
VIAddVersionKey "FileVersion" "${VERSION_TEXT}"
VIAddVersionKey "ProductVersion" "${VERSION_TEXT}"
VIAddVersionKey "LegalCopyright" "${MAKER_NAME}"

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Section "Veltra"
  ; Shortcuts for every user of the machine, like the program folder.
  SetShellVarContext all
  SetOutPath "$INSTDIR"
  File "${APP_DIR}/Veltra.exe"
  File "${APP_DIR}/help.html"
  WriteUninstaller "$INSTDIR\Uninstall.exe"

  CreateDirectory "${MENU_FOLDER}"
  CreateShortcut "${MENU_FOLDER}\Veltra.lnk" "$INSTDIR\Veltra.exe" "" "$INSTDIR\Veltra.exe" 0
  CreateShortcut "${MENU_FOLDER}\Veltra Help.lnk" "$INSTDIR\help.html"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Veltra ${VERSION_TEXT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION_TEXT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${MAKER_NAME}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "URLInfoAbout" "${WEBSITE_ADDRESS}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Veltra.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  SetShellVarContext all
  ; Only what the installer put there: files the user added stay, and then
  ; so does the folder (RMDir without /r removes only an empty folder).
  Delete "${MENU_FOLDER}\Veltra.lnk"
  Delete "${MENU_FOLDER}\Veltra Help.lnk"
  RMDir "${MENU_FOLDER}"
  Delete "$INSTDIR\Veltra.exe"
  Delete "$INSTDIR\help.html"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
