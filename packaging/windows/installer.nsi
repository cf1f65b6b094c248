; The Windows installer of Zintu, zintu-<version>-setup.exe, and the
; uninstaller it writes. makensis reads the product's facts and the files'
; places from product.nsh, which CMake writes (PRODUCT_NSH names it).
;
; Install for me (the default, no administrator rights): every file in
; %LOCALAPPDATA%\Programs\Zintu, the Installed apps entry under HKCU.
; Install for all users (administrator): zintu.scr in the system folder, where
; the Screen Saver Settings list it for everyone, the uninstaller and texts in
; Program Files\Zintu, the entry under HKLM.
; "Use Zintu as my screen saver" (ticked by default) makes it the current
; user's screen saver; the screen saver it replaces is kept under
; HKCU\Software\Zintu so the uninstaller can bring it back.
;
; Switches: /S silent; /AllUsers or /CurrentUser choose the scope (and skip
; that page); /KeepScreenSaver leaves the current screen saver alone. The
; uninstaller: /S, and /RemoveSettings to remove %APPDATA%\Zintu as well.
; Exit codes: 0 done, 1 cancelled, 2 failed, 740 administrator rights needed
; but not given.
;
; The installer is a 64-bit program, as zintu.scr is: the system folder and
; the registry it sees are the 64-bit ones, with no redirection to undo.

!include "${PRODUCT_NSH}"

Target amd64-unicode
Unicode true
ManifestDPIAware true
ManifestSupportedOS all
RequestExecutionLevel user
SetCompressor /SOLID lzma
AllowSkipFiles off

Name "${PRODUCT_NAME}"
Caption "${PRODUCT_NAME} ${PRODUCT_VERSION} Setup"
UninstallCaption "${PRODUCT_NAME} Uninstall"
OutFile "${SETUP_FILE}"
BrandingText "${PRODUCT_NAME} ${PRODUCT_VERSION}"
VIProductVersion "${PRODUCT_VERSION4}"
VIFileVersion "${PRODUCT_VERSION4}"
VIAddVersionKey /LANG=0 "ProductName" "${PRODUCT_NAME}"
VIAddVersionKey /LANG=0 "ProductVersion" "${PRODUCT_VERSION}"
VIAddVersionKey /LANG=0 "FileVersion" "${PRODUCT_VERSION}"
VIAddVersionKey /LANG=0 "FileDescription" "${PRODUCT_NAME} Setup"
VIAddVersionKey /LANG=0 "CompanyName" "${PRODUCT_PUBLISHER}"
VIAddVersionKey /LANG=0 "LegalCopyright" "${PRODUCT_COPYRIGHT}"

!include LogicLib.nsh
!include FileFunc.nsh
!include nsDialogs.nsh
!include WinMessages.nsh
!include MUI2.nsh

!define UNINST_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT_NAME}"
!define MEMORY_KEY "Software\${PRODUCT_NAME}"
!define DESKTOP_KEY "Control Panel\Desktop"
!define SCR_NAME "zintu.scr"
!define UNINSTALLER "uninstall.exe"
!define SPI_SETSCREENSAVEACTIVE 17
!define SPIF_UPDATE_AND_SEND 3
!define ERROR_ELEVATION_REQUIRED 740

Var AllUsers    ; 1: install for all users
Var UseAsSaver  ; 1: make Zintu the current user's screen saver
Var ScopeGiven  ; 1: the command line chose the scope
Var ScrPath     ; where zintu.scr is (or goes)
Var Fresh       ; 1: no earlier install in this scope, so a failure removes everything
Var RemoveSettings
Var RadioAll
Var CheckSaver
Var CheckSettings

!define MUI_ABORTWARNING
; Where a city is chosen: the Screen Saver Settings, Zintu's Settings button.
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_NOTCHECKED
!define MUI_FINISHPAGE_RUN_TEXT "Open the Screen Saver Settings"
!define MUI_FINISHPAGE_RUN_FUNCTION OpenScreenSaverSettings
Page custom ScopePage ScopePageLeave
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
UninstPage custom un.ConfirmPage un.ConfirmPageLeave
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; ---------------------------------------------------------------------------
; Shared by the installer and the uninstaller (the latter's names start
; with "un.").

