#pragma once
// Identifiers of Kestrel's resources, texts, menu commands and controls,
// shared by its .rc files and code.
#define IDI_KESTREL 301
#define IDD_ABOUT 310

#ifndef RC_INVOKED
// Kestrel's own string table (sample/kestrel_strings.rc).
enum KestrelStringId {
    IDS_K_BOX_CAPTION = 30000,
    IDS_K_TITLE = 30001,
    IDS_K_MENU_FILE = 30002,
    IDS_K_MENU_OPEN = 30003,
    IDS_K_MENU_CLOSE = 30004,
    IDS_K_MENU_EXIT = 30005,
    IDS_K_MENU_HELP = 30006,
    IDS_K_MENU_ABOUT = 30007,
    IDS_K_ABOUT_CAPTION = 30008,
    IDS_K_ABOUT_TEXT = 30009,
    IDS_K_OK = 30010,
    IDS_K_CANNOT_OPEN = 30011,
    IDS_K_TOO_LARGE = 30012,
    IDS_K_OPEN_FILTER = 30013,
    IDS_K_CANNOT_CONTINUE = 30014,
};

// Commands of the frame's menu.
enum KestrelCommand {
    IDM_OPEN = 100,
    IDM_CLOSE = 101,
    IDM_EXIT = 102,
    IDM_ABOUT = 103,
};

// Window identifiers of the controls: 1000 plus the index in their template.
enum KestrelControlId {
    txtDocument = 1000,
    stcAbout = 1000,
    btnAboutOk = 1001,
};
#endif
