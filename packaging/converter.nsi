; The converter's Windows installer: an all-users install into Program Files
; (the 64-bit program on x64 Windows, the 32-bit one on 32-bit and ARM64
; Windows), a Start-menu shortcut, an optional Russian one, an Add/Remove
; Programs entry and an uninstaller that removes all of it again.
;
; scripts/package.sh builds it:
;   makensis -INPUTCHARSET UTF8 -DSTAGE=<folder> -DOUTFILE=<setup.exe> converter.nsi
; <folder>/win32 and <folder>/win64 each hold converter.exe, README.txt and
; LICENSE.txt. -DTARGET=amd64-unicode makes a 64-bit installer of the same
; contents (one that a 64-bit-only Wine can run); the release is x86-unicode,
; which runs on every Windows. -DVERSION=X.Y.Z packs under another version
; number than the one of assets/version.h (for tests of upgrades).
; -DSIGN_SCRIPT=<file> signs the uninstaller and the installer with
; `bash <file> <exe>` (scripts/sign-file.sh).
;
; Setup:      setup.exe [/S] [/RUSSIAN] [/ALLOWDOWNGRADE] [/D=folder]
;   /S               silent: no window and no question; the exit code tells.
;   /RUSSIAN         adds the Russian shortcut. Without it a silent upgrade
;                    removes that shortcut; the components page offers it
;                    checked when it is there.
;   /ALLOWDOWNGRADE  installs over a newer version (otherwise refused).
;   /D=folder        another folder (last, unquoted). An upgrade goes where
;                    the installed version is, unless /D names another
;                    folder: the old folder's files are then removed.
; Removal:    uninstall.exe [/S] [_?=folder]
;   The QuietUninstallString of the Add/Remove Programs entry, uninstall.exe
;   /S, copies itself to the Temp folder, starts the copy and returns at once
;   with 0. uninstall.exe /S _?=<its own folder> runs in place, waits until it
;   is done and returns the codes below; uninstall.exe itself and so its
;   folder then stay.
;
; Exit codes, of setup and of the uninstaller (also in README.md):
;   0  done.
;   1  cancelled by the user (only when not silent).
;   2  failed part way: a file could not be written or removed. Setup: the
;      previous install's entry and uninstaller stay (its program may already
;      be the new one). Uninstaller: the program and its entry stay.
;   3  not run by an administrator; nothing changed.
;   4  the converter is running, in this or another user's session, or its
;      file cannot be replaced; nothing changed.
;   5  setup only: a newer version is installed and /ALLOWDOWNGRADE was not
;      given (or the question was answered No); nothing changed.

!ifndef TARGET
  !define TARGET x86-unicode
!endif
Target ${TARGET}
SetCompressor /SOLID lzma
RequestExecutionLevel admin
ManifestDPIAware true
; A file that cannot be written fails the install; it is never skipped.
AllowSkipFiles off

; The version and the publisher's names have one home, the header the
; program's version resource is built from.
!define VERSION_H "${__FILEDIR__}/../assets/version.h"
!ifdef VERSION
  !searchparse "${VERSION}" "" VERSION_MAJOR "." VERSION_MINOR "." VERSION_PATCH
!else
  !searchparse /file "${VERSION_H}" "#define CONVERTER_VERSION_MAJOR " VERSION_MAJOR
  !searchparse /file "${VERSION_H}" "#define CONVERTER_VERSION_MINOR " VERSION_MINOR
  !searchparse /file "${VERSION_H}" "#define CONVERTER_VERSION_PATCH " VERSION_PATCH
  !define VERSION "${VERSION_MAJOR}.${VERSION_MINOR}.${VERSION_PATCH}"
!endif
!searchparse /file "${VERSION_H}" '#define CONVERTER_COMPANY_NAME "' PUBLISHER '"'
!searchparse /file "${VERSION_H}" '#define CONVERTER_COPYRIGHT "' COPYRIGHT '"'
!searchparse /file "${VERSION_H}" '#define CONVERTER_HELP_LINK "' HELP_LINK '"'

