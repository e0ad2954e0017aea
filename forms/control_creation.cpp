#include "forms/control_creation.h"

#include "base/library_search.h"
#include "forms/control_properties.h"
#include "forms/control_search.h"
#include "forms/form_templates.h"
#include "forms/portable/form_geometry.h"
#include "base/portable/os_code.h"
#include "forms/portable/screen_metrics.h"
#include "forms/runtime_memory.h"
#include "forms/runtime_state.h"
#include "forms/window_map.h"
#include "forms/window_procedures.h"

namespace {

constexpr int kFirstControlId = 1000;
constexpr int kMaxStatusParts = 256;
constexpr WPARAM kSimpleModePart = 255;

const char* TextOf(const ObjectRecord* record)
{
    return record->Caption != nullptr ? record->Caption : "";
}

// Loads an item text (identifier or address) into ItemText.
char* LoadItemText(StringRef text)
{
    char* buffer = g_runtime.buffers->ItemText;
    buffer[0] = '\0';
    if (IsIdentifier(RefValue(text)))
        LoadStringA(g_runtime.Instance, static_cast<UINT>(RefValue(text)), buffer, kItemTextSize);
    else
        lstrcpynA(buffer, text, kItemTextSize);
    return buffer;
}

void ToPixels(ObjectRecord* record, HWND formWindow, RECT* rect)
{
    rect->left = ScaleToPixels(record->Left, record->ScaleMode, g_runtime.TwipsPerPixelX);
    rect->top = ScaleToPixels(record->Top, record->ScaleMode, g_runtime.TwipsPerPixelY);
    rect->right = ScaleToPixels(record->Width, record->ScaleMode, g_runtime.TwipsPerPixelX);
    rect->bottom = ScaleToPixels(record->Height, record->ScaleMode, g_runtime.TwipsPerPixelY);
    if (DialogFormOf(formWindow) == nullptr)
        return;
    // Controls of a dialog-kind form are in dialog units.
    MapDialogRect(formWindow, rect);
    record->Left = rect->left;
    record->Top = rect->top;
    record->Width = rect->right;
    record->Height = rect->bottom;
}

HWND CreateControlWindow(ObjectRecord* record, HWND parent, const RECT& rect, const char* text,
                         void* creationData)
{
    const char* className = ControlClassName(record->Kind);
    if (record->Kind == KindImageList)
        return CreateWindowExA(0, className, nullptr, WS_CHILD, 0, 0, 0, 0, parent, nullptr,
                               g_runtime.Instance, nullptr);
    return CreateWindowExA(record->ExStyle, className, text, record->Style, rect.left, rect.top, rect.right,
                           rect.bottom, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(record->ControlId)),
                           g_runtime.Instance, creationData);
}

void AddToolbarButtons(ObjectRecord* record)
{
    auto* buttons = static_cast<ToolbarItem*>(record->Items);
    int count = static_cast<int>(record->DrawStyle);
    const char* texts[kMaxStatusParts];
    if (count > kMaxStatusParts)
        count = kMaxStatusParts;
    for (int i = 0; i < count; ++i) {
        const char* text = LoadItemText(reinterpret_cast<StringRef>(buttons[i].dwData));
        char* copy = static_cast<char*>(AllocateZeroed(lstrlenA(text) + 4));
        if (copy != nullptr)
            lstrcpyA(copy, text);
        buttons[i].dwData = reinterpret_cast<DWORD_PTR>(copy);
        texts[i] = copy != nullptr ? copy : "";
    }
    SendMessageA(record->Window, TB_ADDBUTTONSA, count, reinterpret_cast<LPARAM>(buttons));
    if (!ToolbarHasTexts(texts, count))
        return;
    for (int i = 0; i < count; ++i) {
        char* text = reinterpret_cast<char*>(buttons[i].dwData);
        if (text != nullptr && text[0] == '\0')
            lstrcpyA(text, " ");
        // TB_ADDSTRING takes a list ended by two zero bytes, which the
        // copy's spare bytes provide.
        SendMessageA(record->Window, TB_ADDSTRINGA, 0, reinterpret_cast<LPARAM>(text != nullptr ? text : " \0"));
    }
}

