; The Windows installer of Zentra!. Built by CMake (installer/CMakeLists.txt), which defines:
;   ARCH      the installer's own code: x86 (runs on every Windows) or amd64
;   EXE32     the 32-bit program, EXE64 the 64-bit one; either may be left out. With both, setup
;             installs the 64-bit program on 64-bit (x86-64) Windows and the 32-bit one elsewhere.
;   FILES     the folder with the help library (32-bit: the help viewer is a 32-bit program on
;             every Windows), the help file and its contents file
;   VERSION   the version text ("1.10"); VERSION_QUAD the file version ("1.10.0.0")
;   COMPANY   the company of the version information: the folder under Program Files and the
;             program's settings key SOFTWARE\<company>\Zentra!
;   WEB       the maker's web page; ICON the icon; OUTFILE the installer
Unicode true
Target ${ARCH}-unicode
SetCompressor /SOLID lzma
ManifestDPIAware true

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include WordFunc.nsh
!include x64.nsh

!define PRODUCT "Zentra!"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
!define SETTINGS_KEY "SOFTWARE\${COMPANY}\${PRODUCT}"
!define UNINSTALLER "Uninstall ${PRODUCT}.exe"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
; The program's settings live under HKEY_LOCAL_MACHINE, and so does the uninstall entry.
RequestExecutionLevel admin
!ifndef EXE32 & EXE64
    !error "EXE32 or EXE64 is needed"
!endif
!if ${ARCH} == amd64
!ifdef EXE32
    !error "a 64-bit installer runs on 64-bit Windows only: it installs the 64-bit program"
!endif
!endif
; The folder is chosen in .onInit, once the program's kind is known.

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

; Closing the running program. Every copy (window class "Zentra.Main", title "Quorvel") is asked
; once to close, as the user's own closing does, so each stores its settings; nothing is closed
; before the files are about to change, so a cancelled setup leaves the program running.
!macro RUNNING_COPIES un
; Asks each copy not asked yet and waits until none is left or 10 s pass without a new copy to
; ask. $0: the number of copies still running.
Function ${un}AskRunningCopiesToClose
    Push $1
    Push $2
    Push $3
    StrCpy $1 "|" ; the windows asked already, as |hwnd|hwnd|
    StrCpy $2 0 ; tenths of a second since a copy was last asked
    ${Do}
        StrCpy $0 0
        StrCpy $3 0
        ${Do}
            ; The next top-level window after $3; a window that closes meanwhile ends the
            ; round early and the next round finds the others.
            FindWindow $3 "Zentra.Main" "Quorvel" 0 $3
            ${IfThen} $3 = 0 ${|} ${ExitDo} ${|}
            IntOp $0 $0 + 1
            ClearErrors
            ${WordFind} "$1" "|$3|" "E*" $R9
            ${If} ${Errors}
                StrCpy $1 "$1$3|"
                ; Posted, not sent: a copy that is slow to close holds up no other.
                System::Call "user32::PostMessage(p r3, i ${WM_CLOSE}, p 0, p 0)"
                StrCpy $2 0
            ${EndIf}
        ${Loop}
        ${If} $0 = 0
        ${OrIf} $2 >= 100
            ${ExitDo}
        ${EndIf}
        Sleep 100
        IntOp $2 $2 + 1
    ${Loop}
    Pop $3
    Pop $2
    Pop $1
FunctionEnd

; Waits (up to 10 s) until a copy that has closed its window has also ended, so the program
; file can be replaced: until then Windows refuses to open it for writing.
Function ${un}WaitForProgramFile
    ${IfNot} ${FileExists} "$INSTDIR\${PRODUCT}.exe"
        Return
    ${EndIf}
    StrCpy $1 0
    ${Do}
        ClearErrors
        FileOpen $2 "$INSTDIR\${PRODUCT}.exe" a
        ${IfNot} ${Errors}
            FileClose $2
            ${ExitDo}
        ${EndIf}
        ${IfThen} $1 >= 100 ${|} ${ExitDo} ${|}
        Sleep 100
        IntOp $1 $1 + 1
    ${Loop}
FunctionEnd

; Closes every running copy right before the files change. Where one stays open, the user may
; close it and retry; otherwise (and in a silent run) setup stops with error level 2 and nothing
; changed.
Function ${un}CloseRunningCopies
    ${Do}
        Call ${un}AskRunningCopiesToClose
        ${IfThen} $0 = 0 ${|} ${ExitDo} ${|}
        MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
            "${PRODUCT} is still running. Close it, then choose Retry." /SD IDCANCEL IDRETRY retry
        SetErrorLevel 2
        Abort "${PRODUCT} is still running: nothing was changed."
    retry:
    ${Loop}
    Call ${un}WaitForProgramFile
FunctionEnd
!macroend
!insertmacro RUNNING_COPIES ""
!insertmacro RUNNING_COPIES "un."

; 1 when the 64-bit program is installed: that one goes to the 64-bit Program Files, and its
; entry and settings to the registry's 64-bit view (the 32-bit program's are in the 32-bit view on
; 64-bit Windows, each where that program itself looks).
Var Program64

