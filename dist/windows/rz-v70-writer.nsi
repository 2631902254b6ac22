; The Windows installer of RZ-V70 Writer (NSIS 3, Unicode, a 64-bit setup
; program). package.sh builds it:
;
;   makensis /DVERSION=2.00 /DSTAGE=/abs/portable-folder /DOUTFILE=/abs/setup.exe \
;            dist/windows/rz-v70-writer.nsi
;
; It installs everything in STAGE, per machine, to
; "$PROGRAMFILES64\RZ-V70 Writer", with an uninstaller, a Start-menu folder and
; the Add/Remove Programs entry. The user's own files (the configuration and
; the backups under %APPDATA% and %LOCALAPPDATA%) are never touched, neither
; by the installer nor by the uninstaller.
;
; How the uninstaller knows what to remove: at build time the list of every
; file and folder in STAGE is written to a temporary include file (below), and
; the uninstaller deletes exactly those files, then removes those folders and
; the install folder only if they are empty. This is the safe choice over
; "RMDir /r $INSTDIR": whatever else is in the folder (a file the user put
; there, or the contents of a folder chosen by mistake, such as
; "C:\Program Files" itself) stays where it is.

!ifndef VERSION | STAGE | OUTFILE
  !error "define VERSION, STAGE and OUTFILE: makensis /DVERSION=2.00 /DSTAGE=<folder> /DOUTFILE=<setup.exe>"
!endif

Unicode true
; A 64-bit setup program for a 64-bit program: it runs on every Windows that
; can run the program (and under a Wine without 32-bit support).
Target amd64-unicode
ManifestDPIAware true
SetCompressor /SOLID lzma

!include MUI2.nsh
!include x64.nsh
!include LogicLib.nsh
!include FileFunc.nsh

!define PRODUCT "RZ-V70 Writer"
!define PUBLISHER "RZ-V70 Writer developers"
!define EXE "rz-v70-writer.exe"
!define UNINSTALLER "uninstall.exe"
!define UNINST_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
!define MENU_FOLDER "$SMPROGRAMS\${PRODUCT}"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${PRODUCT}"
InstallDirRegKey HKLM "${UNINST_KEY}" "InstallLocation"
RequestExecutionLevel admin
ShowInstDetails show
ShowUninstDetails show
BrandingText "${PRODUCT} ${VERSION}"

; The setup program's own version block: "2.00" is shown as 2.0.0.0.
!searchparse /noerrors "${VERSION}" "" VI_MAJOR "." VI_MINOR "." VI_PATCH
!define /ifndef VI_MAJOR 0
!define /ifndef VI_MINOR 0
!define /ifndef VI_PATCH 0
!define /math VI_MAJOR_N ${VI_MAJOR} + 0
!define /math VI_MINOR_N ${VI_MINOR} + 0
!define /math VI_PATCH_N ${VI_PATCH} + 0
VIProductVersion "${VI_MAJOR_N}.${VI_MINOR_N}.${VI_PATCH_N}.0"
VIFileVersion "${VI_MAJOR_N}.${VI_MINOR_N}.${VI_PATCH_N}.0"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "${PUBLISHER}"

!define MUI_ICON "${__FILEDIR__}/rz-v70-writer.ico"
!define MUI_UNICON "${__FILEDIR__}/rz-v70-writer.ico"
!define MUI_ABORTWARNING

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; The uninstaller's list, made from STAGE: "Delete" for every file, then
; "RMDir" for every folder, the deepest first. (makensis turns each backslash
; of a !system command into a slash, so the script makes its backslashes and
; quotes with awk's %c; a "$" in a name is written "$$"; a name with a double quote,
; which Windows forbids, stops the build.)
!tempfile UNINSTALL_LIST
!define LIST_AWK `'BEGIN { b = sprintf("%c", 92); q = sprintf("%c", 34) } { p = substr($0, 3); if (index(p, q)) exit 1; gsub("/", b, p); gsub(/[$]/, "$$", p); printf "  %s %s$INSTDIR%s%s%s%c", k, q, b, p, q, 10 }'`
!system `cd "${STAGE}" && test -f "./${EXE}" && { find . -mindepth 1 ! -type d | LC_ALL=C sort | awk -v "k=Delete /REBOOTOK" ${LIST_AWK} && find . -mindepth 1 -type d | LC_ALL=C sort -r | awk -v "k=RMDir /REBOOTOK" ${LIST_AWK}; } > "${UNINSTALL_LIST}"` = 0

Function .onInit
  ${IfNot} ${RunningX64}
    MessageBox MB_OK|MB_ICONSTOP "${PRODUCT} needs a 64-bit Windows." /SD IDOK
    Abort
  ${EndIf}
  SetRegView 64
  UserInfo::GetAccountType
  Pop $0
  ${If} $0 != "admin"
    MessageBox MB_OK|MB_ICONSTOP "Installing ${PRODUCT} needs administrator rights." /SD IDOK
    SetErrorLevel 740 ; ERROR_ELEVATION_REQUIRED
    Quit
  ${EndIf}
FunctionEnd

Section "Install"
  SetRegView 64
  SetShellVarContext all

  ; An earlier installation (in this folder or another) first removes its
  ; own files with its own uninstaller, so that no file of an older version
  ; stays behind that this version's uninstaller would not know.
  ReadRegStr $0 HKLM "${UNINST_KEY}" "InstallLocation"
  ${If} $0 != ""
  ${AndIf} ${FileExists} "$0\${UNINSTALLER}"
    DetailPrint "Removing the earlier installation in $0"
    ExecWait '"$0\${UNINSTALLER}" /S _?=$0'
    Delete "$0\${UNINSTALLER}"
    RMDir "$0"
  ${EndIf}

  SetOutPath "$INSTDIR"
  File /r "${STAGE}/*"
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"

  CreateDirectory "${MENU_FOLDER}"
  CreateShortcut "${MENU_FOLDER}\${PRODUCT}.lnk" "$INSTDIR\${EXE}" "" "$INSTDIR\${EXE}" 0

  WriteRegStr HKLM "${UNINST_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINST_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINST_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINST_KEY}" "DisplayIcon" "$INSTDIR\${EXE},0"
  WriteRegStr HKLM "${UNINST_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINST_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr HKLM "${UNINST_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
  WriteRegDWORD HKLM "${UNINST_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINST_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKLM "${UNINST_KEY}" "EstimatedSize" $0
SectionEnd

Function un.onInit
  SetRegView 64
FunctionEnd

Section "Uninstall"
  SetRegView 64
  SetShellVarContext all

  ; A file still in use (the program left running) goes at the next restart.
!include "${UNINSTALL_LIST}"
!delfile "${UNINSTALL_LIST}"
  Delete "$INSTDIR\${UNINSTALLER}"
  RMDir /REBOOTOK "$INSTDIR"

  Delete "${MENU_FOLDER}\${PRODUCT}.lnk"
  RMDir "${MENU_FOLDER}"

  DeleteRegKey HKLM "${UNINST_KEY}"
SectionEnd