// The window alone, without a text; the builders below add what their kind needs.
HWND CreateBare(ObjectRecord* record, HWND parent, const RECT& rect)
{
    record->Window = CreateControlWindow(record, parent, rect, nullptr, nullptr);
    return record->Window;
}

HWND CreateWithCaption(ObjectRecord* record, HWND parent, const RECT& rect)
{
    record->Window = CreateControlWindow(record, parent, rect, TextOf(record), nullptr);
    return record->Window;
}

// The form owner-draws its push buttons and learns of each before it exists.
HWND CreatePushButton(ObjectRecord* record, HWND parent, const RECT& rect)
{
    SendMessageA(parent, kButtonCreating, ODT_BUTTON, 0);
    return CreateWithCaption(record, parent, rect);
}

// Check boxes and option buttons.
HWND CreateCheckable(ObjectRecord* record, HWND parent, const RECT& rect)
{
    HWND button = CreateWithCaption(record, parent, rect);
    SendMessageA(button, BM_SETCHECK, record->Value, 0);
    return button;
}

// Containers bind their window while it is created, through CreatingRecord.
HWND CreateGroup(ObjectRecord* record, HWND parent, const RECT& rect)
{
    g_runtime.CreatingRecord = record;
    DWORD alignment = record->Alignment == 1 ? BS_CENTER : record->Alignment == 2 ? BS_RIGHT : BS_LEFT;
    record->Style |= BS_GROUPBOX | alignment;
    record->PrevProc = g_runtime.SystemButtonProc;
    CreateControlWindow(record, parent, rect, TextOf(record), &g_runtime.CreatingRecord);
    return record->Window;
}

HWND CreatePicture(ObjectRecord* record, HWND parent, const RECT& rect)
{
    g_runtime.CreatingRecord = record;
    record->PrevProc = DefWindowProcA;
    CreateControlWindow(record, parent, rect, TextOf(record), &g_runtime.CreatingRecord);
    record->Value = record->Alignment == 1 || record->Alignment == 2 ? record->Alignment : 0;
    record->PasswordChar = 0;
    return record->Window;
}

HWND CreateTextBox(ObjectRecord* record, HWND parent, const RECT& rect)
{
    HWND edit = CreateBare(record, parent, rect);
    SendMessageA(edit, EM_LIMITTEXT, record->MaxLength, 0);
    SendMessageA(edit, EM_SETPASSWORDCHAR, record->PasswordChar, 0);
    SetWindowTextA(edit, TextOf(record));
    return edit;
}

HWND CreateRichTextBox(ObjectRecord* record, HWND parent, const RECT& rect)
{
    // The class exists once its library is loaded; loading again only counts up.
    if (GetModuleHandleA("riched20.dll") == nullptr)
        LoadSystemLibrary("riched20.dll");
    HWND edit = CreateBare(record, parent, rect);
    SendMessageA(edit, EM_LIMITTEXT, record->MaxLength, 0);
    SetWindowTextA(edit, TextOf(record));
    return edit;
}

// List boxes and combo boxes: a caption becomes the first item.
HWND CreateList(ObjectRecord* record, HWND parent, const RECT& rect)
{
    HWND list = CreateBare(record, parent, rect);
    const char* text = TextOf(record);
    UINT addString = record->Kind == KindListBox ? LB_ADDSTRING : CB_ADDSTRING;
    if (text[0] != '\0')
        SendMessageA(list, addString, 0, reinterpret_cast<LPARAM>(text));
    return list;
}

HWND CreateScrollBar(ObjectRecord* record, HWND parent, const RECT& rect)
{
    HWND bar = CreateBare(record, parent, rect);
    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMin = record->WindowState;
    info.nMax = record->ScrollBars;
    info.nPage = static_cast<UINT>(record->Alignment);
    info.nPos = record->Value;
    SetScrollInfo(bar, SB_CTL, &info, TRUE);
    return bar;
}

