#include "forms/control_creation.h"

#include "base/library_search.h"
#include "forms/control_properties.h"
#include "forms/control_search.h"
#include "forms/form_templates.h"
#include "forms/portable/form_geometry.h"
#include "forms/portable/os_code.h"
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

void BuildToolbar(ObjectRecord* record)
{
    HWND toolbar = record->Window;
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
}

void BuildStatusBar(ObjectRecord* record)
{
    HWND bar = record->Window;
    SetWindowLongPtrA(bar, GWL_STYLE, static_cast<LONG_PTR>(record->Style));
    SendMessageA(bar, SB_SIMPLE, record->CaptionIndent, 0);
    SendMessageA(bar, SB_SETTEXTA, kSimpleModePart, reinterpret_cast<LPARAM>(LoadItemText(record->Caption)));
    if (record->Items == nullptr || record->DrawStyle <= 0)
        return;
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
}

void BuildTabControl(ObjectRecord* record)
{
    auto* tabs = static_cast<const TabItem*>(record->Items);
    for (INT_PTR i = 0; tabs != nullptr && i < record->DrawStyle; ++i) {
        TCITEMA item = {};
        item.mask = TCIF_TEXT;
        item.pszText = LoadItemText(tabs[i].caption);
        SendMessageA(record->Window, TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
    }
    SendMessageA(record->Window, TCM_SETCURSEL, 0, 0);
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

void BuildImageList(ObjectRecord* record)
{
    HIMAGELIST images = ImageList_Create(record->ImageWidth, record->ImageHeight,
                                         static_cast<UINT>(record->Alignment) | ILC_MASK, record->CustomPaint, 0);
    record->DrawStyle = reinterpret_cast<INT_PTR>(images);
    if (images != nullptr)
        AddImageListImages(record, images);
}

void BuildHeader(ObjectRecord* record, HWND container)
{
    HWND header = record->Window;
    SetWindowLongPtrA(header, GWL_STYLE, static_cast<LONG_PTR>(record->Style));
    HIMAGELIST images = nullptr;
    const char* listName = static_cast<const char*>(record->Picture);
    if (listName != nullptr && !IsIdentifier(RefValue(listName)) && listName[0] != '\0')
        images = FindImageListByName(container, listName);
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
}

void ApplyScrollRange(ObjectRecord* record)
{
    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMin = record->WindowState;
    info.nMax = record->ScrollBars;
    info.nPage = static_cast<UINT>(record->Alignment);
    info.nPos = record->Value;
    SetScrollInfo(record->Window, SB_CTL, &info, TRUE);
}

// Creates the window of one record with the rule of its kind.
void CreateByKind(ObjectRecord* record, HWND parent, const RECT& rect)
{
    const char* text = TextOf(record);
    switch (record->Kind) {
    case KindLabel:
        record->Window = CreateControlWindow(record, parent, rect, text, nullptr);
        break;
    case KindTextBox:
        record->Window = CreateControlWindow(record, parent, rect, nullptr, nullptr);
        SendMessageA(record->Window, EM_LIMITTEXT, record->MaxLength, 0);
        SendMessageA(record->Window, EM_SETPASSWORDCHAR, record->PasswordChar, 0);
        SetWindowTextA(record->Window, text);
        break;
    case KindGroup: {
        g_runtime.CreatingRecord = record;
        DWORD alignment = record->Alignment == 1 ? BS_CENTER : record->Alignment == 2 ? BS_RIGHT : BS_LEFT;
        record->Style |= BS_GROUPBOX | alignment;
        record->PrevProc = g_runtime.SystemButtonProc;
        CreateControlWindow(record, parent, rect, text, &g_runtime.CreatingRecord);
        break;
    }
    case KindPicture:
        g_runtime.CreatingRecord = record;
        record->PrevProc = DefWindowProcA;
        CreateControlWindow(record, parent, rect, text, &g_runtime.CreatingRecord);
        record->Value = record->Alignment == 1 || record->Alignment == 2 ? record->Alignment : 0;
        record->PasswordChar = 0;
        break;
    case KindPushButton:
        SendMessageA(parent, kButtonCreating, ODT_BUTTON, 0);
        record->Window = CreateControlWindow(record, parent, rect, text, nullptr);
        break;
    case KindCheckBox:
    case KindOptionButton:
        record->Window = CreateControlWindow(record, parent, rect, text, nullptr);
        SendMessageA(record->Window, BM_SETCHECK, record->Value, 0);
        break;
    case KindListBox:
        record->Window = CreateControlWindow(record, parent, rect, nullptr, nullptr);
        if (text[0] != '\0')
            SendMessageA(record->Window, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
        break;
    case KindComboBox:
        record->Window = CreateControlWindow(record, parent, rect, nullptr, nullptr);
        if (text[0] != '\0')
            SendMessageA(record->Window, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
        break;
    case KindHScrollBar:
    case KindVScrollBar:
        record->Window = CreateControlWindow(record, parent, rect, nullptr, nullptr);
        ApplyScrollRange(record);
        break;
    case KindRichTextBox:
        // The class exists once its library is loaded; loading again only counts up.
        if (GetModuleHandleA("riched20.dll") == nullptr)
            LoadSystemLibrary("riched20.dll");
        record->Window = CreateControlWindow(record, parent, rect, nullptr, nullptr);
        SendMessageA(record->Window, EM_LIMITTEXT, record->MaxLength, 0);
        SetWindowTextA(record->Window, text);
        break;
    case KindTreeView:
        record->Window = CreateControlWindow(record, parent, rect, nullptr, nullptr);
        SendMessageA(record->Window, TVM_SETINDENT, record->Indent, 0);
        break;
    case KindListView:
        record->Window = CreateControlWindow(record, parent, rect, nullptr, nullptr);
        SendMessageA(record->Window, LVM_SETEXTENDEDLISTVIEWSTYLE, record->Alignment, record->Alignment);
        break;
    case KindToolbar:
        record->Window = CreateControlWindow(record, parent, rect, nullptr, nullptr);
        BuildToolbar(record);
        break;
    case KindStatusBar:
        record->Window = CreateControlWindow(record, parent, rect, nullptr, nullptr);
        BuildStatusBar(record);
        break;
    case KindProgressBar:
        record->Window = CreateControlWindow(record, parent, rect, nullptr, nullptr);
        SetWindowLongPtrA(record->Window, GWL_STYLE, static_cast<LONG_PTR>(record->Style));
        SetWindowLongPtrA(record->Window, GWL_EXSTYLE, static_cast<LONG_PTR>(record->ExStyle));
        SetWindowPos(record->Window, nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE);
        SendMessageA(record->Window, PBM_SETRANGE, 0, MAKELPARAM(record->WindowState, record->ScrollBars));
        SendMessageA(record->Window, PBM_SETPOS, record->Value, 0);
        break;
    case KindTrackbar:
        record->Window = CreateControlWindow(record, parent, rect, nullptr, nullptr);
        SendMessageA(record->Window, TBM_SETTICFREQ, record->CustomPaint, 0);
        SendMessageA(record->Window, TBM_SETRANGE, TRUE, MAKELPARAM(record->WindowState, record->ScrollBars));
        SendMessageA(record->Window, TBM_SETSEL, TRUE, MAKELPARAM(record->CaptionIndent, record->Modal));
        SendMessageA(record->Window, TBM_SETPOS, TRUE, record->Value);
        break;
    case KindTabControl:
        record->Window = CreateControlWindow(record, parent, rect, nullptr, nullptr);
        BuildTabControl(record);
        break;
    case KindUpDown:
        record->Window = CreateControlWindow(record, parent, rect, nullptr, nullptr);
        SendMessageA(record->Window, UDM_SETRANGE, 0, MAKELPARAM(record->ScrollBars, record->WindowState));
        SendMessageA(record->Window, UDM_SETPOS, 0, MAKELPARAM(record->Value, 0));
        MoveWindow(record->Window, rect.left, rect.top, rect.right, rect.bottom, TRUE);
        break;
    case KindPager:
        record->Window = CreateControlWindow(record, parent, rect, nullptr, nullptr);
        SendMessageA(record->Window, PGM_SETBORDER, 0, 0);
        SendMessageA(record->Window, PGM_SETPOS, 0, 0);
        SendMessageA(record->Window, PGM_SETBUTTONSIZE, 0, record->StartUpPosition);
        break;
    case KindImageList:
        record->Window = CreateControlWindow(record, parent, rect, nullptr, nullptr);
        BuildImageList(record);
        break;
    case KindHeader:
        record->Window = CreateControlWindow(record, parent, rect, nullptr, nullptr);
        BuildHeader(record, parent);
        break;
    default:
        // Image statics, animations, IP addresses, extended combo boxes,
        // month calendars, date-time pickers and hot keys: the window only.
        record->Window = CreateControlWindow(record, parent, rect, nullptr, nullptr);
        break;
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
        CreateByKind(record, parentWindow, rect);
        if (record->Window == nullptr)
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
