; The user's world, %APPDATA%\Lurkfield\lurkfield.config: the installer puts the
; sample world there when there is none, and nothing of Lurkfield's setup ever
; overwrites or removes it (included by lurkfield-setup.nsi, after Refusals.nsh).

; The user's world folder, and in it the sample world (from $PLUGINSDIR) when it
; has no lurkfield.config. CopyFileW told to fail when the file exists never
; overwrites a world, not even one saved while setup runs.
Function PutSampleWorld
  System::Call 'kernel32::GetFileAttributesW(w "${WORLD}") i .r0'
  ${If} $0 = ${INVALID_FILE_ATTRIBUTES}
    ClearErrors
    CreateDirectory "${WORLD}"
    ${If} ${Errors}
      Push "Setup cannot make your world folder, ${WORLD}. Make sure you may write in $APPDATA, then run setup again."
      Call Refuse
    ${EndIf}
  ${Else}
    IntOp $1 $0 & ${FILE_ATTRIBUTE_DIRECTORY}
    ${If} $1 = 0
      Push "${WORLD} is a file, and Lurkfield keeps your world in a folder of that name. Move or rename the file (setup leaves it as it is), then run setup again."
      Call Refuse
    ${EndIf}
  ${EndIf}
  System::Call 'kernel32::GetFileAttributesW(w "${WORLD}\lurkfield.config") i .r0'
  ${If} $0 <> ${INVALID_FILE_ATTRIBUTES}
    DetailPrint "Your world: ${WORLD}\lurkfield.config, kept as it is"
    Return
  ${EndIf}
  System::Call 'kernel32::CopyFileW(w "$PLUGINSDIR\lurkfield.config", \
      w "${WORLD}\lurkfield.config", i 1) i .r0 ?e'
  Pop $1
  ${If} $0 <> 0
    DetailPrint "Your world: ${WORLD}\lurkfield.config, the sample world"
  ${ElseIf} $1 = ${ERROR_FILE_EXISTS}
    DetailPrint "Your world: ${WORLD}\lurkfield.config, kept as it is"
  ${Else}
    Push "Setup cannot write the sample world into your world folder, ${WORLD}: the folder is read-only, or you may not write in it. Make it writable, or put a lurkfield.config of your own there, then run setup again."
    Call Refuse
  ${EndIf}
FunctionEnd
