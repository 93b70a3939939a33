; The setup program of Kelvira for 64-bit Windows (NSIS 3):
;   makensis -INPUTCHARSET UTF8 -DVERSION=1.0.0 -DFROM=<installation> -DOUT=<setup.exe> kelvira.nsi
; It installs under Program Files for every user (as administrator), or for the current user
; alone without administrator rights, when chosen on its first page or given /CurrentUser;
; /S installs silently (a school's IT deploying to a room of PCs: kelvira-setup.exe /S /AllUsers).
; The uninstaller removes the program and leaves the lesson recordings (Documents\Kelvira) alone.

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

Name "${NAME}"
OutFile "${OUT}"
VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1041 "ProductName" "Kelvira"
VIAddVersionKey /LANG=1041 "FileDescription" "Kelvira ${VERSION} setup"
VIAddVersionKey /LANG=1041 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1041 "LegalCopyright" "Kelvira developers"

!insertmacro MULTIUSER_PAGE_INSTALLMODE
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
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
SectionEnd

Section "Uninstall"
  ; Only what the setup put there: the lessons recorded stay in the user's documents.
  RMDir /r "$INSTDIR\platforms"
  RMDir /r "$INSTDIR\styles"
  RMDir /r "$INSTDIR\fonts"
  RMDir /r "$INSTDIR\examples"
  Delete "$INSTDIR\*.exe"
  Delete "$INSTDIR\*.dll"
  Delete "$INSTDIR\LICENSE.txt"
  RMDir "$INSTDIR"
  RMDir /r "$SMPROGRAMS\${NAME}"
  DeleteRegKey SHCTX "${KEY}"
SectionEnd
