#pragma once
// The runtime's object record: one per form or control, the same layout in
// templates and as the live object of a window. On the 32-bit target every
// word is 32 bits (284 bytes); handles, addresses and procedures are
// pointer-sized on 64-bit builds.
#include <windows.h>
#include <commctrl.h>

#include <cstddef>

#include "forms/portable/object_kinds.h"
#include "forms/portable/references.h"

// Identifier (up to 0xFFFF) or address of a text.
using StringRef = char*;
// Resource identifier (1 to 0xFFFF), handle, or 0 for none.
using ResourceRef = HANDLE;
// RGB colour, or a system colour when bit 31 is set.
using ColorValue = DWORD;

inline StringRef TableText(int id) { return reinterpret_cast<StringRef>(static_cast<UINT_PTR>(id)); }
inline ResourceRef ResourceNumber(int id) { return reinterpret_cast<ResourceRef>(static_cast<UINT_PTR>(id)); }
inline UINT_PTR RefValue(const void* reference) { return reinterpret_cast<UINT_PTR>(reference); }

struct ObjectRecord {
    int Align;
    int AutoSize;                   // push buttons: the cancel flag
    ColorValue BackColor;
    COLORREF BackColorValue;
    HBRUSH BackBrush;
    int Indent;                     // toolbars: button height; groups: framed
    int StartUpPosition;            // toolbars: button width; pagers: button size
    ResourceRef MouseIcon;
    int MousePointer;
    int Default;
    INT_PTR DrawStyle;              // bars, tabs, headers: item count; image lists: the handle
    int DrawWidth;
    int Enabled;
    HWND FocusWindow;
    HFONT Font;
    int FontBold;
    int FontItalic;
    StringRef FontName;
    int FontSize;
    int FontStrikethru;
    int FontUnderline;
    ColorValue ForeColor;
    COLORREF ForeColorValue;
    int Height;
    HWND Window;
    HWND ClientWindow;
    ResourceRef Icon;
    ResourceRef SmallIcon;
    int ImageHeight;
    int PictureFormat;
    int ImageWidth;
    int FontAt96Dpi;
    int Left;
    int MainForm;
    int MaxLength;
    int MDIChild;
    ResourceRef Menu;
    const char* Name;
    int NoPrefix;
    int CaptionIndent;              // status bars: simple mode; trackbars: selection start
    HWND FormWindow;
    int PasswordChar;               // forms: redraw on resize
    HPEN Pen;
    ResourceRef Picture;            // headers: name of an image-list object
    int RightToLeft;
    int ScaleMode;
    int ScrollBars;                 // ranged controls: Max
    int WindowState;                // ranged controls: Min
    int Modal;                      // trackbars: selection end
    int ControlIndex;
    int TabStop;
    StringRef Caption;
    int Alignment;
    int TextLength;
    int TimerInterval;
    int TimerId;
    int Top;
    int CustomPaint;                // toolbars, image lists: image count; trackbars: tick frequency
    int Kind;
    int Value;
    int Visible;
    int Width;
    WNDPROC Procedure;
    union {
        LPARAM CreateParam;         // dialog forms
        WNDPROC PrevProc;           // controls
    };
    union {
        ResourceRef DialogTemplate; // dialog forms
        int ControlId;              // controls
    };
    union {
        INT_PTR ChildCount;         // in a template
        ObjectRecord** Children;    // at run time: zero-terminated array
    };
    HWND DefaultButton;
    DWORD ExStyle;
    DWORD Style;
    void* Items;
    union {
        const ObjectRecord* TemplateLink;  // in a template: the record's own address
        HFONT OldFont;                      // at run time
    };
};

// Item array entries. A toolbar entry is the system's toolbar button, whose
// application-data word holds the text reference.
using ToolbarItem = TBBUTTON;

struct StatusBarItem {
    int width;          // -1: up to the right edge
    int drawType;
    StringRef text;
};

struct TabItem {
    StringRef caption;
};

struct HeaderItem {
    int imagePlusOne;   // 0: no image
    int width;
    int alignment;      // 0 left, 1 centred, 2 right
    StringRef caption;
};

struct ImageListItem {
    int type;           // 0 bitmap, 1 icon
    int resource;       // 0: skipped
};

#if defined(__i386__)
static_assert(sizeof(ObjectRecord) == 284, "71 words on the 32-bit target");
static_assert(sizeof(ToolbarItem) == 20 && sizeof(StatusBarItem) == 12 && sizeof(TabItem) == 4 &&
              sizeof(HeaderItem) == 16 && sizeof(ImageListItem) == 8, "item entry sizes");
