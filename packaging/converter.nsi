; The converter's Windows installer: an all-users install into Program Files
; (the 64-bit program where Windows is 64-bit, the 32-bit one elsewhere), a
; Start-menu shortcut, an optional Russian one, an Add/Remove Programs entry
; and an uninstaller that removes all of it again.
;
; scripts/package.sh builds it:
;   makensis -INPUTCHARSET UTF8 -DSTAGE=<folder> -DOUTFILE=<setup.exe> converter.nsi
; <folder>/win32 and <folder>/win64 each hold converter.exe, README.txt and
; LICENSE.txt. -DTARGET=amd64-unicode makes a 64-bit installer of the same
; contents (one that a 64-bit-only Wine can run); the release is x86-unicode,
; which runs on every Windows.
;
; Silent install for administrators:   setup.exe /S [/RUSSIAN] [/D=folder]
; (/RUSSIAN adds the Russian shortcut; /D must come last, unquoted.)
; Silent removal: the QuietUninstallString of the Add/Remove Programs entry.

!ifndef TARGET
  !define TARGET x86-unicode
!endif
Target ${TARGET}
SetCompressor /SOLID lzma
RequestExecutionLevel admin
ManifestDPIAware true

; The version has one home, the header the program's version resource uses.
!searchparse /file "${__FILEDIR__}/../assets/version.h" "#define CONVERTER_VERSION_MAJOR " VERSION_MAJOR
!searchparse /file "${__FILEDIR__}/../assets/version.h" "#define CONVERTER_VERSION_MINOR " VERSION_MINOR
!searchparse /file "${__FILEDIR__}/../assets/version.h" "#define CONVERTER_VERSION_PATCH " VERSION_PATCH
!define VERSION "${VERSION_MAJOR}.${VERSION_MINOR}.${VERSION_PATCH}"

!define PRODUCT "Converter"
!define PUBLISHER "Converter project contributors"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Converter"
!define SHORTCUT "$SMPROGRAMS\Converter.lnk"
; Named as the Russian main window is captioned.
!define SHORTCUT_RUSSIAN "$SMPROGRAMS\Конвертер величин.lnk"
; The window a running converter keeps, whatever its language.
!define APP_WINDOW_CLASS "TApplication"

!ifndef STAGE
  !error "STAGE is not defined: scripts/package.sh builds the installer"
!endif
!ifndef OUTFILE
  !define OUTFILE "converter-${VERSION}-setup.exe"
!endif

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
BrandingText "${PRODUCT} ${VERSION}"
; Chosen in .onInit by the kind of Windows, unless /D= gave a folder.
InstallDir ""

VIProductVersion "${VERSION}.0"
VIFileVersion "${VERSION}.0"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} ${VERSION} setup"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Copyright (c) 2026 ${PUBLISHER}"

!include MUI2.nsh
!include LogicLib.nsh
!include Sections.nsh
!include FileFunc.nsh
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

Section "Converter (program and Start-menu shortcut)" SecProgram
  SectionIn RO
  SetOutPath "$INSTDIR"
  ${If} ${RunningX64}
    File "${STAGE}/win64/converter.exe"
  ${Else}
    File "${STAGE}/win32/converter.exe"
  ${EndIf}
  File "${STAGE}/win64/README.txt"
  File "${STAGE}/win64/LICENSE.txt"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  CreateShortcut "${SHORTCUT}" "$INSTDIR\converter.exe" "" "$INSTDIR\converter.exe" 0 \
    SW_SHOWNORMAL "" "Converts mass, length and volume between units"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "VersionMajor" ${VERSION_MAJOR}
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "VersionMinor" ${VERSION_MINOR}
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\converter.exe,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section /o "Start-menu shortcut in Russian" SecRussian
  CreateShortcut "${SHORTCUT_RUSSIAN}" "$INSTDIR\converter.exe" "-r" "$INSTDIR\converter.exe" 0 \
    SW_SHOWNORMAL "" "Конвертер величин"
SectionEnd

; Files of a running program cannot be replaced or removed: ask for it to be
; closed first. A silent run gives up at once with a failure exit code.
!macro WaitUntilClosed
  ${Do}
    FindWindow $0 "${APP_WINDOW_CLASS}" "${PRODUCT}"
    ${If} $0 = 0
      ${ExitDo}
    ${EndIf}
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
      "${PRODUCT} is running. Close it, then choose Retry." /SD IDCANCEL IDRETRY +2
    Abort
  ${Loop}
!macroend

; The 64-bit registry view and Program Files where Windows is 64-bit.
!macro UseNativeView
  SetShellVarContext all
  ${If} ${RunningX64}
    SetRegView 64
  ${EndIf}
!macroend

Function .onInit
  !insertmacro UseNativeView
  ${If} $INSTDIR == ""
    ReadRegStr $INSTDIR HKLM "${UNINSTALL_KEY}" "InstallLocation"
  ${EndIf}
  ${If} $INSTDIR == ""
    ${If} ${RunningX64}
      StrCpy $INSTDIR "$PROGRAMFILES64\${PRODUCT}"
    ${Else}
      StrCpy $INSTDIR "$PROGRAMFILES\${PRODUCT}"
    ${EndIf}
  ${EndIf}
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/RUSSIAN" $1
  ${IfNot} ${Errors}
    !insertmacro SelectSection ${SecRussian}
  ${EndIf}
  !insertmacro WaitUntilClosed
FunctionEnd

Function un.onInit
  !insertmacro UseNativeView
  !insertmacro WaitUntilClosed
FunctionEnd

Section "Uninstall"
  Delete "${SHORTCUT}"
  Delete "${SHORTCUT_RUSSIAN}"
  Delete "$INSTDIR\converter.exe"
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\uninstall.exe"
  ; Only when empty: whatever else someone put there stays.
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
