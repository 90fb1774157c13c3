; The Windows installers. scripts/package-windows builds them from `cmake --install` stages:
;   makensis -NOCD -DVERSION=4.3 -DVERSION4=4.3.0.0 -DARCH=x64|x86 -DFILES=<files.nsh>
;            -DICON=<.ico> -DOUTFILE=<setup.exe> quillet.nsi
; run from the folder that holds the stages (the paths given are relative to it). FILES
; defines, for each set of programs the installer carries (x64, x86), HAS_<set>,
; SIZE_KB_<set> and the macro InstallFiles_<set>, and the macro RemoveFiles for the files of
; every set, so the uninstaller removes exactly what the installer wrote and nothing else.
;
; ARCH x64 is the 64-bit installer with both sets: a 64-bit program cannot load a 32-bit
; in-process server, so where the host's application class is registered only as one it
; installs the 32-bit programs, else the 64-bit ones (/X86 or /X64 chooses by hand).
; ARCH x86 is the 32-bit installer, for 32-bit Windows, with the 32-bit programs only.
;
; No ZOR.INI is ever written where the program reads one (its own folder, then the Windows
; folder): a sample there would hide the host's shared file. The sample goes to Samples\,
; and a ZOR.INI already in the installation folder stays as it is, through uninstall too.

!ifndef VERSION | VERSION4 | ARCH | FILES | ICON | OUTFILE
  !error "VERSION, VERSION4, ARCH, FILES, ICON and OUTFILE must be defined"
!endif

Unicode true
!if "${ARCH}" == x64
  Target amd64-unicode
  !define REG_VIEW 64
  !define PROGRAM_FILES "$PROGRAMFILES64"
!else if "${ARCH}" == x86
  Target x86-unicode
  !define REG_VIEW 32
  !define PROGRAM_FILES "$PROGRAMFILES"
!else
  !error "ARCH must be x64 or x86"
!endif
SetCompressor /SOLID lzma
; Installed files carry the installation time, not the build's: the same stage gives the
; same installer.
SetDateSave off
ManifestDPIAware true
RequestExecutionLevel admin

!define APP "Quillet"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Quillet"
!define UNINSTALLER "Uninstall.exe"
; The host's application object.
!define HOST_CLASS "{13C0F70D-B865-4983-9376-88A7B00C2262}"

Name "${APP} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "${PROGRAM_FILES}\${APP}"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${APP} ${VERSION}"

VIProductVersion "${VERSION4}"
VIAddVersionKey /LANG=1033 "ProductName" "${APP}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileDescription" "${APP} ${VERSION} Setup"
VIAddVersionKey /LANG=1033 "LegalCopyright" "The ${APP} developers"

!include "MUI2.nsh"
!include "FileFunc.nsh"
!include "LogicLib.nsh"
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

; The set of programs to install: x64 or x86.
Var Programs

Function .onInit
  SetRegView ${REG_VIEW}
  SetShellVarContext all
!ifdef HAS_x64
  Call ChoosePrograms
!else
  StrCpy $Programs x86
!endif
FunctionEnd

Function un.onInit
  SetRegView ${REG_VIEW}
  SetShellVarContext all
FunctionEnd

!ifdef HAS_x64
; $0 becomes 1 when the host's class has the server key KEY in registry view VIEW, else 0.
!macro HostClassKey VIEW KEY
  SetRegView ${VIEW}
  ClearErrors
  ; Fails (sets the error flag) when the key is missing.
  EnumRegKey $1 HKCR "CLSID\${HOST_CLASS}\${KEY}" 0
  ${If} ${Errors}
    StrCpy $0 0
  ${Else}
    StrCpy $0 1
  ${EndIf}
  SetRegView ${REG_VIEW}
!macroend

Function ChoosePrograms
  ${GetParameters} $2
  ClearErrors
  ${GetOptions} $2 "/X86" $1
  ${IfNot} ${Errors}
    StrCpy $Programs x86
    Return
  ${EndIf}
  ClearErrors
  ${GetOptions} $2 "/X64" $1
  ${IfNot} ${Errors}
    StrCpy $Programs x64
    Return
  ${EndIf}
  ; The 32-bit programs only for a 32-bit in-process server and nothing a 64-bit program
  ; could use: no 64-bit one, no local server (which serves either kind).
  StrCpy $Programs x64
  !insertmacro HostClassKey 32 InprocServer32
  ${If} $0 == 0
    Return
  ${EndIf}
  !insertmacro HostClassKey 64 InprocServer32
  StrCpy $3 $0
  !insertmacro HostClassKey 32 LocalServer32
  IntOp $3 $3 | $0
  !insertmacro HostClassKey 64 LocalServer32
  IntOp $3 $3 | $0
  ${If} $3 == 0
    StrCpy $Programs x86
  ${EndIf}
FunctionEnd
!endif

Section "Install"
  ${If} $Programs == x86
    DetailPrint "Installing the 32-bit programs."
    !insertmacro InstallFiles_x86
    StrCpy $0 ${SIZE_KB_x86}
  ${Else}
!ifdef HAS_x64
    DetailPrint "Installing the 64-bit programs."
    !insertmacro InstallFiles_x64
    StrCpy $0 ${SIZE_KB_x64}
!endif
  ${EndIf}
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"
  CreateShortcut "$SMPROGRAMS\${APP}.lnk" "$INSTDIR\quillet.exe" "" "$INSTDIR\quillet.exe" 0

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${APP}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "The ${APP} developers"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\quillet.exe,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
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