!macro SHARED UN
; True (1 in $0) when this process has administrator rights now.
Function ${UN}IsAdmin
    UserInfo::GetAccountType
    Pop $0
    ${If} $0 == "Admin"
        StrCpy $0 1
    ${Else}
        StrCpy $0 0
    ${EndIf}
FunctionEnd

; Starts this program again with administrator rights and the switches in
; $R0, waits for it and ends with its exit code. Returns only when the
; elevation was refused or failed. The switch /Elevated marks the second
; run, so that it never asks again; it goes first, as an uninstaller's
; folder (_?=) must be last.
Function ${UN}RunElevated
    StrCpy $R2 "runas"
    StrCpy $R3 $EXEPATH
    StrCpy $R4 "/Elevated $R0"
    ; SHELLEXECUTEINFOW, 112 bytes on 64-bit Windows; SEE_MASK_NOCLOSEPROCESS
    ; keeps the process handle. Padding is written out.
    System::Call '*(i 112, i 0x40, p $HWNDPARENT, w R2, w R3, w R4, p 0, i 1, i 0, \
        p 0, p 0, p 0, p 0, i 0, i 0, p 0, p 0) p .r1'
    System::Call 'shell32::ShellExecuteExW(p r1) i .r2'
    System::Call '*$1(i, i, p, p, p, p, p, i, i, p, p, p, p, i, i, p, p .r3)'
    System::Free $1
    ${If} $2 <> 0
    ${AndIf} $3 P<> 0
        HideWindow
        System::Call 'kernel32::WaitForSingleObject(p r3, i -1)'
        System::Call 'kernel32::GetExitCodeProcess(p r3, *i .r4)'
        System::Call 'kernel32::CloseHandle(p r3)'
        SetErrorLevel $4
        Quit
    ${EndIf}
FunctionEnd

; The id of a process running $ScrPath, in $0, or 0.
Function ${UN}FindRunningSaver
    StrCpy $0 0
    System::Call 'kernel32::CreateToolhelp32Snapshot(i 2, i 0) p .r5' ; TH32CS_SNAPPROCESS
    ${If} $5 P= -1
        Return
    ${EndIf}
    ; PROCESSENTRY32W, 568 bytes: the id at byte 8, the file name at byte 44.
    System::Alloc 568
    Pop $6
    System::Call '*$6(i 568)'
    System::Call 'kernel32::Process32FirstW(p r5, p r6) i .r7'
    ${DoWhile} $7 <> 0
        System::Call '*$6(i, i, i .r8, i, p, i, i, i, i, i, &w260 .r9)'
        ${If} $9 == "${SCR_NAME}"
            ; PROCESS_QUERY_LIMITED_INFORMATION: the image's full path.
            System::Call 'kernel32::OpenProcess(i 0x1000, i 0, i r8) p .r1'
            ${If} $1 P<> 0
                System::Call 'kernel32::QueryFullProcessImageNameW(p r1, i 0, w .r2, *i ${NSIS_MAX_STRLEN})'
                System::Call 'kernel32::CloseHandle(p r1)'
                ${If} $2 == $ScrPath
                    StrCpy $0 $8
                    ${Break}
                ${EndIf}
            ${EndIf}
        ${EndIf}
        System::Call 'kernel32::Process32NextW(p r5, p r6) i .r7'
    ${Loop}
    System::Free $6
    System::Call 'kernel32::CloseHandle(p r5)'
FunctionEnd