!define PRODUCT "Converter"
; The entry's own key, which no other program's "Converter" can take.
!define UNINSTALL_ROOT "Software\Microsoft\Windows\CurrentVersion\Uninstall"
!define UNINSTALL_KEY "${UNINSTALL_ROOT}\{2F930AAF-7C72-48E6-9AC8-987E400FDC4B}"
; Where version 1.0.0 kept its entry; taken over (when it is ours) and removed.
!define LEGACY_UNINSTALL_KEY "${UNINSTALL_ROOT}\Converter"
!define SHORTCUT "$SMPROGRAMS\Converter.lnk"
; Named as the Russian main window is captioned.
!define SHORTCUT_RUSSIAN "$SMPROGRAMS\Конвертер величин.lnk"
; The window a running converter keeps, whatever its language.
!define APP_WINDOW_CLASS "TApplication"

!define EXIT_FAILED 2
!define EXIT_NOT_ADMIN 3
!define EXIT_RUNNING 4
!define EXIT_NEWER_INSTALLED 5

!ifndef STAGE
  !error "STAGE is not defined: scripts/package.sh builds the installer"
!endif
!ifndef OUTFILE
  !define OUTFILE "converter-${VERSION}-setup.exe"
!endif
!ifdef SIGN_SCRIPT
  !uninstfinalize 'bash "${SIGN_SCRIPT}" "%1"' = 0
  !finalize 'bash "${SIGN_SCRIPT}" "%1"' = 0
!endif

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
BrandingText "${PRODUCT} ${VERSION}"
; Chosen in .onInit (the installed version's folder, or by the kind of
; Windows), unless /D= gave one.
InstallDir ""

VIProductVersion "${VERSION}.0"
VIFileVersion "${VERSION}.0"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} ${VERSION} setup"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "${COPYRIGHT}"

!include MUI2.nsh
!include LogicLib.nsh
!include Sections.nsh
!include FileFunc.nsh
!include WordFunc.nsh
!include x64.nsh

!define MUI_ICON "${__FILEDIR__}/../assets/converter.ico"
!define MUI_UNICON "${__FILEDIR__}/../assets/converter.ico"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_LICENSE "${STAGE}/win64/LICENSE.txt"
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

; The installed version, if any: its folder and version.
Var OldDir
Var OldVersion
Var OldKey

; Deletes the program's files from a folder, and the folder when nothing
; else is left in it.
!macro RemoveProgramFiles dir
  Delete "${dir}\converter.exe"
  Delete "${dir}\README.txt"
  Delete "${dir}\LICENSE.txt"
  Delete "${dir}\uninstall.exe"
  RMDir "${dir}"
!macroend

; The 64-bit registry view and shell folders on 64-bit Windows of any kind.
!macro UseNativeView
  SetShellVarContext all
  !if ${NSIS_PTR_SIZE} > 4
    SetRegView 64
  !else
    ${If} ${RunningX64}
      SetRegView 64
    ${EndIf}
  !endif
!macroend

!macro RequireAdministrator
  UserInfo::GetAccountType
  Pop $0
  ${If} $0 != "Admin"
    MessageBox MB_OK|MB_ICONSTOP "Only an administrator can install or remove ${PRODUCT}." /SD IDOK
    SetErrorLevel ${EXIT_NOT_ADMIN}
    Quit
  ${EndIf}
!macroend