Function .onInit
    SetShellVarContext all
    StrCpy $Program64 0
!ifdef EXE64
!ifdef EXE32
    ${If} ${IsNativeAMD64}
        StrCpy $Program64 1
    ${EndIf}
!else
    StrCpy $Program64 1
!endif
!endif
    ${If} $Program64 = 1
        SetRegView 64
    ${Else}
        SetRegView 32
    ${EndIf}
    ; /D= chose the folder already; else an upgrade goes where the installed copy is.
    ${If} $INSTDIR == ""
        ReadRegStr $INSTDIR HKLM "${UNINSTALL_KEY}" "InstallLocation"
    ${EndIf}
    ${If} $INSTDIR == ""
        ${If} $Program64 = 1
            StrCpy $INSTDIR "$PROGRAMFILES64\${COMPANY}\${PRODUCT}"
        ${Else}
            StrCpy $INSTDIR "$PROGRAMFILES32\${COMPANY}\${PRODUCT}"
        ${EndIf}
    ${EndIf}
FunctionEnd

; The outermost folder of $INSTDIR that does not exist yet ("" when $INSTDIR exists): setup makes
; it and those inside it, and the uninstaller removes those again when they are empty.
Function OutermostMissingFolder
    StrCpy $0 ""
    StrCpy $1 "$INSTDIR"
    ${DoUntil} ${FileExists} "$1\*.*"
        StrCpy $0 $1
        ${GetParent} $1 $1
        ${IfThen} $1 == "" ${|} ${ExitDo} ${|}
    ${Loop}
FunctionEnd

; Removing an installed copy, for the uninstaller and for setup (which replaces a copy of the
; 32-bit program with the 64-bit one).
!macro REMOVAL un
; Deletes a file of folder $6 and waits while it is still there, 5 s in all ($9 counts tenths):
; a program that has it open (the uninstaller that started this copy, a reader of the program's
; icon) may hold it until it ends, and until then the folder cannot go.
Function ${un}DeleteInstalled
    Exch $8
    ${Do}
        Delete "$6\$8"
        ${IfNot} ${FileExists} "$6\$8"
        ${OrIf} $9 >= 50
            ${ExitDo}
        ${EndIf}
        Sleep 100
        IntOp $9 $9 + 1
    ${Loop}
    Pop $8
FunctionEnd

; Removes from folder $6 the files setup put there, and the help viewer's own files beside the
; help file; a file the user added stays.
Function ${un}RemoveInstalledFiles
    StrCpy $9 0
    ${ForEach} $7 1 7 + 1
        ${Select} $7
            ${Case} 1
                Push "${PRODUCT}.exe"
            ${Case} 2
                Push "${PRODUCT}.dll"
            ${Case} 3
                Push "${PRODUCT}.hlp"
            ${Case} 4
                Push "${PRODUCT}.cnt"
            ${Case} 5
                Push "${PRODUCT}.gid"
            ${Case} 6
                Push "${PRODUCT}.fts"
            ${Case} 7
                ; The uninstaller there started this copy of itself and may not have ended yet.
                Push "${UNINSTALLER}"
        ${EndSelect}
        Call ${un}DeleteInstalled
    ${Next}
FunctionEnd

; Removes folder $6 and its parents up to $0, the outermost folder setup made, each only when
; empty. Nothing when $0 is empty or not $6 or one of its parents: a folder that existed before
; setup (a Desktop chosen with /D=, say) is never removed.
Function ${un}RemoveFoldersMade
    ${IfThen} $0 == "" ${|} Return ${|}
    StrCpy $1 "$6"
    ${DoUntil} $1 == $0
        ${GetParent} $1 $1
        ${IfThen} $1 == "" ${|} Return ${|}
    ${Loop}
    StrCpy $1 "$6"
    ${Do}
        ; An empty folder may still be held for a moment by a program that read the files just
        ; removed: it is tried again for up to 3 s. A folder with anything in it stays.
        StrCpy $5 0
        ${Do}
            ClearErrors
            RMDir $1
            ${IfNot} ${Errors}
                ${ExitDo}
            ${EndIf}
            Call ${un}FolderIsEmpty
            ${If} $2 = 0
            ${OrIf} $5 >= 30
                ${ExitDo}
            ${EndIf}
            Sleep 100
            IntOp $5 $5 + 1
        ${Loop}
        ${If} ${FileExists} "$1\*.*"
        ${OrIf} $1 == $0
            ${ExitDo}
        ${EndIf}
        ${GetParent} $1 $1
    ${Loop}
FunctionEnd

; $2: 1 when folder $1 holds nothing, else 0.
Function ${un}FolderIsEmpty
    StrCpy $2 1
    FindFirst $3 $4 "$1\*.*"
    ${DoWhile} $4 != ""
        ${If} $4 != "."
        ${AndIf} $4 != ".."
            StrCpy $2 0
            ${ExitDo}
        ${EndIf}
        FindNext $3 $4
    ${Loop}
    FindClose $3
FunctionEnd
!macroend
!insertmacro REMOVAL ""
!insertmacro REMOVAL "un."

