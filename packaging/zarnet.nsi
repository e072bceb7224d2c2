; The Zarnet setup program: the i686 programs into Program Files, Start menu
; entries, the .zrf registration zarnet-assoc.exe makes, the .zrf file type,
; and an uninstaller.
; makensis -DVERSION=x.y.z -DSOURCE=<unpacked programs> -DOUTFILE=<setup.exe>

!ifdef AMD64
  ; -DAMD64: the same setup for the x86_64 programs, which the package test
  ; installs where 32-bit programs cannot run. It is not shipped.
  Target amd64-unicode
  InstallDir "$PROGRAMFILES64\Zarnet"
!else
  Unicode false
  InstallDir "$PROGRAMFILES\Zarnet"
!endif
SetCompressor /SOLID lzma
Name "Zarnet ${VERSION}"
OutFile "${OUTFILE}"
RequestExecutionLevel admin
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "Zarnet"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "FileDescription" "Zarnet setup"
VIAddVersionKey "CompanyName" "The Zarnet developers"
VIAddVersionKey "LegalCopyright" "Copyright (c) the Zarnet developers, MIT licence"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Zarnet"
; As zarnet-assoc.exe registers the designer on every Windows of the NT line.
!define OPEN_KEY "Applications\Zarnet.exe\shell\open\command"
!define EXTS_KEY "Software\Microsoft\Windows\CurrentVersion\Explorer\FileExts\.zrf"
; The file type as current Windows wants it, for all users: .zrf names our
; ProgID, which holds the open command, the design file icon (Zarnet.exe's
; icon 2) and the Edit and Preview verbs.
!define PROGID "Zarnet.Design.1"
!define EXT_KEY "Software\Classes\.zrf"
!define PROGID_KEY "Software\Classes\${PROGID}"
; SHCNE_ASSOCCHANGED: Explorer reads the file types again.
!define NOTIFY_SHELL "System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'"

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Section "Zarnet"
  SetOutPath "$INSTDIR"
  File "${SOURCE}\Zarnet.exe"
  File "${SOURCE}\Pelmo.exe"
  File "${SOURCE}\zarnet-assoc.exe"
  File "${SOURCE}\zarnet-cli.exe"
  File "${SOURCE}\example.zrf"
  File "${SOURCE}\README.txt"
  File "${SOURCE}\LICENSE.txt"
  SetOutPath "$INSTDIR\templates"
  File "${SOURCE}\templates\*.zrf"
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  SetShellVarContext all
  CreateDirectory "$SMPROGRAMS\Zarnet"
  CreateShortcut "$SMPROGRAMS\Zarnet\Zarnet.lnk" "$INSTDIR\Zarnet.exe"
  CreateShortcut "$SMPROGRAMS\Zarnet\Pelmo.lnk" "$INSTDIR\Pelmo.exe"
  CreateShortcut "$SMPROGRAMS\Zarnet\Uninstall Zarnet.lnk" "$INSTDIR\uninstall.exe"

  WriteRegStr HKCR "${OPEN_KEY}" "" '"$INSTDIR\Zarnet.exe" "%1"'
  WriteRegStr HKCU "${EXTS_KEY}" "Application" "Zarnet.exe"

  WriteRegStr HKLM "${PROGID_KEY}" "" "Zarnet design"
  WriteRegStr HKLM "${PROGID_KEY}\DefaultIcon" "" "$INSTDIR\Zarnet.exe,-2"
  WriteRegStr HKLM "${PROGID_KEY}\shell" "" "open"
  WriteRegStr HKLM "${PROGID_KEY}\shell\open\command" "" '"$INSTDIR\Zarnet.exe" "%1"'
  WriteRegStr HKLM "${PROGID_KEY}\shell\edit" "" "&Edit"
  WriteRegStr HKLM "${PROGID_KEY}\shell\edit\command" "" '"$INSTDIR\Zarnet.exe" "%1"'
  WriteRegStr HKLM "${PROGID_KEY}\shell\preview" "" "&Preview"
  WriteRegStr HKLM "${PROGID_KEY}\shell\preview\command" "" '"$INSTDIR\Pelmo.exe" "%1"'
  WriteRegStr HKLM "${EXT_KEY}" "" "${PROGID}"
  WriteRegNone HKLM "${EXT_KEY}\OpenWithProgids" "${PROGID}"
  ${NOTIFY_SHELL}

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Zarnet ${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "The Zarnet developers"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Zarnet.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  ; Our programs and the files they keep beside them; designs the user saved
  ; there stay, and so does the folder then.
  Delete "$INSTDIR\Zarnet.exe"
  Delete "$INSTDIR\Pelmo.exe"
  Delete "$INSTDIR\zarnet-assoc.exe"
  Delete "$INSTDIR\zarnet-cli.exe"
  Delete "$INSTDIR\example.zrf"
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\Zarnet.exe.manifest"
  Delete "$INSTDIR\Pelmo.exe.manifest"
  Delete "$INSTDIR\preferences.zrp"
  Delete "$INSTDIR\backup"
  Delete "$INSTDIR\recent.zrl"
  Delete "$INSTDIR\templates\Dialog with OK and Cancel.zrf"
  Delete "$INSTDIR\templates\Settings with two tabs.zrf"
  Delete "$INSTDIR\templates\Main window with splitter.zrf"
  RMDir "$INSTDIR\templates"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"

  SetShellVarContext all
  Delete "$SMPROGRAMS\Zarnet\Zarnet.lnk"
  Delete "$SMPROGRAMS\Zarnet\Pelmo.lnk"
  Delete "$SMPROGRAMS\Zarnet\Uninstall Zarnet.lnk"
  RMDir "$SMPROGRAMS\Zarnet"

  ; The settings of the user who uninstalls.
  SetShellVarContext current
  Delete "$APPDATA\Zarnet\preferences.zrp"
  Delete "$APPDATA\Zarnet\backup"
  Delete "$APPDATA\Zarnet\recent.zrl"
  RMDir "$APPDATA\Zarnet"

  ; The registration, only while it still names this copy (a portable copy
  ; may have been registered since).
  ReadRegStr $0 HKCR "${OPEN_KEY}" ""
  StrCmp $0 '"$INSTDIR\Zarnet.exe" "%1"' 0 keep_registration
    DeleteRegKey HKCR "Applications\Zarnet.exe"
    DeleteRegValue HKCU "${EXTS_KEY}" "Application"
    DeleteRegKey /ifempty HKCU "${EXTS_KEY}"
  keep_registration:

  ; The file type: our ProgID and our entry among .zrf's programs go; .zrf
  ; keeps its default when another program has claimed it since, and the
  ; key itself stays while anything else is left in it.
  DeleteRegKey HKLM "${PROGID_KEY}"
  DeleteRegValue HKLM "${EXT_KEY}\OpenWithProgids" "${PROGID}"
  DeleteRegKey /ifempty HKLM "${EXT_KEY}\OpenWithProgids"
  ReadRegStr $0 HKLM "${EXT_KEY}" ""
  StrCmp $0 "${PROGID}" 0 keep_extension
    DeleteRegValue HKLM "${EXT_KEY}" ""
  keep_extension:
  DeleteRegKey /ifempty HKLM "${EXT_KEY}"
  ${NOTIFY_SHELL}

  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
