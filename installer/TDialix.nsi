; The TDialix installer, one for each bitness, built on Linux with makensis
; by scripts/make-packages.sh:
;   makensis -DBITS=64|32 -DVERSION=2.0.1 -DPROGRAM=<folder of TDialix.exe>
;            -DHELP=<TDialix.chm> -DSAMPLES=<samples.nsh> -DICON=<TDialix.ico>
;            -DOUTFILE=<setup.exe> TDialix.nsi
;
; It installs for the current user only, without administrator rights, into
; the user's programs folder, and registers its uninstaller in the user's
; installed-programs list. The start-up shortcut and the style-file
; association are made by the program itself (its "/startup:" and
; "/associate:" switches), so that they are exactly what its settings dialog
; makes and removes. "/S" installs and uninstalls without asking.

Unicode true
!if ${BITS} == 64
  Target amd64-unicode
!else
  Target x86-unicode
!endif

!define PRODUCT "TDialix"
!define PUBLISHER "Team Orvane"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\TDialix"
!define CLASSES "Software\Classes"
!define OWN_ASSOCIATION "TeamOrvaneTDialix2"
!define MASTER_CLASS "TDialixMaster"
!define WM_DIALIX_CLOSE 0x8003
; How long a running TDialix may take to save and end (it gives back the
; notification icon and the taskbar clock on the way).
!define CLOSE_WAIT_MS 30000

Name "TDialix"
Caption "TDialix ${VERSION} セットアップ"
UninstallCaption "TDialix ${VERSION} アンインストール"
OutFile "${OUTFILE}"
RequestExecutionLevel user
InstallDir "$LOCALAPPDATA\Programs\TDialix"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
SetCompressor /SOLID lzma
ManifestDPIAware true
ManifestSupportedOS all
BrandingText "TDialix ${VERSION}"
ShowInstDetails nevershow
ShowUninstDetails nevershow

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1041 "ProductName" "TDialix"
VIAddVersionKey /LANG=1041 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1041 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1041 "FileDescription" "TDialix セットアップ"
VIAddVersionKey /LANG=1041 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1041 "LegalCopyright" "${PUBLISHER}"

!include "MUI2.nsh"
; InstallSamples and RemoveSamples: the sample styles and their pictures.
!include "${SAMPLES}"
!include "LogicLib.nsh"
!include "FileFunc.nsh"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_SMALLDESC
!define MUI_FINISHPAGE_RUN "$INSTDIR\TDialix.exe"
!define MUI_FINISHPAGE_RUN_TEXT "TDialix を起動する"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Japanese"

; Ends every running TDialix through its own close message, so that it saves
; its style and settings and gives back what it borrowed, and waits until its
; process has ended and let go of its files.
!macro DEFINE_CLOSE_RUNNING un
Function ${un}CloseRunningProgram
  StrCpy $R9 0
  ${Do}
    FindWindow $0 "${MASTER_CLASS}"
    ${If} $0 == 0
      Return
    ${EndIf}
    ${If} $R9 >= 3
      ${Break}
    ${EndIf}
    IntOp $R9 $R9 + 1
    DetailPrint "実行中の TDialix を終了しています..."
    System::Call 'user32::GetWindowThreadProcessId(p r0, *i .r1)'
    System::Call 'kernel32::OpenProcess(i 0x00100000, i 0, i r1) p.r2'
    System::Call 'user32::PostMessageW(p r0, i ${WM_DIALIX_CLOSE}, p 0, p 0) i.r3'
    ${If} $2 != 0
      System::Call 'kernel32::WaitForSingleObject(p r2, i ${CLOSE_WAIT_MS}) i.r4'
      System::Call 'kernel32::CloseHandle(p r2)'
    ${Else}
      ; Without a handle on the process, its window going is the sign.
      StrCpy $4 0
      ${Do}
        Sleep 250
        IntOp $4 $4 + 250
        System::Call 'user32::IsWindow(p r0) i.r5'
        ${If} $5 == 0
          ${Break}
        ${EndIf}
      ${LoopUntil} $4 >= ${CLOSE_WAIT_MS}
    ${EndIf}
  ${Loop}
  MessageBox MB_OK|MB_ICONSTOP "TDialix を終了できませんでした。TDialix を終了してから、もう一度実行してください。" /SD IDOK
  SetErrorLevel 2
  Quit
