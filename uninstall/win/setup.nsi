; The setup program of Vistrel, made from the staged installation folder by
; the build (makensis -INPUTCHARSET UTF8 with STAGE_FILES, ICON and OUTFILE
; defined). It installs into a folder the user picks, writes install.log,
; the shortcuts and the uninstall entry that Uninstall.exe removes again.
;
; brova keeps its captures, plans, ledgers, settings and downloads beside
; itself, so it must be able to write its own folder: the setup installs for
; the current user, into the user's own programs folder, without elevation.
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
ManifestDPIAware true
RequestExecutionLevel user

!define PRODUCT "Vistrel"
!define UNINSTALL_KEY "SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
!define DEFAULT_DIR "$LOCALAPPDATA\Programs\${PRODUCT}"
; The title of brova's main frame: while it exists brova runs.
!define BROVA_FRAME "Pagorin"
!define MSG_RUNNING "Vistrel 正在运行。请先退出 Vistrel,再点“重试”继续安装。"
; Exit codes of a silent setup that did not install.
!define EXIT_RUNNING 3
!define EXIT_WRITE_FAILED 4

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "${DEFAULT_DIR}"
BrandingText "Vistrel 软件工作室"

!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "WordFunc.nsh"
!define MUI_ICON "${ICON}"
!define MUI_ABORTWARNING
!insertmacro MUI_PAGE_WELCOME
!define MUI_PAGE_CUSTOMFUNCTION_LEAVE RefuseFolderThatCannotBeWritten
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\brova.exe"
!define MUI_FINISHPAGE_RUN_TEXT "运行 Vistrel"
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_LANGUAGE "SimpChinese"

; Asks the user to quit a running brova, whose program file cannot be
; replaced while it runs; a silent setup, or a user who cancels, ends with
; EXIT_RUNNING.
!macro WaitUntilBrovaHasEnded QUIT
  ${Do}
    FindWindow $0 "" "${BROVA_FRAME}"
    ${If} $0 == 0
      ${Break}
    ${EndIf}
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "${MSG_RUNNING}" /SD IDCANCEL IDRETRY retry_${QUIT}
    SetErrorLevel ${EXIT_RUNNING}
    ${QUIT}
    retry_${QUIT}:
  ${Loop}
!macroend

; The folder the setup was asked for, by /D= or by an installed copy. A
; silent setup that is given a folder it cannot use does not put the
; program elsewhere.
Var RequestedDir

Function .onInit
  ; The setup takes " /D=" and what follows off $CMDLINE, and puts back the
  ; default in place of a folder it finds unfit (a file on its path), before
  ; this function runs: the folder asked for is read from the process's
  ; command line.
  System::Call 'kernel32::GetCommandLineW() w .r0'
  ClearErrors
  ${WordFind} $0 " /D=" "E+1}" $1
  ${IfNot} ${Errors}
    ; $INSTDIR keeps no trailing backslash.
    StrCpy $2 $1 "" -1
    ${If} $2 == "\"
      StrCpy $1 $1 -1
    ${EndIf}
    StrCpy $RequestedDir $1
  ${EndIf}
  ; An installed copy is updated where it is: the user's own, or one an
  ; earlier per-machine setup installed (64-bit view first, then 32-bit).
  ${If} $RequestedDir == ""
  ${AndIf} $INSTDIR == "${DEFAULT_DIR}"
    ReadRegStr $1 HKCU "${UNINSTALL_KEY}" "InstallLocation"
    ${If} $1 == ""
      SetRegView 64
      ReadRegStr $1 HKLM "${UNINSTALL_KEY}" "InstallLocation"
      SetRegView 32
      ${If} $1 == ""
        ReadRegStr $1 HKLM "${UNINSTALL_KEY}" "InstallLocation"
      ${EndIf}
      SetRegView lastused
    ${EndIf}
    ${If} $1 != ""
      StrCpy $INSTDIR $1
    ${EndIf}
  ${EndIf}
  ${If} $RequestedDir == ""
    StrCpy $RequestedDir $INSTDIR
  ${EndIf}
  !insertmacro WaitUntilBrovaHasEnded Quit
FunctionEnd

; The folder page lets the user go on only to a folder a file can be written
; into; a test file is made and removed again, and a folder made for the test
; goes with it.
Function RefuseFolderThatCannotBeWritten
  StrCpy $1 "existed"
  ${IfNot} ${FileExists} "$INSTDIR\*.*"
    StrCpy $1 ""
  ${EndIf}
  StrCpy $2 "refused"
  ClearErrors
  CreateDirectory "$INSTDIR"
  FileOpen $0 "$INSTDIR\vistrel-setup.tmp" w
  ${IfNot} ${Errors}
    StrCpy $2 ""
    FileClose $0
    Delete "$INSTDIR\vistrel-setup.tmp"
  ${EndIf}
  ${If} $1 == ""
    RMDir "$INSTDIR"
  ${EndIf}
  ${If} $2 != ""
    MessageBox MB_OK|MB_ICONSTOP "无法在文件夹 $INSTDIR 中写入文件,Vistrel 不能安装在这里。$\r$\n请选择一个你有权写入的文件夹。"
    Abort
  ${EndIf}
FunctionEnd

Section
  ; Shortcuts go to the user's own desktop and programs folder, where
  ; Uninstall.exe looks for them.
  SetShellVarContext current
  !insertmacro WaitUntilBrovaHasEnded Abort
  ${If} ${Silent}
  ${AndIf} $INSTDIR != $RequestedDir
    SetErrorLevel ${EXIT_WRITE_FAILED}
    Abort
  ${EndIf}

  ; What an earlier copy downloaded or staged belongs to that copy: a staged
  ; program would replace this one at brova's first exit.
  Delete "$INSTDIR\data\brova_new.exe"
  Delete "$INSTDIR\data\main2.htm"
  Delete "$INSTDIR\data\data_tmp.dat"
  Delete "$INSTDIR\brova.exe.old"
  Delete "$INSTDIR\brova.exe.incoming"

  ; A file that cannot be written is skipped with the error flag set, and
  ; the setup fails instead of leaving a mixed or missing program.
  SetOverwrite try
  ClearErrors
  !include "${STAGE_FILES}"
  ${If} ${Errors}
    MessageBox MB_OK|MB_ICONSTOP "无法写入 $INSTDIR 中的文件,安装未完成。请先退出 Vistrel,或选择一个你有权写入的文件夹。" /SD IDOK
    SetErrorLevel ${EXIT_WRITE_FAILED}
    Abort
  ${EndIf}

  SetOutPath "$INSTDIR"
  CreateShortCut "$DESKTOP\${PRODUCT}.lnk" "$INSTDIR\brova.exe"
  CreateDirectory "$SMPROGRAMS\${PRODUCT}"
  CreateShortCut "$SMPROGRAMS\${PRODUCT}\${PRODUCT}.lnk" "$INSTDIR\brova.exe"
  CreateShortCut "$SMPROGRAMS\${PRODUCT}\卸载.lnk" "$INSTDIR\Uninstall.exe"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\brova.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "1.0.2"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "Vistrel 软件工作室"
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" ${ESTIMATED_SIZE_KB}
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd
