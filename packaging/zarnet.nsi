; The Zarnet setup program: the i686 programs into Program Files, Start menu
; entries, the .zrf registration zarnet-assoc.exe makes, and an uninstaller.
; makensis -DVERSION=x.y.z -DSOURCE=<unpacked programs> -DOUTFILE=<setup.exe>

Unicode false
SetCompressor /SOLID lzma
Name "Zarnet ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES\Zarnet"
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
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