FunctionEnd
!macroend
!insertmacro DEFINE_CLOSE_RUNNING ""
!insertmacro DEFINE_CLOSE_RUNNING "un."

Section "TDialix (必須)" SecProgram
  SectionIn RO
  Call CloseRunningProgram
  SetOutPath "$INSTDIR"
  File "${PROGRAM}\TDialix.exe"
  File "${PROGRAM}\TDialix.dll"
  File "${HELP}"
  SetOutPath "$INSTDIR\Styles"
  !insertmacro InstallSamples
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\Uninstall.exe"

  SetShellVarContext current
  CreateShortCut "$SMPROGRAMS\TDialix.lnk" "$INSTDIR\TDialix.exe" "" "$INSTDIR\TDialix.exe" 0 \
                 SW_SHOWNORMAL "" "デスクトップ時計 TDialix を起動します。"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "TDialix"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\TDialix.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "Windows の起動時に TDialix を起動する" SecStartup
  ExecWait '"$INSTDIR\TDialix.exe" /startup:1,$HWNDPARENT'
SectionEnd

Section "スタイル ファイル (*.dlx) を関連付ける" SecAssociate
  ; Another program's association is replaced only when the user says so:
  ; the program asks, and a silent install leaves it alone.
  ReadRegStr $0 HKCU "${CLASSES}\.dlx" ""
  ReadRegStr $1 HKCU "${CLASSES}\.dlx" "Associated"
  ${If} ${Silent}
  ${AndIf} $0 != ""
  ${AndIf} $1 != "${OWN_ASSOCIATION}"
    Return
  ${EndIf}
  ExecWait '"$INSTDIR\TDialix.exe" /associate:1,$HWNDPARENT'
SectionEnd

!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${SecProgram} "TDialix 本体、ヘルプとサンプル スタイル、スタート メニューのショートカット。"
  !insertmacro MUI_DESCRIPTION_TEXT ${SecStartup} "Windows にサインインしたときに TDialix を起動します。"
  !insertmacro MUI_DESCRIPTION_TEXT ${SecAssociate} "スタイル ファイルをダブルクリックすると、そのスタイルが時計に適用されます。"
!insertmacro MUI_FUNCTION_DESCRIPTION_END

Section "un.TDialix" UnSecProgram
  SectionIn RO
  Call un.CloseRunningProgram
  ; The program removes what it made: its start-up shortcut, and the
  ; association when it is this installation's.
  ${If} ${FileExists} "$INSTDIR\TDialix.exe"
    ExecWait '"$INSTDIR\TDialix.exe" /startup:0,$HWNDPARENT'
    ReadRegStr $0 HKCU "${CLASSES}\.dlx" "Associated"
    ReadRegStr $1 HKCU "${CLASSES}\DLXFile\Shell\Open\Command" ""
    ${If} $0 == "${OWN_ASSOCIATION}"
    ${AndIf} $1 == '"$INSTDIR\TDialix.exe" "%1"'
      ExecWait '"$INSTDIR\TDialix.exe" /associate:0,$HWNDPARENT'
    ${EndIf}
  ${EndIf}

  Delete "$INSTDIR\TDialix.exe"
  Delete "$INSTDIR\TDialix.dll"
  Delete "$INSTDIR\TDialix.chm"
  ; The sample styles; styles of the user's own in the folder stay.
  !insertmacro RemoveSamples
  RMDir "$INSTDIR\Styles"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"

  SetShellVarContext current
  Delete "$SMPROGRAMS\TDialix.lnk"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd

Section /o "un.設定とスタイルを削除する" UnSecSettings
  SetShellVarContext current
  RMDir /r "$APPDATA\Team Orvane\TDialix"
  RMDir "$APPDATA\Team Orvane"
SectionEnd

!insertmacro MUI_UNFUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${UnSecProgram} "TDialix 本体、ショートカット、スタートアップへの登録、スタイル ファイルの関連付け。"
  !insertmacro MUI_DESCRIPTION_TEXT ${UnSecSettings} "設定ファイルと、使用中のスタイル (%APPDATA%\Team Orvane\TDialix)。選ばなければ残ります。"
!insertmacro MUI_UNFUNCTION_DESCRIPTION_END