HWND CreateProgressBar(ObjectRecord* record, HWND parent, const RECT& rect)
{
    HWND bar = CreateBare(record, parent, rect);
    SetWindowLongPtrA(bar, GWL_STYLE, static_cast<LONG_PTR>(record->Style));
    SetWindowLongPtrA(bar, GWL_EXSTYLE, static_cast<LONG_PTR>(record->ExStyle));
    SetWindowPos(bar, nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE);
    SendMessageA(bar, PBM_SETRANGE, 0, MAKELPARAM(record->WindowState, record->ScrollBars));
    SendMessageA(bar, PBM_SETPOS, record->Value, 0);
    return bar;
}

HWND CreateTrackbar(ObjectRecord* record, HWND parent, const RECT& rect)
{
    HWND trackbar = CreateBare(record, parent, rect);
    SendMessageA(trackbar, TBM_SETTICFREQ, record->CustomPaint, 0);
    SendMessageA(trackbar, TBM_SETRANGE, TRUE, MAKELPARAM(record->WindowState, record->ScrollBars));
    SendMessageA(trackbar, TBM_SETSEL, TRUE, MAKELPARAM(record->CaptionIndent, record->Modal));
    SendMessageA(trackbar, TBM_SETPOS, TRUE, record->Value);
    return trackbar;
}

HWND CreateUpDown(ObjectRecord* record, HWND parent, const RECT& rect)
{
    HWND upDown = CreateBare(record, parent, rect);
    SendMessageA(upDown, UDM_SETRANGE, 0, MAKELPARAM(record->ScrollBars, record->WindowState));
    SendMessageA(upDown, UDM_SETPOS, 0, MAKELPARAM(record->Value, 0));
    MoveWindow(upDown, rect.left, rect.top, rect.right, rect.bottom, TRUE);
    return upDown;
}

HWND CreateTreeView(ObjectRecord* record, HWND parent, const RECT& rect)
{
    HWND tree = CreateBare(record, parent, rect);
    SendMessageA(tree, TVM_SETINDENT, record->Indent, 0);
    return tree;
}

HWND CreateListView(ObjectRecord* record, HWND parent, const RECT& rect)
{
    HWND view = CreateBare(record, parent, rect);
    SendMessageA(view, LVM_SETEXTENDEDLISTVIEWSTYLE, record->Alignment, record->Alignment);
    return view;
}

HWND CreatePager(ObjectRecord* record, HWND parent, const RECT& rect)
{
    HWND pager = CreateBare(record, parent, rect);
    SendMessageA(pager, PGM_SETBORDER, 0, 0);
    SendMessageA(pager, PGM_SETPOS, 0, 0);
    SendMessageA(pager, PGM_SETBUTTONSIZE, 0, record->StartUpPosition);
    return pager;
}

HWND CreateToolbar(ObjectRecord* record, HWND parent, const RECT& rect)
{
    HWND toolbar = CreateBare(record, parent, rect);
    SetWindowLongPtrA(toolbar, GWL_STYLE, static_cast<LONG_PTR>(record->Style));
    SendMessageA(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(ToolbarItem), 0);
    record->Picture = IsResourceNumber(RefValue(record->Picture))
        ? LoadImageA(g_runtime.Instance, MAKEINTRESOURCEA(RefValue(record->Picture)), IMAGE_BITMAP, 0, 0,
                     LR_SHARED | LR_LOADMAP3DCOLORS)
        : nullptr;
    if (record->Picture != nullptr) {
        TBADDBITMAP bitmap = {nullptr, reinterpret_cast<UINT_PTR>(record->Picture)};
        SendMessageA(toolbar, TB_ADDBITMAP, record->CustomPaint, reinterpret_cast<LPARAM>(&bitmap));
        SendMessageA(toolbar, TB_SETBITMAPSIZE, 0, MAKELPARAM(record->ImageWidth, record->ImageHeight));
    }
    SendMessageA(toolbar, TB_SETBUTTONSIZE, 0, MAKELPARAM(record->StartUpPosition, record->Indent));
    if (record->Items != nullptr && record->DrawStyle > 0)
        AddToolbarButtons(record);
    SendMessageA(toolbar, TB_AUTOSIZE, 0, 0);
    return toolbar;
}

