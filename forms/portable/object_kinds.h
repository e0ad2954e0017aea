#pragma once
// The object kinds of the form runtime and the window class of each.

enum ObjectKind {
    KindDialogForm = 1,
    KindMdiFrame = 2,
    KindWindowForm = 3,
    KindLabel = 4,
    KindTextBox = 5,
    KindGroup = 6,
    KindPushButton = 7,
    KindCheckBox = 8,
    KindOptionButton = 9,
    KindListBox = 10,
    KindComboBox = 11,
    KindPicture = 12,
    KindImageStatic = 13,
    KindHScrollBar = 14,
    KindVScrollBar = 15,
    KindRichTextBox = 16,
    KindTreeView = 17,
    KindListView = 18,
    KindToolbar = 19,
    KindStatusBar = 20,
    KindProgressBar = 21,
    KindTrackbar = 22,
    KindTabControl = 23,
    KindUpDown = 24,
    KindAnimation = 25,
    KindIpAddress = 26,
    KindExtendedComboBox = 27,
    KindMonthCalendar = 28,
    KindDateTimePicker = 29,
    KindHotKey = 30,
    KindPager = 31,
    KindImageList = 32,
    KindHeader = 33,
};

constexpr int kFirstControlKind = KindLabel;
constexpr int kLastKind = KindHeader;

inline bool IsFormKind(int kind) { return kind >= KindDialogForm && kind <= KindWindowForm; }
inline bool IsContainerKind(int kind) { return kind == KindGroup || kind == KindPicture; }
inline bool IsScrollBarKind(int kind) { return kind == KindHScrollBar || kind == KindVScrollBar; }

// Window class of a control kind; nullptr for forms and unknown kinds (the
// form classes carry the application's name and are chosen at start-up).
const char* ControlClassName(int kind);

// Kinds that get no font of their own when their common properties are applied.
bool KindHasNoFont(int kind);