; Files of a running program cannot be replaced or removed. A window search
; sees only this session's copies; a copy that runs in another user's
; session holds its file open, and only a try to open that file for writing,
; with no sharing, tells. Checks converter.exe in the folders $R0 and $R4
; (either may be empty); asks for the program to be closed, or in a silent
; run gives up at once.
!macro DefineRefuseWhileRunning un
  Function ${un}ProgramInUse  ; $R3: a folder; sets $R1 to 1 when in use
    StrCpy $R1 0
    ${If} $R3 != ""
      ; GENERIC_READ | GENERIC_WRITE, no sharing, OPEN_EXISTING.
      System::Call 'kernel32::CreateFileW(w "$R3\converter.exe", i 0xC0000000, i 0, p 0, i 3, i 0, p 0) p.R2 ?e'
      Pop $R5
      ${If} $R2 P= -1
        ; In use, unless it is not there (ERROR_FILE_NOT_FOUND, ERROR_PATH_NOT_FOUND).
        ${If} $R5 <> 2
        ${AndIf} $R5 <> 3
          StrCpy $R1 1
        ${EndIf}
      ${Else}
        System::Call 'kernel32::CloseHandle(p R2)'
      ${EndIf}
    ${EndIf}
  FunctionEnd

  Function ${un}RefuseWhileRunning
    ${Do}
      FindWindow $R1 "${APP_WINDOW_CLASS}" "${PRODUCT}"
      ${If} $R1 <> 0
        StrCpy $R1 1
      ${Else}
        StrCpy $R3 $R0
        Call ${un}ProgramInUse
        ${If} $R1 = 0
          StrCpy $R3 $R4
          Call ${un}ProgramInUse
        ${EndIf}
      ${EndIf}
      ${If} $R1 = 0
        ${ExitDo}
      ${EndIf}
      MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
        "${PRODUCT} is running, perhaps for another user, or its program file cannot be replaced. Close every copy of it, then choose Retry." \
        /SD IDCANCEL IDRETRY +3
      SetErrorLevel ${EXIT_RUNNING}
      Quit
    ${Loop}
  FunctionEnd
!macroend
!insertmacro DefineRefuseWhileRunning ""
!insertmacro DefineRefuseWhileRunning "un."

Section "Converter (program and Start-menu shortcut)" SecProgram
  SectionIn RO
  ; The folder may have been changed on the directory page.
  StrCpy $R0 $INSTDIR
  StrCpy $R4 $OldDir
  Call RefuseWhileRunning

  ; The program first and the entry last: a failure on the way leaves the
  ; installed version's uninstaller and entry in place.
  SetOutPath "$INSTDIR"
  ${If} ${IsNativeAMD64}
    File "${STAGE}/win64/converter.exe"
  ${Else}
    ; 32-bit Windows, and ARM64 Windows, which runs x86 programs on every
    ; version (x64 ones only from Windows 11 on).
    File "${STAGE}/win32/converter.exe"
  ${EndIf}
  File "${STAGE}/win64/README.txt"
  File "${STAGE}/win64/LICENSE.txt"
  ClearErrors
  WriteUninstaller "$INSTDIR\uninstall.exe"
  ${If} ${Errors}
    DetailPrint "Could not write $INSTDIR\uninstall.exe"
    SetErrorLevel ${EXIT_FAILED}
    Abort
  ${EndIf}

  ; An upgrade into another folder: the old folder's program goes (what
  ; else someone put there stays, and so does the folder then). Compared
  ; by their short full paths, so that another spelling of this folder is
  ; never taken for another folder.
  ${If} $OldDir != ""
    GetFullPathName /SHORT $0 $OldDir
    GetFullPathName /SHORT $1 $INSTDIR
    ${If} $0 != $1
    ${AndIf} $OldDir != $INSTDIR
      !insertmacro RemoveProgramFiles $OldDir
    ${EndIf}
  ${EndIf}

  CreateShortcut "${SHORTCUT}" "$INSTDIR\converter.exe" "" "$INSTDIR\converter.exe" 0 \
    SW_SHOWNORMAL "" "Converts mass, length and volume between units"
SectionEnd

Section /o "Start-menu shortcut in Russian" SecRussian
  CreateShortcut "${SHORTCUT_RUSSIAN}" "$INSTDIR\converter.exe" "-r" "$INSTDIR\converter.exe" 0 \
    SW_SHOWNORMAL "" "Конвертер величин"
SectionEnd

Section "-Add/Remove Programs entry"
  ${IfNot} ${SectionIsSelected} ${SecRussian}
    Delete "${SHORTCUT_RUSSIAN}"
  ${EndIf}
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "VersionMajor" ${VERSION_MAJOR}
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "VersionMinor" ${VERSION_MINOR}
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "HelpLink" "${HELP_LINK}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\converter.exe,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
  ${If} $OldKey == "${LEGACY_UNINSTALL_KEY}"
    DeleteRegKey HKLM "${LEGACY_UNINSTALL_KEY}"
  ${EndIf}
