; The Windows installer, pemtrix-1.000-setup.exe: a 64-bit installer that puts pemtrix.exe and
; its resources folder in the user's own programs folder, without administrator rights, with a
; Start menu shortcut and an entry in Settings > Apps. /S installs silently (/D=FOLDER, last,
; picks another folder); the uninstaller's /S removes it silently. Uninstalling leaves the
; user's settings, history and memory (HKCU\Software\Pemtrix) in place for a later install.
;
; Made by packaging/windows/make-installer, which names the Windows build folder by its full
; path (makensis reads relative names from this script's folder):
;   makensis -DBUILD_DIR=/full/path/build-windows -DOUTFILE=pemtrix-1.000-setup.exe pemtrix.nsi

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestDPIAware true

!ifndef BUILD_DIR
  !error "BUILD_DIR, the Windows build folder with pemtrix.exe and resources, is not defined"
!endif
!ifndef OUTFILE
  !define OUTFILE "pemtrix-1.000-setup.exe"
!endif

!define VERSION "1.000"
; Windows' four numbers for 1.000, as pemtrix.exe's own version resource has them.
!define VERSION_NUMBERS "1.0.0.0"
!define PUBLISHER "The Pemtrix developers"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Pemtrix"

!include "MUI2.nsh"
!include "FileFunc.nsh"

Name "Pemtrix"
OutFile "${OUTFILE}"
; The per-user programs folder, as Windows' own per-user installs use; a reinstall goes where
; the last install went.
InstallDir "$LOCALAPPDATA\Programs\Pemtrix"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
; A file that cannot be written (the program still running) stops the install instead of
; leaving the old file beside the new ones.
AllowSkipFiles off
BrandingText "Pemtrix ${VERSION}"

VIProductVersion "${VERSION_NUMBERS}"
VIFileVersion "${VERSION_NUMBERS}"
VIAddVersionKey /LANG=1033 "ProductName" "Pemtrix"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileDescription" "Pemtrix ${VERSION} Setup"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Copyright (c) 2026 ${PUBLISHER}, MIT licence"
VIAddVersionKey /LANG=1033 "OriginalFilename" "pemtrix-${VERSION}-setup.exe"

!define MUI_ICON "${BUILD_DIR}/pemtrix.ico"
!define MUI_UNICON "${BUILD_DIR}/pemtrix.ico"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\pemtrix.exe"

!insertmacro MUI_PAGE_WELCOME
; makensis reads relative names from this script's folder.
!insertmacro MUI_PAGE_LICENSE "../../LICENSE"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
; Said before uninstalling, as it is what a user who reinstalls later will want to know.
!define MUI_UNCONFIRMPAGE_TEXT_TOP "Pemtrix will be removed from the folder below. Your settings, history and memory stay, for a later install."
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; The Start menu and the local application data of the user running the installer.
Function .onInit
  SetShellVarContext current
FunctionEnd

Function un.onInit
  SetShellVarContext current
FunctionEnd

Section "Pemtrix"
  SetOutPath "$INSTDIR"
  File "${BUILD_DIR}/pemtrix.exe"
  ; The resources of this version only: images an earlier version had and this one has not go.
  RMDir /r "$INSTDIR\resources"
  File /r "${BUILD_DIR}/resources"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  ; Straight in the Programs folder, as Windows 10 and 11 list one program's single shortcut.
  CreateShortCut "$SMPROGRAMS\Pemtrix.lnk" "$INSTDIR\pemtrix.exe" "" "$INSTDIR\pemtrix.exe" 0

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Pemtrix"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\pemtrix.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ; In KB, what Settings > Apps shows as the size.
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

; What the install put there and nothing else: the folder goes only when empty, and the store
; under HKCU\Software\Pemtrix stays. The Uninstall key goes last, so that its absence means
; the uninstall is complete.
Section "Uninstall"
  Delete "$SMPROGRAMS\Pemtrix.lnk"
  Delete "$INSTDIR\pemtrix.exe"
  RMDir /r "$INSTDIR\resources"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