HWND CreateStatusBar(ObjectRecord* record, HWND parent, const RECT& rect)
{
    HWND bar = CreateBare(record, parent, rect);
    SetWindowLongPtrA(bar, GWL_STYLE, static_cast<LONG_PTR>(record->Style));
    SendMessageA(bar, SB_SIMPLE, record->CaptionIndent, 0);
    SendMessageA(bar, SB_SETTEXTA, kSimpleModePart, reinterpret_cast<LPARAM>(LoadItemText(record->Caption)));
    if (record->Items == nullptr || record->DrawStyle <= 0)
        return bar;
    auto* parts = static_cast<const StatusBarItem*>(record->Items);
    int count = record->DrawStyle < kMaxStatusParts ? static_cast<int>(record->DrawStyle) : kMaxStatusParts;
    int widths[kMaxStatusParts];
    int edges[kMaxStatusParts];
    for (int i = 0; i < count; ++i)
        widths[i] = parts[i].width;
    StatusBarEdges(widths, count, edges);
    SendMessageA(bar, SB_SETPARTS, count, reinterpret_cast<LPARAM>(edges));
    for (int i = 0; i < count; ++i)
        SendMessageA(bar, SB_SETTEXTA, static_cast<WPARAM>(i | parts[i].drawType),
                     reinterpret_cast<LPARAM>(LoadItemText(parts[i].text)));
    return bar;
}

