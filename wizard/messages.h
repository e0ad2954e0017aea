#pragma once
// The string table and the two message-box helpers through which every
// question and error passes.
#include <windows.h>

// String identifiers of the table used by code (the table itself is in
// resources/strings.rc).
enum StringId {
    IDS_PACKAGE_DAMAGED = 10004,
    IDS_LIST_DAMAGED = 10005,
    IDS_NEEDS_WINDOWS95 = 10006,
    IDS_CANNOT_CONTINUE = 10009,
    IDS_COPY_FAILED = 10010,
    IDS_FOLDER_FAILED = 10011,
    IDS_FILE_NOT_FOUND = 10012,
    IDS_READ_FAILED = 10013,
    IDS_WRITE_FAILED = 10014,
    IDS_NO_TEMP_FOLDER = 10021,
    IDS_CREATING_FOLDERS = 10023,
    IDS_CREATING_GROUP = 10024,
    IDS_CREATING_SHORTCUT = 10025,
    IDS_NO_PACKAGE = 10026,
    IDS_PRODUCT_RUNNING = 10030,
    IDS_UNPACKING = 10033,
    IDS_COPYING_FILES = 10039,
    IDS_NO_DISK_SPACE = 10046,
    IDS_WIZARD_CAPTION = 10058,
    IDS_INSTALL_INTERRUPTED = 10061,
    IDS_ROLLING_BACK = 10062,
    IDS_UPDATING_REGISTRY = 10063,
    IDS_CANCELLED_BY_USER = 10064,
    IDS_WRITING_VALUES = 10068,
};

// Loads the string into a 260-byte buffer; returns its length (0 and an
// empty buffer for an identifier without text).
int LoadTableString(int id, char* buffer);

// A message box owned by the main window, with the wizard's caption.
int ShowMessage(const char* text, UINT flags);
// The same box standing alone on the desktop, for when the main window is hidden.
int ShowUnownedMessage(const char* text, UINT flags);

// Closes the package when open, shows "name: text[ cannot-continue]" with
// the stop icon and returns 0.
int ReportError(int stringId, const char* name, bool cannotContinue);
