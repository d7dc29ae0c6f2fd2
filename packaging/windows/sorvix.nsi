; The Windows installer (NSIS). scripts/package-windows.sh runs makensis with
;   VERSION    the program's version (x.y.z)
;   STAGE      the staged program: Sorvix.exe, its DLLs and plug-ins, factory\
;   FILELIST   an include with the uninstaller's Delete and RMDir lines for
;              exactly the staged files
;   ICON       the program's icon (.ico)
;   OUTFILE    the installer to write
;
; Installs for the whole machine into Program Files. Each user's program
; folder (%LOCALAPPDATA%\Sorvix) is the program's own business: laid out from
; factory\ at that user's first start and refreshed after an upgrade by the
; program itself. Neither the installer nor the uninstaller touches it.
; A 64-bit installer: the program needs 64-bit Windows anyway, and Wine
; without its 32-bit part runs it too.
Target amd64-unicode
ManifestDPIAware true
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!include MUI2.nsh
!include x64.nsh
!include FileFunc.nsh
!include LogicLib.nsh

!define PRODUCT "Sorvix 抽奖软件"
!define SHORTCUT "Sorvix 抽奖软件.lnk"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Sorvix"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Sorvix"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "Sorvix ${VERSION}"

VIProductVersion "${VERSION}.0"
VIFileVersion "${VERSION}.0"
VIAddVersionKey /LANG=2052 "ProductName" "Sorvix"
VIAddVersionKey /LANG=2052 "FileDescription" "${PRODUCT} 安装程序"
VIAddVersionKey /LANG=2052 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=2052 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=2052 "CompanyName" "Sorvix developers"
VIAddVersionKey /LANG=2052 "LegalCopyright" "Sorvix developers"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_WELCOMEPAGE_TITLE "安装 ${PRODUCT} ${VERSION}"
!define MUI_WELCOMEPAGE_TEXT "本程序将把 ${PRODUCT} ${VERSION} 安装到这台电脑上，供所有用户使用。$\r$\n$\r$\n\
每个用户的人员名单、奖项设置和中奖结果保存在该用户自己的文件夹（%LOCALAPPDATA%\Sorvix）中；\
安装新版本或卸载都不会改动这些文件。$\r$\n$\r$\n点击“下一步”继续。"
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_FUNCTION StartProgram
!define MUI_FINISHPAGE_RUN_TEXT "现在启动 ${PRODUCT}"
!define MUI_UNCONFIRMPAGE_TEXT_TOP "将从这台电脑上卸载 ${PRODUCT}。各用户文件夹（%LOCALAPPDATA%\Sorvix）中的人员名单、设置和中奖结果会保留。"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "SimpChinese"

Function .onInit
  ${IfNot} ${RunningX64}
    MessageBox MB_ICONSTOP "${PRODUCT} 需要 64 位的 Windows 10 或 Windows 11。" /SD IDOK
    Abort
  ${EndIf}
  SetRegView 64
FunctionEnd

Function StartProgram
  Exec '"$INSTDIR\Sorvix.exe" --factory "$INSTDIR\factory"'
FunctionEnd

Function un.onInit
  SetRegView 64
FunctionEnd

Section "Sorvix"
  SetShellVarContext all
  ; An upgrade: the earlier version's own uninstaller takes its files away
  ; (in place, so the new files take their place), the factory folder with
  ; them; the program refreshes each user's factory copies at the next start.
  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 != ""
  ${AndIf} ${FileExists} "$0\uninstall.exe"
    ExecWait '"$0\uninstall.exe" /S _?=$0'
    Delete "$0\uninstall.exe"
  ${EndIf}

  SetOutPath "$INSTDIR"
  File /r "${STAGE}\*"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  CreateShortcut "$SMPROGRAMS\${SHORTCUT}" "$INSTDIR\Sorvix.exe" '--factory "$INSTDIR\factory"' \
    "$INSTDIR\Sorvix.exe" 0 SW_SHOWNORMAL "" "公司年会抽奖，在大屏幕上滚动姓名"
  CreateShortcut "$DESKTOP\${SHORTCUT}" "$INSTDIR\Sorvix.exe" '--factory "$INSTDIR\factory"' \
    "$INSTDIR\Sorvix.exe" 0 SW_SHOWNORMAL "" "公司年会抽奖，在大屏幕上滚动姓名"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Sorvix developers"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Sorvix.exe,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "Uninstall"
  SetShellVarContext all
  Delete "$SMPROGRAMS\${SHORTCUT}"
  Delete "$DESKTOP\${SHORTCUT}"
  ; Exactly the installed files: the folder may have been chosen beside others.
  !include "${FILELIST}"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
