; The Windows installer. scripts/package-windows builds it from a `cmake --install` stage:
;   makensis -NOCD -DVERSION=4.3 -DVERSION4=4.3.0.0 -DFILES=<files.nsh> -DICON=<.ico>
;            -DSIZE_KB=<n> -DOUTFILE=<setup.exe> quillet.nsi
; run from the folder that holds the stage (the paths given are relative to it). FILES defines the macros InstallFiles and RemoveFiles from the stage's file list, so the
; uninstaller removes exactly what the installer wrote and nothing else.
;
; No ZOR.INI is ever written where the program reads one (its own folder, then the Windows
; folder): a sample there would hide the host's shared file. The sample goes to Samples\,
; and a ZOR.INI already in the installation folder stays as it is, through uninstall too.

!ifndef VERSION | VERSION4 | FILES | ICON | SIZE_KB | OUTFILE
  !error "VERSION, VERSION4, FILES, ICON, SIZE_KB and OUTFILE must be defined"
!endif

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
; Installed files carry the installation time, not the build's: the same stage gives the
; same installer.
SetDateSave off
ManifestDPIAware true
RequestExecutionLevel admin

!define APP "Quillet"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Quillet"
!define UNINSTALLER "Uninstall.exe"

Name "${APP} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${APP}"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${APP} ${VERSION}"

VIProductVersion "${VERSION4}"
VIAddVersionKey /LANG=1033 "ProductName" "${APP}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileDescription" "${APP} ${VERSION} Setup"
VIAddVersionKey /LANG=1033 "LegalCopyright" "The ${APP} developers"

!include "MUI2.nsh"
!include "${FILES}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Function .onInit
  SetRegView 64
  SetShellVarContext all
FunctionEnd

Function un.onInit
  SetRegView 64
  SetShellVarContext all
FunctionEnd

Section "Install"
  !insertmacro InstallFiles
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"
  CreateShortcut "$SMPROGRAMS\${APP}.lnk" "$INSTDIR\quillet.exe" "" "$INSTDIR\quillet.exe" 0

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${APP}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "The ${APP} developers"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\quillet.exe,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" ${SIZE_KB}
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  ; Each file by name, never the folder as a whole: a ZOR.INI or anything else the user
  ; keeps there survives, and the folders go only once they are empty.
  !insertmacro RemoveFiles
  Delete "$SMPROGRAMS\${APP}.lnk"
  Delete "$INSTDIR\${UNINSTALLER}"
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