; On 64-bit Windows a copy of the 32-bit program (an earlier release's, or setup's on a 32-bit
; run) has its entry and settings in the registry's 32-bit view. Setup takes its place: the stored
; mode moves to the 64-bit view unless that has one, the copy's files, folders and entry go, and
; its Start menu shortcuts are overwritten by the new ones. Runs with the 64-bit view set; the copies are
; closed already.
Function RemoveInstallOf32BitProgram
    SetRegView 32
    ReadRegStr $6 HKLM "${UNINSTALL_KEY}" "InstallLocation"
    ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "CreatedFolder"
    ; A REG_DWORD reads as its number with the error flag set.
    ClearErrors
    ReadRegStr $R1 HKLM "${SETTINGS_KEY}" "Mode"
    ${If} ${Errors}
    ${AndIf} $R1 != ""
        StrCpy $R2 dword
    ${Else}
        StrCpy $R2 string
    ${EndIf}
    DeleteRegKey HKLM "${SETTINGS_KEY}"
    DeleteRegKey /ifempty HKLM "SOFTWARE\${COMPANY}"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
    SetRegView 64
    ; Absent there: empty, with the error flag set.
    ClearErrors
    ReadRegStr $R3 HKLM "${SETTINGS_KEY}" "Mode"
    ${If} $R1 != ""
    ${AndIf} ${Errors}
    ${AndIf} $R3 == ""
        ${If} $R2 == dword
            WriteRegDWORD HKLM "${SETTINGS_KEY}" "Mode" $R1
        ${Else}
            WriteRegStr HKLM "${SETTINGS_KEY}" "Mode" $R1
        ${EndIf}
    ${EndIf}
    ${If} $6 == ""
    ${OrIf} $6 == $INSTDIR
        Return
    ${EndIf}
    Call RemoveInstalledFiles
    Call RemoveFoldersMade
    ; Its desktop shortcut points to the program just removed; the desktop section makes it again
    ; if chosen.
    Delete "$DESKTOP\${PRODUCT}.lnk"
FunctionEnd

Section "${PRODUCT}" SecProgram
    SectionIn RO
    Call CloseRunningCopies
    Call OutermostMissingFolder
    StrCpy $R0 $0
    ${If} $Program64 = 1
        Call RemoveInstallOf32BitProgram
    ${EndIf}
    SetOutPath "$INSTDIR"
    ; The installed files; each archive holds the same four (a build check compares them).
!ifdef EXE64
    ${If} $Program64 = 1
        File "/oname=${PRODUCT}.exe" "${EXE64}"
    ${EndIf}
!endif
!ifdef EXE32
    ${If} $Program64 = 0
        File "/oname=${PRODUCT}.exe" "${EXE32}"
    ${EndIf}
!endif
    File "${FILES}\${PRODUCT}.dll"
    File "${FILES}\${PRODUCT}.hlp"
    File "${FILES}\${PRODUCT}.cnt"
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
    ; An upgrade into the same place made nothing: the first install's record stays.
    ${If} $R0 != ""
        WriteRegStr HKLM "${UNINSTALL_KEY}" "CreatedFolder" "$R0"
    ${EndIf}
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
    ; This copy's entry: in the 64-bit view when that one names this folder, else in the 32-bit one.
    SetRegView 32
    ${If} ${RunningX64}
        SetRegView 64
        ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
        ${IfThen} $0 != $INSTDIR ${|} SetRegView 32 ${|}
    ${EndIf}
FunctionEnd

; Removes what setup put there and the program's settings; a file the user added stays, and with
; it the folder.
Section "Uninstall"
    Call un.CloseRunningCopies
    StrCpy $6 $INSTDIR
    Call un.RemoveInstalledFiles
    ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "CreatedFolder"
    Call un.RemoveFoldersMade

    Delete "$SMPROGRAMS\${PRODUCT}\${PRODUCT}.lnk"
    Delete "$SMPROGRAMS\${PRODUCT}\${PRODUCT} Help.lnk"
    RMDir "$SMPROGRAMS\${PRODUCT}"
    Delete "$DESKTOP\${PRODUCT}.lnk"

    DeleteRegKey HKLM "${UNINSTALL_KEY}"
    ; The settings: the machine's key (in both views: a 64-bit copy may have run the 32-bit
    ; program before), or the user's where the machine's refused writes.
    DeleteRegKey HKLM "${SETTINGS_KEY}"
    DeleteRegKey /ifempty HKLM "SOFTWARE\${COMPANY}"
    ${If} ${RunningX64}
        SetRegView 32
        DeleteRegKey HKLM "${SETTINGS_KEY}"
        DeleteRegKey /ifempty HKLM "SOFTWARE\${COMPANY}"
        SetRegView 64
        DeleteRegKey HKLM "${SETTINGS_KEY}"
        DeleteRegKey /ifempty HKLM "SOFTWARE\${COMPANY}"
    ${EndIf}
    DeleteRegKey HKCU "${SETTINGS_KEY}"
    DeleteRegKey /ifempty HKCU "SOFTWARE\${COMPANY}"
SectionEnd