#define INSTAL_CHECK_OFFSET(field, offset) \
    static_assert(offsetof(ObjectRecord, field) == (offset), #field " at " #offset)
INSTAL_CHECK_OFFSET(Align, 0);
INSTAL_CHECK_OFFSET(AutoSize, 4);
INSTAL_CHECK_OFFSET(BackColor, 8);
INSTAL_CHECK_OFFSET(BackColorValue, 12);
INSTAL_CHECK_OFFSET(BackBrush, 16);
INSTAL_CHECK_OFFSET(Indent, 20);
INSTAL_CHECK_OFFSET(StartUpPosition, 24);
INSTAL_CHECK_OFFSET(MouseIcon, 28);
INSTAL_CHECK_OFFSET(MousePointer, 32);
INSTAL_CHECK_OFFSET(Default, 36);
INSTAL_CHECK_OFFSET(DrawStyle, 40);
INSTAL_CHECK_OFFSET(DrawWidth, 44);
INSTAL_CHECK_OFFSET(Enabled, 48);
INSTAL_CHECK_OFFSET(FocusWindow, 52);
INSTAL_CHECK_OFFSET(Font, 56);
INSTAL_CHECK_OFFSET(FontBold, 60);
INSTAL_CHECK_OFFSET(FontItalic, 64);
INSTAL_CHECK_OFFSET(FontName, 68);
INSTAL_CHECK_OFFSET(FontSize, 72);
INSTAL_CHECK_OFFSET(FontStrikethru, 76);
INSTAL_CHECK_OFFSET(FontUnderline, 80);
INSTAL_CHECK_OFFSET(ForeColor, 84);
INSTAL_CHECK_OFFSET(ForeColorValue, 88);
INSTAL_CHECK_OFFSET(Height, 92);
INSTAL_CHECK_OFFSET(Window, 96);
INSTAL_CHECK_OFFSET(ClientWindow, 100);
INSTAL_CHECK_OFFSET(Icon, 104);
INSTAL_CHECK_OFFSET(SmallIcon, 108);
INSTAL_CHECK_OFFSET(ImageHeight, 112);
INSTAL_CHECK_OFFSET(PictureFormat, 116);
INSTAL_CHECK_OFFSET(ImageWidth, 120);
INSTAL_CHECK_OFFSET(FontAt96Dpi, 124);
INSTAL_CHECK_OFFSET(Left, 128);
INSTAL_CHECK_OFFSET(MainForm, 132);
INSTAL_CHECK_OFFSET(MaxLength, 136);
INSTAL_CHECK_OFFSET(MDIChild, 140);
INSTAL_CHECK_OFFSET(Menu, 144);
INSTAL_CHECK_OFFSET(Name, 148);
INSTAL_CHECK_OFFSET(NoPrefix, 152);
INSTAL_CHECK_OFFSET(CaptionIndent, 156);
INSTAL_CHECK_OFFSET(FormWindow, 160);
INSTAL_CHECK_OFFSET(PasswordChar, 164);
INSTAL_CHECK_OFFSET(Pen, 168);
INSTAL_CHECK_OFFSET(Picture, 172);
INSTAL_CHECK_OFFSET(RightToLeft, 176);
INSTAL_CHECK_OFFSET(ScaleMode, 180);
INSTAL_CHECK_OFFSET(ScrollBars, 184);
INSTAL_CHECK_OFFSET(WindowState, 188);
INSTAL_CHECK_OFFSET(Modal, 192);
INSTAL_CHECK_OFFSET(ControlIndex, 196);
INSTAL_CHECK_OFFSET(TabStop, 200);
INSTAL_CHECK_OFFSET(Caption, 204);
INSTAL_CHECK_OFFSET(Alignment, 208);
INSTAL_CHECK_OFFSET(TextLength, 212);
INSTAL_CHECK_OFFSET(TimerInterval, 216);
INSTAL_CHECK_OFFSET(TimerId, 220);
INSTAL_CHECK_OFFSET(Top, 224);
INSTAL_CHECK_OFFSET(CustomPaint, 228);
INSTAL_CHECK_OFFSET(Kind, 232);
INSTAL_CHECK_OFFSET(Value, 236);
INSTAL_CHECK_OFFSET(Visible, 240);
INSTAL_CHECK_OFFSET(Width, 244);
INSTAL_CHECK_OFFSET(Procedure, 248);
INSTAL_CHECK_OFFSET(CreateParam, 252);
INSTAL_CHECK_OFFSET(PrevProc, 252);
INSTAL_CHECK_OFFSET(DialogTemplate, 256);
INSTAL_CHECK_OFFSET(ControlId, 256);
INSTAL_CHECK_OFFSET(ChildCount, 260);
INSTAL_CHECK_OFFSET(Children, 260);
INSTAL_CHECK_OFFSET(DefaultButton, 264);
INSTAL_CHECK_OFFSET(ExStyle, 268);
INSTAL_CHECK_OFFSET(Style, 272);
INSTAL_CHECK_OFFSET(Items, 276);
INSTAL_CHECK_OFFSET(TemplateLink, 280);
INSTAL_CHECK_OFFSET(OldFont, 280);
#undef INSTAL_CHECK_OFFSET
#else
static_assert(sizeof(ObjectRecord::Window) == sizeof(void*) &&
              sizeof(ObjectRecord::Procedure) == sizeof(void*) &&
              sizeof(ObjectRecord::Children) == sizeof(void*) &&
              sizeof(ObjectRecord::Caption) == sizeof(void*) &&
              sizeof(ObjectRecord::DrawStyle) == sizeof(void*),
              "handles, addresses and procedures are pointer-sized");
#endif
