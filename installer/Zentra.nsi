; The Windows installer of Zentra!. Built by CMake (installer/CMakeLists.txt), which defines:
;   ARCH      x86 (the product: a 32-bit installer for the 32-bit program) or amd64 (the same
;             installer for the 64-bit build, for machines that only run 64-bit code)
;   VERSION   the version text ("1.10"); VERSION_QUAD the file version ("1.10.0.0")
;   COMPANY   the company of the version information: the folder under Program Files and the
;             program's settings key SOFTWARE\<company>\Zentra!
;   WEB       the maker's web page; BIN the folder with the four files; OUTFILE the installer
;   README    the read-me (put beside the program in the archive only)
Unicode true
Target ${ARCH}-unicode
SetCompressor /SOLID lzma
ManifestDPIAware true

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh

!define PRODUCT "Zentra!"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
!define SETTINGS_KEY "SOFTWARE\${COMPANY}\${PRODUCT}"
!define UNINSTALLER "Uninstall ${PRODUCT}.exe"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
; The program's settings live under HKEY_LOCAL_MACHINE, and so does the uninstall entry.
RequestExecutionLevel admin
!if ${ARCH} == amd64
    !define PROGRAM_FILES "$PROGRAMFILES64"
!else
    !define PROGRAM_FILES "$PROGRAMFILES32"
!endif
InstallDir "${PROGRAM_FILES}\${COMPANY}\${PRODUCT}"
; An upgrade goes where the installed copy is.
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"

VIProductVersion "${VERSION_QUAD}"
VIFileVersion "${VERSION_QUAD}"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "CompanyName" "${COMPANY}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} ${VERSION} Setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Copyright (C) ${COMPANY}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\${PRODUCT}.exe"
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; Asks a running copy of the program (window "Quorvel") to close; where it stays open, the user
; is told to close it (a silent run gives up instead of replacing files in use).
!macro CLOSE_RUNNING_PROGRAM un
Function ${un}CloseRunningProgram
    FindWindow $0 "Zentra.Main" "Quorvel"
    ${If} $0 == 0
        Return
    ${EndIf}
    SendMessage $0 ${WM_CLOSE} 0 0 /TIMEOUT=5000
    StrCpy $1 0
    ${DoWhile} $1 < 50
        Sleep 100
        FindWindow $0 "Zentra.Main" "Quorvel"
        ${If} $0 == 0
            Return
        ${EndIf}
        IntOp $1 $1 + 1
    ${Loop}
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
        "${PRODUCT} is still running. Close it, then choose Retry." /SD IDCANCEL IDRETRY retry
    SetErrorLevel 2
    Quit
retry:
    Call ${un}CloseRunningProgram
FunctionEnd
!macroend
!insertmacro CLOSE_RUNNING_PROGRAM ""
!insertmacro CLOSE_RUNNING_PROGRAM "un."

Function .onInit
    SetShellVarContext all
    Call CloseRunningProgram
FunctionEnd

Section "${PRODUCT}" SecProgram
    SectionIn RO
    SetOutPath "$INSTDIR"
    ; The installed files; the archive holds the same four (a build check compares them).
    File "${BIN}\${PRODUCT}.exe"
    File "${BIN}\${PRODUCT}.dll"
    File "${BIN}\${PRODUCT}.hlp"
    File "${BIN}\${PRODUCT}.cnt"
    WriteUninstaller "$INSTDIR\${UNINSTALLER}"

    CreateDirectory "$SMPROGRAMS\${PRODUCT}"
    CreateShortcut "$SMPROGRAMS\${PRODUCT}\${PRODUCT}.lnk" "$INSTDIR\${PRODUCT}.exe"
    CreateShortcut "$SMPROGRAMS\${PRODUCT}\${PRODUCT} Help.lnk" "$INSTDIR\${PRODUCT}.hlp"

    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${COMPANY}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${PRODUCT}.exe,0"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "URLInfoAbout" "${WEB}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" "$0"
SectionEnd

Section "Desktop shortcut" SecDesktop
    CreateShortcut "$DESKTOP\${PRODUCT}.lnk" "$INSTDIR\${PRODUCT}.exe"
SectionEnd

!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
!insertmacro MUI_DESCRIPTION_TEXT ${SecProgram} "The program, its help library and its help file."
!insertmacro MUI_DESCRIPTION_TEXT ${SecDesktop} "A shortcut to ${PRODUCT} on the desktop."
!insertmacro MUI_FUNCTION_DESCRIPTION_END

Function un.onInit
    SetShellVarContext all
    Call un.CloseRunningProgram
FunctionEnd

; Removes what the installer put there and the program's settings; a file the user added stays,
; and with it the folder.
Section "Uninstall"
    Delete "$INSTDIR\${PRODUCT}.exe"
    Delete "$INSTDIR\${PRODUCT}.dll"
    Delete "$INSTDIR\${PRODUCT}.hlp"
    Delete "$INSTDIR\${PRODUCT}.cnt"
    ; The help viewer's own files beside the help file.
    Delete "$INSTDIR\${PRODUCT}.gid"
    Delete "$INSTDIR\${PRODUCT}.fts"
    Delete "$INSTDIR\${UNINSTALLER}"
    RMDir "$INSTDIR"
    ; The company folder only where the installer made it (the default place), and only empty.
    ${If} "$INSTDIR" == "${PROGRAM_FILES}\${COMPANY}\${PRODUCT}"
        RMDir "${PROGRAM_FILES}\${COMPANY}"
    ${EndIf}

    Delete "$SMPROGRAMS\${PRODUCT}\${PRODUCT}.lnk"
    Delete "$SMPROGRAMS\${PRODUCT}\${PRODUCT} Help.lnk"
    RMDir "$SMPROGRAMS\${PRODUCT}"
    Delete "$DESKTOP\${PRODUCT}.lnk"

    DeleteRegKey HKLM "${UNINSTALL_KEY}"
    ; The settings: the machine's key, or the user's where the machine's refused writes.
    DeleteRegKey HKLM "${SETTINGS_KEY}"
    DeleteRegKey /ifempty HKLM "SOFTWARE\${COMPANY}"
    DeleteRegKey HKCU "${SETTINGS_KEY}"
    DeleteRegKey /ifempty HKCU "SOFTWARE\${COMPANY}"
SectionEnd
