#pragma once
// The property accessors: what the application reads and changes on forms
// and controls, by window. Getters answer -1 and setters 0 for a window
// without a record; a setter answers 0 when the object's kind does not have
// the property or the value is out of range, and then changes nothing.
#include "forms/object_record.h"

enum PropertyCode {
    PropAlign = 1,
    PropAutoSize = 2,
    PropBackColor = 3,
    PropCancel = 4,
    PropIndent = 5,
    PropMouseIcon = 6,
    PropMousePointer = 7,
    PropCustomPaint = 9,
    PropDrawStyle = 10,
    PropDrawWidth = 11,
    PropEnabled = 12,
    PropOffscreen = 13,
    PropFont = 14,
    PropFontBold = 15,
    PropFontItalic = 16,
    PropFontSize = 18,
    PropFontStrikethru = 19,
    PropFontUnderline = 20,
    PropForeColor = 21,
    PropHeight = 22,
    PropIcon = 23,
    PropSmallIcon = 24,
    PropLeft = 25,
    PropMax = 26,
    PropMaxLength = 27,
    PropMDIChild = 28,
    PropClientWindow = 29,
    PropMin = 30,
    PropModal = 31,
    PropNoPrefixFlag = 32,
    PropNoPrefix = 33,
    PropPage = 34,
    PropPasswordChar = 35,
    PropPicture = 36,
    PropPicturePosition = 37,
    PropRightToLeft = 38,
    PropScaleMode = 39,
    PropScrollBars = 40,
    PropWindowState = 41,
    PropLabelModal = 42,
    PropControlIndex = 43,
    PropTabStop = 44,
    PropAlignment = 45,
    PropTimerInterval = 46,
    PropTop = 47,
    PropKind = 48,
    PropValue = 49,
    PropVisible = 50,
    PropListRows = 51,
    PropWidth = 52,
    PropFormWindow = 53,
};

// The common getter: the property of that code, -1 when the code is not
// defined for the object's kind.
INT_PTR GetProperty(HWND window, int code);

int IsDefaultButton(HWND window);
// Copy the text into the buffer (cut at its capacity) and answer its length.
int GetFontName(HWND window, char* buffer, int capacity);
int GetName(HWND window, char* buffer, int capacity);
// The window text, 256 characters at most.
int GetText(HWND window, char* buffer, int capacity);
// The live state: 1 minimised, 2 maximised, else 0; kept in a form's WindowState.
int GetWindowState(HWND window);
// The control with the identifier (1000 plus its index) in the window's form.
HWND ControlByIdentifier(HWND window, int identifier);

int SetAlign(HWND window, int value);
int SetAutoSize(HWND window, int value);
int SetBackColor(HWND window, ColorValue value);
int SetMouseIcon(HWND window, ResourceRef value);
int SetMousePointer(HWND window, int value);
int SetDefault(HWND window, int value);
int SetCustomPaint(HWND window, int value);
int SetDrawStyle(HWND window, int value);
int SetDrawWidth(HWND window, int value);
int SetEnabled(HWND window, int value);
int SetOffscreen(HWND window, int value);          // the Default word of pictures
int SetFontBold(HWND window, int value);
int SetFontItalic(HWND window, int value);
int SetFontStrikethru(HWND window, int value);
int SetFontUnderline(HWND window, int value);
int SetFontSize(HWND window, int value);
int SetFontName(HWND window, const char* value);
int SetForeColor(HWND window, ColorValue value);
int SetHeight(HWND window, int value);
int SetIcon(HWND window, ResourceRef value);
int SetSmallIcon(HWND window, ResourceRef value);
int SetLeft(HWND window, int value);
int SetTop(HWND window, int value);
int SetMaxLength(HWND window, int value);
int SetMax(HWND window, int value);
int SetMin(HWND window, int value);
int SetPage(HWND window, int value);
int SetPasswordChar(HWND window, int value);
int SetPicture(HWND window, ResourceRef value);
int SetPicturePosition(HWND window, int value);    // the MaxLength word of push buttons
int SetRightToLeft(HWND window, int value);
int SetScrollBars(HWND window, int value);
int SetWindowState(HWND window, int value);
int SetTabStop(HWND window, int value);
LRESULT SetText(HWND window, const char* value);
int SetTimerInterval(HWND window, int value);
int SetValue(HWND window, int value);
int SetVisible(HWND window, int value);
int SetListRows(HWND window, int value);           // the MaxLength word of combo boxes
int SetWidth(HWND window, int value);

// System colours resolved again: brush, pen and children made anew.
void RefreshColors(HWND window);
// The scroll rule: the record's range, page and position to the scroll bar
// control (writing) or back (reading).
void WriteScrollInfo(ObjectRecord* record);
void ReadScrollInfo(ObjectRecord* record);
