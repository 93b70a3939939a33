; The setup program of Kelvira for 64-bit Windows (NSIS 3):
;   makensis -INPUTCHARSET UTF8 -DVERSION=1.0.0 -DFROM=<installation> -DOUT=<setup.exe> kelvira.nsi
; It installs under Program Files for every user (as administrator), or for the current user
; alone without administrator rights, when chosen on its first page or given /CurrentUser;
; /S installs silently (a school's IT deploying to a room of PCs: kelvira-setup.exe /S /AllUsers).
; The uninstaller removes the program and leaves the lesson recordings (Documents\Kelvira) alone.
; Installed for every user, the two programs may be reached on the private network (the pupils'
; tablets open the shared page): the setup adds inbound rules to the Windows firewall for them,
; and the uninstaller deletes them. Installed for the current user alone, the setup cannot, and
; its last page says what to ask the school's IT for.

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma

!define NAME "けるびら"
!define KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Kelvira"

!define MULTIUSER_EXECUTIONLEVEL Highest
!define MULTIUSER_MUI
!define MULTIUSER_INSTALLMODE_COMMANDLINE
!define MULTIUSER_USE_PROGRAMFILES64
!define MULTIUSER_INSTALLMODE_INSTDIR "Kelvira"
!include MultiUser.nsh
!include MUI2.nsh
!include LogicLib.nsh

Name "${NAME}"
OutFile "${OUT}"
VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1041 "ProductName" "Kelvira"
VIAddVersionKey /LANG=1041 "FileDescription" "Kelvira ${VERSION} setup"
VIAddVersionKey /LANG=1041 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1041 "LegalCopyright" "Kelvira developers"

; The last page's text, set by the installation: for the current user alone, what to ask for.
Var FinishText

!insertmacro MULTIUSER_PAGE_INSTALLMODE
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_TEXT "$FinishText"
!define MUI_FINISHPAGE_TEXT_LARGE
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Japanese"

Function .onInit
  !insertmacro MULTIUSER_INIT
FunctionEnd

Function un.onInit
  !insertmacro MULTIUSER_UNINIT
FunctionEnd

; The firewall's inbound rule named Kelvira for a program of the installation: deleted, and
; added anew when `add` is 1 (an installation over an older one leaves no second rule). The
; setup goes on whatever netsh answers: the rule is a help for sharing, not the program.
!macro FirewallRule un
Function ${un}FirewallRule
  Exch $1  ; the program's path
  Exch
  Exch $2  ; 1: add the rule
  nsExec::ExecToLog 'netsh advfirewall firewall delete rule name="Kelvira" dir=in program="$1"'
  Pop $0
  ${If} $2 == 1
    nsExec::ExecToLog 'netsh advfirewall firewall add rule name="Kelvira" dir=in action=allow program="$1" protocol=TCP enable=yes profile=private'
    Pop $0
    ${If} $0 != 0
      DetailPrint "ファイアウォールの規則を追加できませんでした（$0）：$1"
    ${EndIf}
  ${EndIf}
  Pop $2
  Pop $1
FunctionEnd
!macroend
!insertmacro FirewallRule ""
!insertmacro FirewallRule "un."

Section "Kelvira"
  SetOutPath "$INSTDIR"
  File /r "${FROM}\*.*"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  ; The Start menu: the program, its demonstration without a box, and the class view. The
  ; program starts in the user's documents: a class folder with its own VEXO.TXT is set as the
  ; shortcut's "start in".
  CreateDirectory "$SMPROGRAMS\${NAME}"
  SetOutPath "$DOCUMENTS"
  CreateShortcut "$SMPROGRAMS\${NAME}\けるびら.lnk" "$INSTDIR\kelvira.exe" "" "$INSTDIR\kelvira.exe" 0
  CreateShortcut "$SMPROGRAMS\${NAME}\けるびら（デモ）.lnk" "$INSTDIR\kelvira.exe" "--demo" "$INSTDIR\kelvira.exe" 0
  CreateShortcut "$SMPROGRAMS\${NAME}\けるびら クラス.lnk" "$INSTDIR\kelvira-class.exe" "" "$INSTDIR\kelvira-class.exe" 0
  CreateShortcut "$SMPROGRAMS\${NAME}\けるびらの例のファイル.lnk" "$INSTDIR\examples"
  SetOutPath "$INSTDIR"

  WriteRegStr SHCTX "${KEY}" "DisplayName" "${NAME} (Kelvira)"
  WriteRegStr SHCTX "${KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${KEY}" "Publisher" "Kelvira developers"
  WriteRegStr SHCTX "${KEY}" "DisplayIcon" "$INSTDIR\kelvira.exe"
  WriteRegStr SHCTX "${KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${KEY}" "UninstallString" '"$INSTDIR\uninstall.exe" /$MultiUser.InstallMode'
  WriteRegStr SHCTX "${KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /$MultiUser.InstallMode /S'
  WriteRegDWORD SHCTX "${KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${KEY}" "NoRepair" 1

  StrCpy $FinishText "$(MUI_TEXT_FINISH_INFO_TEXT)"
  ${If} $MultiUser.InstallMode == "AllUsers"
    Push 1
    Push "$INSTDIR\kelvira.exe"
    Call FirewallRule
    Push 1
    Push "$INSTDIR\kelvira-class.exe"
    Call FirewallRule
    Push 1
    Push "$INSTDIR\mosquitto.exe"
    Call FirewallRule
  ${Else}
    StrCpy $FinishText "けるびらは、この利用者だけに（管理者の権限なしで）インストールされました。$\r$\n$\r$\nタブレットに授業のページを見せるには、学校の IT の担当者に次のように頼んでください：$\r$\n「Windows ファイアウォールで、次の三つのプログラムに、プライベート ネットワークでの受信（TCP）を許可してください。タブレットと共有し、グループのパソコンをクラスに入れるためです。」$\r$\n$\r$\n$INSTDIR\kelvira.exe$\r$\n$INSTDIR\kelvira-class.exe$\r$\n$INSTDIR\mosquitto.exe"
    DetailPrint "$FinishText"
  ${EndIf}
SectionEnd

Section "Uninstall"
  ; Only what the setup put there: the lessons recorded stay in the user's documents.
  ${If} $MultiUser.InstallMode == "AllUsers"
    Push 0
    Push "$INSTDIR\kelvira.exe"
    Call un.FirewallRule
    Push 0
    Push "$INSTDIR\kelvira-class.exe"
    Call un.FirewallRule
    Push 0
    Push "$INSTDIR\mosquitto.exe"
    Call un.FirewallRule
  ${EndIf}
  RMDir /r "$INSTDIR\platforms"
  RMDir /r "$INSTDIR\styles"
  RMDir /r "$INSTDIR\fonts"
  RMDir /r "$INSTDIR\examples"
  RMDir /r "$INSTDIR\page"
  Delete "$INSTDIR\*.exe"
  Delete "$INSTDIR\*.dll"
  Delete "$INSTDIR\LICENSE.txt"
  RMDir "$INSTDIR"
  RMDir /r "$SMPROGRAMS\${NAME}"
  DeleteRegKey SHCTX "${KEY}"
SectionEnd
