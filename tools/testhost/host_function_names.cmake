# The host functions the plug-in looks up, in the order of its table. The test
# host exports all of them, or all but a few to play an older or broken host.
set(VORLENT_HOST_FUNCTION_NAMES
    BKA_GetVersion BKA_Command BKA_GetWindowHandles BKA_RegisterCommand
    BKA_RegisterUICallback BKA_GetDataFolder BKA_GetTempFolder BKA_GetTempFileName
    BKA_GetCurrentMailBox BKA_SetCurrentMailBox BKA_GetCurrentFolder BKA_SetCurrentFolder
    BKA_GetFolderDisplayName BKA_SetMessageText BKA_GetCurrentMail BKA_SetCurrentMail
    BKA_GetNextMail BKA_SetSel BKA_AppendMessage BKA_MoveSelectedMessages BKA_GetStatus
    BKA_SetStatus BKA_ComposeMail BKA_GetCharSet BKA_GetSource BKA_SetSource BKA_GetHeader
    BKA_GetText BKA_SetText BKA_GetSpecifiedHeader BKA_SetSpecifiedHeader BKA_CompGetCharSet
    BKA_CompGetSource BKA_CompSetSource BKA_CompGetHeader BKA_CompGetSpecifiedHeader
    BKA_CompSetSpecifiedHeader BKA_CompGetText BKA_CompSetText BKA_CompAttachFile BKA_Alloc
    BKA_ReAlloc BKA_Free BKA_ISO_2022_JP BKA_ISO_2022_KR BKA_HZ_GB2312 BKA_ISO_8859_2
    BKA_EUC_JP BKA_UTF_7 BKA_UTF_8 BKA_B64Convert BKA_QPConvert BKA_MIMEHeader
    BKA_SerializeRcpts BKA_Connect BKA_NextUnread
)