HWND CreateTabControl(ObjectRecord* record, HWND parent, const RECT& rect)
{
    HWND tabControl = CreateBare(record, parent, rect);
    auto* tabs = static_cast<const TabItem*>(record->Items);
    for (INT_PTR i = 0; tabs != nullptr && i < record->DrawStyle; ++i) {
        TCITEMA item = {};
        item.mask = TCIF_TEXT;
        item.pszText = LoadItemText(tabs[i].caption);
        SendMessageA(tabControl, TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
    }
    SendMessageA(tabControl, TCM_SETCURSEL, 0, 0);
    return tabControl;
}

void AddImageListImages(ObjectRecord* record, HIMAGELIST images)
{
    if (record->Picture != nullptr) {
        HANDLE bitmap = IsResourceNumber(RefValue(record->Picture))
            ? LoadImageA(g_runtime.Instance, MAKEINTRESOURCEA(RefValue(record->Picture)), IMAGE_BITMAP, 0, 0,
                         LR_LOADMAP3DCOLORS)
            : nullptr;
        if (bitmap != nullptr) {
            ImageList_Add(images, static_cast<HBITMAP>(bitmap), nullptr);
            DeleteObject(bitmap);
        }
        record->Picture = nullptr;
        return;
    }
    auto* entries = static_cast<const ImageListItem*>(record->Items);
    for (int i = 0; entries != nullptr && i < record->CustomPaint; ++i) {
        if (entries[i].resource == 0)
            continue;
        bool icon = entries[i].type == 1;
        HANDLE image = LoadImageA(g_runtime.Instance, MAKEINTRESOURCEA(entries[i].resource),
                                  icon ? IMAGE_ICON : IMAGE_BITMAP, record->ImageWidth, record->ImageHeight,
                                  LR_LOADMAP3DCOLORS);
        if (image == nullptr)
            continue;
        if (icon) {
            ImageList_AddIcon(images, static_cast<HICON>(image));
            DestroyIcon(static_cast<HICON>(image));
        } else {
            if (IsNtFamily(g_runtime.OsCode))
                ImageList_Add(images, static_cast<HBITMAP>(image), nullptr);
            else
                ImageList_AddMasked(images, static_cast<HBITMAP>(image), CLR_NONE);
            DeleteObject(image);
        }
    }
}

HWND CreateImageList(ObjectRecord* record, HWND parent, const RECT& rect)
{
    HWND window = CreateBare(record, parent, rect);
    HIMAGELIST images = ImageList_Create(record->ImageWidth, record->ImageHeight,
                                         static_cast<UINT>(record->Alignment) | ILC_MASK, record->CustomPaint, 0);
    record->DrawStyle = reinterpret_cast<INT_PTR>(images);
    if (images != nullptr)
        AddImageListImages(record, images);
    return window;
}

HWND CreateHeader(ObjectRecord* record, HWND parent, const RECT& rect)
{
    HWND header = CreateBare(record, parent, rect);
    SetWindowLongPtrA(header, GWL_STYLE, static_cast<LONG_PTR>(record->Style));
    HIMAGELIST images = nullptr;
    const char* listName = static_cast<const char*>(record->Picture);
    if (listName != nullptr && !IsIdentifier(RefValue(listName)) && listName[0] != '\0')
        images = FindImageListByName(parent, listName);
    if (images != nullptr)
        SendMessageA(header, HDM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images));
    auto* entries = static_cast<const HeaderItem*>(record->Items);
    for (INT_PTR i = 0; entries != nullptr && i < record->DrawStyle; ++i) {
        HDITEMA item = {};
        item.mask = HDI_WIDTH | HDI_TEXT | HDI_FORMAT | HDI_ORDER;
        item.cxy = entries[i].width;
        item.pszText = LoadItemText(entries[i].caption);
        item.iOrder = static_cast<int>(i);
        item.fmt = HDF_STRING | (entries[i].alignment == 2 ? HDF_RIGHT : entries[i].alignment == 1 ? HDF_CENTER : HDF_LEFT);
        if (record->RightToLeft != 0)
            item.fmt |= HDF_RTLREADING;
        if (entries[i].imagePlusOne != 0 && images != nullptr) {
            item.fmt |= HDF_IMAGE;
            item.mask |= HDI_IMAGE;
            item.iImage = entries[i].imagePlusOne - 1;
        }
        SendMessageA(header, HDM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
    }
    record->Picture = nullptr;
    return header;
}

// Creates the window of one record with the builder of its kind; returns
// the window, or nullptr when it could not be made.
HWND CreateByKind(ObjectRecord* record, HWND parent, const RECT& rect)
{
    switch (record->Kind) {
    case KindLabel:
        return CreateWithCaption(record, parent, rect);
    case KindPushButton:
        return CreatePushButton(record, parent, rect);
    case KindCheckBox:
    case KindOptionButton:
        return CreateCheckable(record, parent, rect);
    case KindGroup:
        return CreateGroup(record, parent, rect);
    case KindPicture:
        return CreatePicture(record, parent, rect);
    case KindTextBox:
        return CreateTextBox(record, parent, rect);
    case KindRichTextBox:
        return CreateRichTextBox(record, parent, rect);
    case KindListBox:
    case KindComboBox:
        return CreateList(record, parent, rect);
    case KindHScrollBar:
    case KindVScrollBar:
        return CreateScrollBar(record, parent, rect);
    case KindProgressBar:
        return CreateProgressBar(record, parent, rect);
    case KindTrackbar:
        return CreateTrackbar(record, parent, rect);
    case KindUpDown:
        return CreateUpDown(record, parent, rect);
    case KindTreeView:
        return CreateTreeView(record, parent, rect);
    case KindListView:
        return CreateListView(record, parent, rect);
    case KindPager:
        return CreatePager(record, parent, rect);
    case KindToolbar:
        return CreateToolbar(record, parent, rect);
    case KindStatusBar:
        return CreateStatusBar(record, parent, rect);
    case KindTabControl:
        return CreateTabControl(record, parent, rect);
    case KindImageList:
        return CreateImageList(record, parent, rect);
    case KindHeader:
        return CreateHeader(record, parent, rect);
    default:
        // Image statics, animations, IP addresses, extended combo boxes,
        // month calendars, date-time pickers and hot keys: the window only.
        return CreateBare(record, parent, rect);
    }
}

void RouteToChildEdit(HWND inner)
{
    SetWindowLongPtrA(inner, GWLP_USERDATA, GetWindowLongPtrA(inner, GWLP_WNDPROC));
    SetWindowLongPtrA(inner, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ChildEditProc));
}