; A running saver (most often the Screen Saver Settings' preview) holds
; zintu.scr, which then can be neither replaced nor removed. Ends it, after
; asking unless silent; aborts when the user says no or it will not end.
Function ${UN}EndRunningSaver
    Call ${UN}FindRunningSaver
    ${If} $0 = 0
        Return
    ${EndIf}
    MessageBox MB_OKCANCEL|MB_ICONINFORMATION \
        "${PRODUCT_NAME} is running, perhaps as the preview in the Screen Saver Settings.$\r$\n\
Click OK to close it and continue." /SD IDOK IDOK end
    SetErrorLevel 1
    Abort "${PRODUCT_NAME} is still running; nothing was changed."
end:
    ${For} $R1 1 10
        ; PROCESS_TERMINATE | SYNCHRONIZE
        System::Call 'kernel32::OpenProcess(i 0x100001, i 0, i r0) p .r1'
        ${If} $1 P<> 0
            System::Call 'kernel32::TerminateProcess(p r1, i 1)'
            System::Call 'kernel32::WaitForSingleObject(p r1, i 5000)'
            System::Call 'kernel32::CloseHandle(p r1)'
        ${EndIf}
        Call ${UN}FindRunningSaver
        ${If} $0 = 0
            DetailPrint "Closed the running ${PRODUCT_NAME}."
            Return
        ${EndIf}
    ${Next}
    SetErrorLevel 2
    Abort "${PRODUCT_NAME} could not be closed; nothing was changed."
FunctionEnd

; Tells the running system whether a screen saver is on ($0: 0 or 1).
Function ${UN}AnnounceScreenSaver
    System::Call 'user32::SystemParametersInfoW(i ${SPI_SETSCREENSAVEACTIVE}, i r0, p 0, \
        i ${SPIF_UPDATE_AND_SEND})'
FunctionEnd
!macroend
!insertmacro SHARED ""
!insertmacro SHARED "un."

; ---------------------------------------------------------------------------
; Installer

Function .onInit
    StrCpy $AllUsers 0
    StrCpy $UseAsSaver 1
    StrCpy $ScopeGiven 0
    ${GetParameters} $R0
    ClearErrors
    ${GetOptions} $R0 "/AllUsers" $1
    ${IfNot} ${Errors}
        StrCpy $AllUsers 1
        StrCpy $ScopeGiven 1
    ${EndIf}
    ClearErrors
    ${GetOptions} $R0 "/CurrentUser" $1
    ${IfNot} ${Errors}
        StrCpy $AllUsers 0
        StrCpy $ScopeGiven 1
    ${EndIf}
    ClearErrors
    ${GetOptions} $R0 "/KeepScreenSaver" $1
    ${IfNot} ${Errors}
        StrCpy $UseAsSaver 0
    ${EndIf}
    ; Offered first: the scope Zintu is already installed in, for an update.
    ${If} $ScopeGiven = 0
        ReadRegStr $1 HKCU "${UNINST_KEY}" "InstallLocation"
        ReadRegStr $2 HKLM "${UNINST_KEY}" "InstallLocation"
        ${If} $1 == ""
        ${AndIf} $2 != ""
        ${AndIfNot} ${Silent}
            StrCpy $AllUsers 1
        ${EndIf}
    ${EndIf}
    ${If} $ScopeGiven = 1
    ${AndIf} $AllUsers = 1
        Call IsAdmin
        ${If} $0 = 0
            ClearErrors
            ${GetOptions} $R0 "/Elevated" $1
            ${If} ${Errors}
                Call RunElevated
            ${EndIf}
            MessageBox MB_ICONSTOP "Installing for all users needs administrator rights." /SD IDOK
            SetErrorLevel ${ERROR_ELEVATION_REQUIRED}
            Quit
        ${EndIf}
    ${EndIf}
FunctionEnd

Function ScopePage
    ${If} $ScopeGiven = 1
        Abort
    ${EndIf}
    !insertmacro MUI_HEADER_TEXT "Choose how to install ${PRODUCT_NAME}" \
        "For yourself, or for everyone who uses this computer."
    nsDialogs::Create 1018
    Pop $0
    ${NSD_CreateRadioButton} 0 0 100% 12u "Install for &me (no administrator rights needed)"
    Pop $1
    ${NSD_AddStyle} $1 ${WS_GROUP}
    ${NSD_CreateLabel} 12u 13u -12u 10u "$LOCALAPPDATA\Programs\${PRODUCT_NAME}"
    Pop $0
    ${NSD_CreateRadioButton} 0 30u 100% 12u "Install for &all users (needs administrator rights)"
    Pop $RadioAll
    ${NSD_CreateLabel} 12u 43u -12u 10u "$SYSDIR"
    Pop $0
    ${NSD_CreateCheckBox} 0 70u 100% 12u "&Use ${PRODUCT_NAME} as my screen saver"
    Pop $CheckSaver
    ${NSD_AddStyle} $CheckSaver ${WS_GROUP}
    ${If} $AllUsers = 1
        ${NSD_Check} $RadioAll
    ${Else}
        ${NSD_Check} $1
    ${EndIf}
    ${If} $UseAsSaver = 1
        ${NSD_Check} $CheckSaver
    ${EndIf}
    ; This page is the last before copying: its button installs.
    GetDlgItem $0 $HWNDPARENT 1
    SendMessage $0 ${WM_SETTEXT} 0 "STR:$(^InstallBtn)"
    nsDialogs::Show
FunctionEnd

Function ScopePageLeave
    ${NSD_GetState} $RadioAll $AllUsers
    ${NSD_GetState} $CheckSaver $UseAsSaver
    ${If} $AllUsers = 1
        Call IsAdmin
        ${If} $0 = 0
            StrCpy $R0 "/AllUsers"
            ${If} $UseAsSaver = 0
                StrCpy $R0 "$R0 /KeepScreenSaver"
            ${EndIf}
            Call RunElevated
            MessageBox MB_ICONEXCLAMATION "Installing for all users needs administrator rights.$\r$\n\
Choose $\"Install for me$\", or run Setup as an administrator."
            Abort
        ${EndIf}
    ${EndIf}
FunctionEnd

; The install's places, from its scope. An all-users install keeps only
; zintu.scr in the system folder.
Function ChoosePlaces
    ${If} $AllUsers = 1
        SetShellVarContext all
        StrCpy $INSTDIR "$PROGRAMFILES64\${PRODUCT_NAME}"
        StrCpy $ScrPath "$SYSDIR\${SCR_NAME}"
    ${Else}
        SetShellVarContext current
        StrCpy $INSTDIR "$LOCALAPPDATA\Programs\${PRODUCT_NAME}"
        StrCpy $ScrPath "$INSTDIR\${SCR_NAME}"
    ${EndIf}
    ; An update goes where the installed copy is.
    ReadRegStr $0 SHCTX "${UNINST_KEY}" "InstallLocation"
    ${If} $0 == ""
        StrCpy $Fresh 1
    ${Else}
        StrCpy $Fresh 0
        StrCpy $INSTDIR $0
        ${If} $AllUsers = 0
            StrCpy $ScrPath "$INSTDIR\${SCR_NAME}"
        ${EndIf}
    ${EndIf}
FunctionEnd

; Makes zintu.scr the current user's screen saver, first keeping the one it
; replaces. A Zintu replacing a Zintu (an update, or the other scope's
; install) keeps the record of the screen saver from before either.
Function UseAsScreenSaver
    ReadRegStr $1 HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
    ReadRegStr $2 HKCU "${DESKTOP_KEY}" "ScreenSaveActive"
    ${GetFileName} $1 $3
    ${If} $3 != "${SCR_NAME}"
        WriteRegStr HKCU "${MEMORY_KEY}" "PreviousScreenSaver" $1
        WriteRegStr HKCU "${MEMORY_KEY}" "PreviousScreenSaveActive" $2
    ${EndIf}
    WriteRegStr HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE" $ScrPath
    WriteRegStr HKCU "${DESKTOP_KEY}" "ScreenSaveActive" "1"
    StrCpy $0 1
    Call AnnounceScreenSaver
    DetailPrint "${PRODUCT_NAME} is now your screen saver."
FunctionEnd

Function OpenScreenSaverSettings
    Exec '"$SYSDIR\control.exe" desk.cpl,,@screensaver'
FunctionEnd

Section "Install"
    Call ChoosePlaces
    Call EndRunningSaver
    SetOutPath $INSTDIR
    ; The new zintu.scr takes the old one's place only once it is whole, so a
    ; failure leaves the installed copy as it was.
    Delete "$ScrPath.new"
    File "/oname=$ScrPath.new" "${SCR_FILE}"
    Delete $ScrPath
    ClearErrors
    Rename "$ScrPath.new" $ScrPath
    ${If} ${Errors}
        Delete "$ScrPath.new"
        SetErrorLevel 2
        Abort "$ScrPath is in use and could not be replaced; close what uses it and run Setup again."
    ${EndIf}
    File "/oname=README.txt" "${README_FILE}"
    File "/oname=LICENSE.txt" "${LICENSE_FILE}"
    WriteUninstaller "$INSTDIR\${UNINSTALLER}"

    ; The entry in Installed apps, written last: it names a complete install.
    StrCpy $1 "$\"$INSTDIR\${UNINSTALLER}$\""
    WriteRegStr SHCTX "${UNINST_KEY}" "DisplayName" "${PRODUCT_NAME}"
    WriteRegStr SHCTX "${UNINST_KEY}" "DisplayVersion" "${PRODUCT_VERSION}"
    WriteRegStr SHCTX "${UNINST_KEY}" "Publisher" "${PRODUCT_PUBLISHER}"
    WriteRegStr SHCTX "${UNINST_KEY}" "DisplayIcon" "$ScrPath"
    WriteRegStr SHCTX "${UNINST_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr SHCTX "${UNINST_KEY}" "UninstallString" "$1"
    WriteRegStr SHCTX "${UNINST_KEY}" "QuietUninstallString" "$1 /S"
    WriteRegDWORD SHCTX "${UNINST_KEY}" "NoModify" 1
    WriteRegDWORD SHCTX "${UNINST_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K /G=0" $2 $3 $4
    ${If} $AllUsers = 1
        ${GetSize} "$SYSDIR" "/M=${SCR_NAME} /S=0K /G=0" $3 $4 $5
        IntOp $2 $2 + $3
    ${EndIf}
    WriteRegDWORD SHCTX "${UNINST_KEY}" "EstimatedSize" $2

    ${If} $UseAsSaver = 1
        Call UseAsScreenSaver
    ${EndIf}
SectionEnd

; A failed first install takes away what it had made; a failed update has
; not touched the installed copy.
Function .onInstFailed
    Delete "$ScrPath.new"
    ${If} $Fresh = 1
        Delete $ScrPath
        Delete "$INSTDIR\README.txt"
        Delete "$INSTDIR\LICENSE.txt"
        Delete "$INSTDIR\${UNINSTALLER}"
        RMDir $INSTDIR
    ${EndIf}
FunctionEnd

; ---------------------------------------------------------------------------
; Uninstaller: it runs from a copy in the temporary folder, $INSTDIR being
; the folder it was written to.

Function un.onInit
    StrCpy $RemoveSettings 0
    ${GetParameters} $R0
    ClearErrors
    ${GetOptions} $R0 "/RemoveSettings" $1
    ${IfNot} ${Errors}
        StrCpy $RemoveSettings 1
    ${EndIf}
    ; The all-users install is the one whose entry names this folder.
    ReadRegStr $1 HKLM "${UNINST_KEY}" "InstallLocation"
    ${If} $1 == $INSTDIR
        StrCpy $AllUsers 1
        StrCpy $ScrPath "$SYSDIR\${SCR_NAME}"
        Call un.IsAdmin
        ${If} $0 = 0
            ClearErrors
            ${GetOptions} $R0 "/Elevated" $1
            ${If} ${Errors}
                ; The copy must be told where the install is.
                StrCpy $R0 "$R0 _?=$INSTDIR"
                Call un.RunElevated
            ${EndIf}
            MessageBox MB_ICONSTOP "Removing ${PRODUCT_NAME} for all users needs administrator rights." /SD IDOK
            SetErrorLevel ${ERROR_ELEVATION_REQUIRED}
            Quit
        ${EndIf}
        SetShellVarContext all
    ${Else}
        StrCpy $AllUsers 0
        StrCpy $ScrPath "$INSTDIR\${SCR_NAME}"
    ${EndIf}
FunctionEnd

Function un.ConfirmPage
    !insertmacro MUI_HEADER_TEXT "Uninstall ${PRODUCT_NAME}" \
        "Remove ${PRODUCT_NAME} from this computer."
    nsDialogs::Create 1018
    Pop $0
    ${NSD_CreateLabel} 0 0 100% 24u "${PRODUCT_NAME} will be removed from $INSTDIR.$\r$\n\
If it is your screen saver, the one you had before comes back."
    Pop $0
    ${NSD_CreateCheckBox} 0 34u 100% 12u "Also remove my &settings ($APPDATA\${PRODUCT_NAME})"
    Pop $CheckSettings
    GetDlgItem $0 $HWNDPARENT 1
    SendMessage $0 ${WM_SETTEXT} 0 "STR:$(^UninstallBtn)"
    nsDialogs::Show
FunctionEnd

Function un.ConfirmPageLeave
    ${NSD_GetState} $CheckSettings $RemoveSettings
FunctionEnd

; If zintu.scr is the current user's screen saver, brings back the one it
; replaced, or turns the screen saver off when there was none. A screen saver
; chosen since is left alone.
Function un.RestoreScreenSaver
    ReadRegStr $1 HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
    ${If} $1 != $ScrPath
        Return
    ${EndIf}
    ReadRegStr $2 HKCU "${MEMORY_KEY}" "PreviousScreenSaver"
    ReadRegStr $3 HKCU "${MEMORY_KEY}" "PreviousScreenSaveActive"
    ; A screen saver recorded without the switch was on.
    ${If} $2 == ""
        DeleteRegValue HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
        StrCpy $0 0
    ${Else}
        WriteRegStr HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE" $2
        StrCpy $0 1
        ${If} $3 == "0"
            StrCpy $0 0
        ${EndIf}
    ${EndIf}
    WriteRegStr HKCU "${DESKTOP_KEY}" "ScreenSaveActive" $0
    Call un.AnnounceScreenSaver
FunctionEnd

Section "Uninstall"
    Call un.EndRunningSaver
    ClearErrors
    Delete $ScrPath
    ${If} ${FileExists} $ScrPath
        SetErrorLevel 2
        Abort "$ScrPath is in use and could not be removed; nothing was changed."
    ${EndIf}
    Call un.RestoreScreenSaver
    ; The record goes with the last install, for the other scope's may need it.
    ${If} $AllUsers = 1
        ReadRegStr $1 HKCU "${UNINST_KEY}" "InstallLocation"
    ${Else}
        ReadRegStr $1 HKLM "${UNINST_KEY}" "InstallLocation"
    ${EndIf}
    ${If} $1 == ""
        DeleteRegValue HKCU "${MEMORY_KEY}" "PreviousScreenSaver"
        DeleteRegValue HKCU "${MEMORY_KEY}" "PreviousScreenSaveActive"
        DeleteRegKey /ifempty HKCU "${MEMORY_KEY}"
    ${EndIf}
    Delete "$INSTDIR\README.txt"
    Delete "$INSTDIR\LICENSE.txt"
    Delete "$INSTDIR\${UNINSTALLER}"
    RMDir $INSTDIR
    ${If} $RemoveSettings = 1
        SetShellVarContext current
        RMDir /r "$APPDATA\${PRODUCT_NAME}"
        ${If} $AllUsers = 1
            SetShellVarContext all
        ${EndIf}
    ${EndIf}
    ; The entry goes last: while it is there, the uninstall can be run again.
    DeleteRegKey SHCTX "${UNINST_KEY}"
SectionEnd