SectionEnd


; The installed version: its entry under the key of this installer, or the
; one version 1.0.0 made under a name any program may use (taken only when
; its publisher is ours).
!macro FindInstalledVersion
  StrCpy $OldKey "${UNINSTALL_KEY}"
  ReadRegStr $OldDir HKLM $OldKey "InstallLocation"
  ${If} $OldDir == ""
    ReadRegStr $0 HKLM "${LEGACY_UNINSTALL_KEY}" "Publisher"
    ${If} $0 == "${PUBLISHER}"
      StrCpy $OldKey "${LEGACY_UNINSTALL_KEY}"
      ReadRegStr $OldDir HKLM $OldKey "InstallLocation"
    ${EndIf}
  ${EndIf}
  ReadRegStr $OldVersion HKLM $OldKey "DisplayVersion"
!macroend

Function .onInit
  !insertmacro UseNativeView
  !insertmacro RequireAdministrator
  !insertmacro FindInstalledVersion
  ${GetParameters} $R9

  ${If} $OldVersion != ""
    ${VersionCompare} $OldVersion "${VERSION}" $0
    ClearErrors
    ${GetOptions} $R9 "/ALLOWDOWNGRADE" $1
    ${If} $0 = 1
    ${AndIf} ${Errors}
      MessageBox MB_YESNO|MB_ICONEXCLAMATION|MB_DEFBUTTON2 \
        "${PRODUCT} $OldVersion is installed, which is newer than this ${VERSION}. Replace it with ${VERSION}?" \
        /SD IDNO IDYES +3
      SetErrorLevel ${EXIT_NEWER_INSTALLED}
      Quit
    ${EndIf}
  ${EndIf}

  ${If} $INSTDIR == ""
    StrCpy $INSTDIR $OldDir
  ${EndIf}
  ${If} $INSTDIR == ""
    ${If} ${IsNativeAMD64}
      StrCpy $INSTDIR "$PROGRAMFILES64\${PRODUCT}"
    ${Else}
      StrCpy $INSTDIR "$PROGRAMFILES\${PRODUCT}"
    ${EndIf}
  ${EndIf}

  ; The Russian shortcut: with /RUSSIAN; on the components page also when
  ; the installed version has it. (A silent upgrade without /RUSSIAN drops it.)
  ClearErrors
  ${GetOptions} $R9 "/RUSSIAN" $1
  ${IfNot} ${Errors}
    !insertmacro SelectSection ${SecRussian}
  ${EndIf}
  ${IfNot} ${Silent}
  ${AndIf} ${FileExists} "${SHORTCUT_RUSSIAN}"
    !insertmacro SelectSection ${SecRussian}
  ${EndIf}

  StrCpy $R0 $INSTDIR
  StrCpy $R4 $OldDir
  Call RefuseWhileRunning
FunctionEnd

Function un.onInit
  !insertmacro UseNativeView
  !insertmacro RequireAdministrator
  StrCpy $R0 $INSTDIR
  StrCpy $R4 ""
  Call un.RefuseWhileRunning
FunctionEnd

Section "Uninstall"
  ; The program first: when it cannot be removed, everything stays, the
  ; Add/Remove Programs entry included, and removal can be tried again.
  Delete "$INSTDIR\converter.exe"
  ${If} ${FileExists} "$INSTDIR\converter.exe"
    MessageBox MB_OK|MB_ICONSTOP "$INSTDIR\converter.exe could not be removed. Close ${PRODUCT} and try again." /SD IDOK
    SetErrorLevel ${EXIT_FAILED}
    Abort
  ${EndIf}
  Delete "${SHORTCUT}"
  Delete "${SHORTCUT_RUSSIAN}"
  ; Only when empty: whatever else someone put there stays.
  !insertmacro RemoveProgramFiles $INSTDIR
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