void RouteInnerWindows(ObjectRecord* record)
{
    HWND window = record->Window;
    if (record->Kind == KindComboBox && (record->Style & 3) != CBS_DROPDOWNLIST) {
        for (HWND child = GetWindow(window, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT))
            RouteToChildEdit(child);
    } else if (record->Kind == KindExtendedComboBox) {
        HWND combo = reinterpret_cast<HWND>(SendMessageA(window, CBEM_GETCOMBOCONTROL, 0, 0));
        HWND first = (record->Style & 3) == CBS_DROPDOWNLIST ? combo : GetWindow(combo, GW_CHILD);
        for (HWND inner = first; inner != nullptr; inner = GetWindow(inner, GW_HWNDNEXT))
            RouteToChildEdit(inner);
    } else if (record->Kind == KindIpAddress) {
        HWND field = GetWindow(window, GW_CHILD);
        if (field == nullptr)
            return;
        g_runtime.IpFieldProc = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(field, GWLP_WNDPROC));
        for (int i = 0; i < 4 && field != nullptr; ++i, field = GetWindow(field, GW_HWNDNEXT))
            SetWindowLongPtrA(field, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ChildEditProc));
    }
}

void ReplaceWindowProcedure(ObjectRecord* record)
{
    record->PrevProc = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(record->Window, GWLP_WNDPROC));
    SetWindowLongPtrA(record->Window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RuntimeWindowProc));
}

// Binding, properties and routing of a control other than a container.
void FinishControl(HWND formWindow, ObjectRecord* record)
{
    AddWindowPair(record->Window, record);
    ApplyCommonProperties(formWindow, record);
    if (record->Kind == KindLabel)
        MeasureCaption(record);
    if (record->Kind == KindToolbar && record->Align == 0)
        SizeNudge(record->Window, record->Visible == 1);
    RouteInnerWindows(record);
    ReplaceWindowProcedure(record);
    if (record->Kind == KindOptionButton && record->ControlIndex == 0 && (record->Style & 0xF) == BS_AUTORADIOBUTTON) {
        SendMessageA(record->Window, WM_LBUTTONDOWN, MK_LBUTTON, 0);
        SendMessageA(record->Window, WM_LBUTTONUP, 0, 0);
    }
}

void MakePicturePen(ObjectRecord* record)
{
    if (record->Pen != nullptr)
        DeleteObject(record->Pen);
    int style = record->DrawStyle >= PS_SOLID && record->DrawStyle <= PS_INSIDEFRAME
        ? static_cast<int>(record->DrawStyle) : PS_SOLID;
    record->Pen = CreatePen(style, record->DrawWidth, record->ForeColorValue);
}

}  // namespace

void CreateControls(HWND parentWindow, HWND formWindow, ObjectRecord* parent)
{
    if (parent->Children == nullptr)
        return;
    for (ObjectRecord** child = parent->Children; *child != nullptr; ++child) {
        ObjectRecord* record = *child;
        record->Style |= WS_CHILD;
        RECT rect;
        ToPixels(record, formWindow, &rect);
        record->FormWindow = formWindow;
        record->ControlId = kFirstControlId + record->ControlIndex;
        if (CreateByKind(record, parentWindow, rect) == nullptr)
            continue;
        if (!IsContainerKind(record->Kind))
            FinishControl(formWindow, record);
        if (record->Kind == KindPicture)
            MakePicturePen(record);
        if (record->Children != nullptr)
            CreateControls(record->Window, formWindow, record);
        if (IsContainerKind(record->Kind) && record->Procedure != nullptr)
            record->Procedure(record->Window, kFormLoaded, record->Kind, reinterpret_cast<LPARAM>(record));
    }
}
