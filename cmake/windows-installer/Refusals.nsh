; What stops Lurkfield's setup, and how it says so (included by lurkfield-setup.nsi).
;
; Every refusal comes before setup writes or removes a file of Lurkfield's, so
; it leaves the installation as it was, and none of them touches the user's
; world.
;
; A message box waits for a click, and a silent setup (/S) must never wait for
; one that nobody will make: each box has a silent default (/SD), and in silent
; mode the message goes to standard error instead, for the console or the script
; that started setup. The exit code is then 2, NSIS's own for "stopped by the
; script" (0: done; 1: cancelled by the user).

!define ERROR_FILE_EXISTS 80
!define ERROR_SHARING_VIOLATION 32
!define ERROR_ALREADY_EXISTS 183
!define INVALID_FILE_ATTRIBUTES -1
!define FILE_ATTRIBUTE_DIRECTORY 0x10
!define STD_ERROR_HANDLE -12
!define GENERIC_WRITE 0x40000000
!define OPEN_EXISTING 3
!define CP_UTF8 65001

!macro RefusalFunctions UN

; Says the message on the stack and ends setup with exit code 2.
Function ${UN}Refuse
  Exch $0
  MessageBox MB_OK|MB_ICONSTOP "$0" /SD IDOK
  ${If} ${Silent}
    Push "$0$\r$\n"
    Call ${UN}TellStandardError
  ${EndIf}
  SetErrorLevel 2
  Quit
FunctionEnd

; Writes the text on the stack to standard error, in UTF-8, when setup has one.
Function ${UN}TellStandardError
  Exch $0
  System::Call 'kernel32::GetStdHandle(i ${STD_ERROR_HANDLE}) p .r1'
  ${If} $1 P<> 0
  ${AndIf} $1 P<> -1
    System::Call 'kernel32::WideCharToMultiByte(i ${CP_UTF8}, i 0, w r0, i -1, p 0, i 0, p 0, p 0) i .r2'
    System::Alloc $2
    Pop $3
    System::Call 'kernel32::WideCharToMultiByte(i ${CP_UTF8}, i 0, w r0, i -1, p r3, i r2, p 0, p 0)'
    IntOp $2 $2 - 1 ; all but the closing zero
    System::Call 'kernel32::WriteFile(p r1, p r3, i r2, *i 0, p 0)'
    System::Free $3
  ${EndIf}
  Pop $0
FunctionEnd

; One setup at a time, installer or uninstaller: two would write the same files.
; The system drops the mutex when the setup holding it ends, however it ends.
Function ${UN}RefuseIfSetupRuns
  System::Call 'kernel32::CreateMutexW(p 0, i 1, w "Lurkfield.Setup") p .r0 ?e'
  Pop $1
  ${If} $1 = ${ERROR_ALREADY_EXISTS}
    Push "Lurkfield's setup is running already. Finish it or close its window, then try again."
    Call ${UN}Refuse
  ${EndIf}
FunctionEnd

!macroend
!insertmacro RefusalFunctions ""
!insertmacro RefusalFunctions "un."

; Refuses while PROGRAM of the installation runs: Windows lets nobody open a
; running program's file for writing, so neither an upgrade nor an uninstall
; could replace or remove it. Checked for every program before any is touched.
!macro RefuseIfInUse UN PROGRAM
  ${If} ${FileExists} "$INSTDIR\${PROGRAM}"
    System::Call 'kernel32::CreateFileW(w "$INSTDIR\${PROGRAM}", i ${GENERIC_WRITE}, i 0, p 0, \
        i ${OPEN_EXISTING}, i 0, p 0) p .r0 ?e'
    Pop $1
    ${If} $0 P= -1
      ${If} $1 = ${ERROR_SHARING_VIOLATION}
        Push "Lurkfield is running: $INSTDIR\${PROGRAM} is in use. Close it, then try again."
        Call ${UN}Refuse
      ${EndIf}
    ${Else}
      System::Call 'kernel32::CloseHandle(p r0)'
    ${EndIf}
  ${EndIf}
!macroend
