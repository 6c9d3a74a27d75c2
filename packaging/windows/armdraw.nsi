; The Windows installer: the zip's folder under Program Files (or wherever the user chooses), a
; Start-menu shortcut for all users and an uninstaller listed in Apps & features. Built by
; scripts/windows-package with makensis -DVERSION=... -DSTAGE=<the folder> -DFILES=<its file list>
; -DICON=<the .ico> -DOUTFILE=<the setup .exe>.
; FILES defines the macros INSTALL_FILES and UNINSTALL_FILES, written from the staged folder, so
; the uninstaller deletes exactly the files the installer wrote: the user may have chosen a folder
; that already holds files of their own.
Unicode true
!include "MUI2.nsh"
!include "${FILES}"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\armdraw"

Name "armdraw ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\armdraw"
InstallDirRegKey HKLM "Software\armdraw" "InstallDir"
RequestExecutionLevel admin
SetCompressor /SOLID lzma

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!insertmacro MUI_PAGE_LICENSE "${STAGE}/LICENSE.txt"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Section "armdraw"
    ; The install is machine-wide (Program Files, HKLM), so is its shortcut.
    SetShellVarContext all
    SetRegView 64
    !insertmacro INSTALL_FILES
    SetOutPath "$INSTDIR"
    WriteUninstaller "$INSTDIR\uninstall.exe"
    CreateShortcut "$SMPROGRAMS\armdraw.lnk" "$INSTDIR\armdraw.exe"
    WriteRegStr HKLM "Software\armdraw" "InstallDir" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "armdraw"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "armdraw developers"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\armdraw.exe"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
    SetShellVarContext all
    SetRegView 64
    Delete "$SMPROGRAMS\armdraw.lnk"
    ; By name, and folders only once empty: nothing the installer did not write goes.
    !insertmacro UNINSTALL_FILES
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
    DeleteRegKey HKLM "Software\armdraw"
SectionEnd
