; The Windows installer (makensis 3, Debian's nsis):
;   makensis -DBUNDLE=DIR -DFILES=LIST.nsh -DVERSION=X.Y -DOUTFILE=SETUP.exe korvalisedit.nsi
; BUNDLE is the portable folder; FILES lists its files and folders as
; uninstall lines (scripts/win/bundle.sh writes both). Per-machine, into
; Program Files; /S installs and uninstalls silently.
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!include MUI2.nsh
!include FileFunc.nsh

!define APP "KorvalisEdit"
!define NAME "Korvalis Editor"
!define EXE "korvalisedit.exe"
!define UNINST_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${APP}"

Name "${NAME} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${APP}"
InstallDirRegKey HKLM "Software\${APP}" "InstallDir"
BrandingText "${NAME} ${VERSION}"
VIProductVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=0 "ProductName" "${NAME}"
VIAddVersionKey /LANG=0 "FileDescription" "${NAME} ${VERSION} setup"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "LegalCopyright" "The KorvalisEdit developers"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\${EXE}"
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
; The first is the default: the game is Italian.
!insertmacro MUI_LANGUAGE "Italian"
!insertmacro MUI_LANGUAGE "English"

; One item extension: a ProgID of its own with the program's icon, whose
; "open" runs the editor on the file.
!macro Associate EXT DESC
  WriteRegStr HKLM "Software\Classes\.${EXT}" "" "${APP}.${EXT}"
  WriteRegStr HKLM "Software\Classes\${APP}.${EXT}" "" "${DESC}"
  WriteRegStr HKLM "Software\Classes\${APP}.${EXT}\DefaultIcon" "" "$INSTDIR\${EXE},0"
  WriteRegStr HKLM "Software\Classes\${APP}.${EXT}\shell\open\command" "" '"$INSTDIR\${EXE}" "%1"'
  WriteRegStr HKLM "Software\Classes\Applications\${EXE}\SupportedTypes" ".${EXT}" ""
!macroend

; An extension another program took over since is left to it.
!macro Unassociate EXT DESC
  ReadRegStr $0 HKLM "Software\Classes\.${EXT}" ""
  StrCmp $0 "${APP}.${EXT}" 0 +2
    DeleteRegKey HKLM "Software\Classes\.${EXT}"
  DeleteRegKey HKLM "Software\Classes\${APP}.${EXT}"
!macroend

!macro ItemTypes OP
  !insertmacro ${OP} kva "Korvalis hook"
  !insertmacro ${OP} kve "Korvalis bait"
  !insertmacro ${OP} kvg "Korvalis float"
  !insertmacro ${OP} kvp "Korvalis sinker"
  !insertmacro ${OP} kvn "Korvalis fishing rod"
  !insertmacro ${OP} kvm "Korvalis reel"
  !insertmacro ${OP} kvt "Korvalis groundbait"
  !insertmacro ${OP} kvl "Korvalis venue"
  !insertmacro ${OP} kvs "Korvalis fish-presence list"
!macroend

Function .onInit
  SetRegView 64
  SetShellVarContext all
  !insertmacro MUI_LANGDLL_DISPLAY
FunctionEnd

Function un.onInit
  SetRegView 64
  SetShellVarContext all
  !insertmacro MUI_UNGETLANGUAGE
FunctionEnd

Section "${NAME}" SecMain
  SectionIn RO
  SetOutPath "$INSTDIR"
  File /r "${BUNDLE}\*.*"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortCut "$SMPROGRAMS\${NAME}.lnk" "$INSTDIR\${EXE}" "" "$INSTDIR\${EXE}" 0

  !insertmacro ItemTypes Associate
  WriteRegStr HKLM "Software\Classes\Applications\${EXE}" "FriendlyAppName" "${NAME}"

  WriteRegStr HKLM "Software\${APP}" "InstallDir" "$INSTDIR"
  WriteRegStr HKLM "${UNINST_KEY}" "DisplayName" "${NAME}"
  WriteRegStr HKLM "${UNINST_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINST_KEY}" "Publisher" "The KorvalisEdit developers"
  WriteRegStr HKLM "${UNINST_KEY}" "DisplayIcon" "$INSTDIR\${EXE},0"
  WriteRegStr HKLM "${UNINST_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINST_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINST_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINST_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINST_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  IntFmt $0 "0x%08X" $0
  WriteRegDWORD HKLM "${UNINST_KEY}" "EstimatedSize" "$0"

  ; Explorer re-reads the associations (SHCNE_ASSOCCHANGED).
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
SectionEnd

Section "Uninstall"
  !insertmacro ItemTypes Unassociate
  DeleteRegKey HKLM "Software\Classes\Applications\${EXE}"
  Delete "$SMPROGRAMS\${NAME}.lnk"
  ; Exactly the files the installer wrote, then their folders if empty:
  ; whatever else the user keeps there stays.
  !include "${FILES}"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINST_KEY}"
  DeleteRegKey HKLM "Software\${APP}"
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
SectionEnd
