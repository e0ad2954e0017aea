#pragma once
// Identifiers of the uninstaller's resources and of its form's controls,
// shared by its .rc files and code.
#define IDI_UNINSTALLER 201

#ifndef RC_INVOKED
// The uninstaller's own string table (uninstaller/strings.rc).
enum UninstallerStringId {
    IDS_U_BOX_CAPTION = 20000,
    IDS_U_FORM_CAPTION = 20001,
    IDS_U_USAGE = 20002,
    IDS_U_NO_RECORD = 20003,
    IDS_U_QUESTION = 20004,
    IDS_U_QUESTION_FOLDER = 20005,
    IDS_U_PREPARING = 20007,
    IDS_U_REMOVING_FILES = 20008,
    IDS_U_REMOVING_GROUP = 20009,
    IDS_U_REMOVING_SHORTCUT = 20010,
    IDS_U_REMOVING_ASSOCIATIONS = 20011,
    IDS_U_REMOVING_FOLDERS = 20012,
    IDS_U_UPDATING_REGISTRY = 20013,
    IDS_U_REMOVED = 20014,
    IDS_U_FOLDER_KEPT = 20015,
    IDS_U_SKIPPED_VALUES = 20016,
    IDS_U_REMOVED_AT_RESTART = 20017,
    IDS_U_DAMAGED_RECORD = 20018,
    IDS_U_CANCEL = 20019,
    IDS_U_NOT_COMPLETED = 20021,
    IDS_U_REGISTRATION_FAILED = 20022,
    IDS_U_CANNOT_CONTINUE = 20023,
    IDS_U_RECORD_NOT_REMOVED = 20024,
    IDS_U_INSTALL_WAS_INTERRUPTED = 20025,
    IDS_U_CHANGES_LEFT_ALONE = 20026,
    IDS_U_UNDO_WAITS = 20027,
    IDS_U_LOG_NOT_CREATED = 20028,
};

// Window identifiers of the form's controls: 1000 plus the index in its template.
enum UninstallControlId {
    stcStatus = 1000,
    prbProgress = 1001,
    btnCancelClose = 1002,
};
#endif
