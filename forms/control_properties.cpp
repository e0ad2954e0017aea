#include "forms/control_properties.h"

#include "forms/portable/form_geometry.h"
#include "base/portable/os_code.h"
#include "forms/portable/screen_metrics.h"
#include "forms/runtime_fonts.h"
#include "forms/runtime_state.h"
#include "forms/window_map.h"

namespace {

constexpr ColorValue kNoColor = 0xFFFFFFFF;

HBRUSH BrushOf(ColorValue color)
{
    return IsSystemColor(color) ? GetSysColorBrush(SystemColorIndex(color)) : CreateSolidBrush(color);
}

// Whether the colour is set in the control itself rather than painted with a brush.
bool ColorGoesToControl(int kind)
{
    return kind == KindTreeView || kind == KindListView || kind == KindProgressBar || kind == KindPager;
}

// The caption as shown: ampersands are mnemonic prefixes unless NoPrefix.
void ShownCaption(const ObjectRecord* record, char* text, int capacity)
{
    const char* caption = record->Caption != nullptr ? record->Caption : "";
    int length = 0;
    for (const char* c = caption; *c != '\0' && length < capacity - 1; ++c) {
        if (*c == '&' && record->NoPrefix != 1)
            continue;
        text[length++] = *c;
    }
    text[length] = '\0';
}

SIZE MeasureText(HWND window, HFONT font, const char* text)
{
    SIZE size = {};
    HDC dc = GetDC(window);
    HGDIOBJ previous = SelectObject(dc, font != nullptr ? font : g_runtime.DefaultFont);
    GetTextExtentPoint32A(dc, text, lstrlenA(text), &size);
    SelectObject(dc, previous);
    ReleaseDC(window, dc);
    return size;
}

RECT RectInParent(HWND window)
{
    RECT rect;
    GetWindowRect(window, &rect);
    // Not GetParent: for an owned top-level window that is the owner, whose
    // client origin would move the window by its own position.
    MapWindowPoints(HWND_DESKTOP, GetAncestor(window, GA_PARENT), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void StoreRectangle(ObjectRecord* record, const Box& box)
{
    record->Left = PixelsToScale(box.left, record->ScaleMode, g_runtime.TwipsPerPixelX);
    record->Top = PixelsToScale(box.top, record->ScaleMode, g_runtime.TwipsPerPixelY);
    record->Width = PixelsToScale(box.width, record->ScaleMode, g_runtime.TwipsPerPixelX);
    record->Height = PixelsToScale(box.height, record->ScaleMode, g_runtime.TwipsPerPixelY);
}

void ApplyFont(HWND formWindow, ObjectRecord* record)
{
    HFONT font = nullptr;
    if (ObjectRecord* dialog = DialogFormOf(formWindow))
        font = dialog->Font;
    else if (!KindHasNoFont(record->Kind))
        font = record->Font = CreateRuntimeFont(record->Window, record->FontSize, record->FontBold != 0,
                                                record->FontItalic != 0, record->FontUnderline != 0,
                                                record->FontStrikethru != 0, record->FontName,
                                                record->FontAt96Dpi == 1);
    record->OldFont = reinterpret_cast<HFONT>(SendMessageA(record->Window, WM_GETFONT, 0, 0));
    SendMessageA(record->Window, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

void SizeToContent(ObjectRecord* record)
{
    if (record->Kind == KindLabel)
        AutoSize(record);
    else if (record->Kind == KindComboBox)
        FitComboBox(record, record->Window);
    else if (record->Kind == KindExtendedComboBox)
        FitComboBox(record, reinterpret_cast<HWND>(SendMessageA(record->Window, CBEM_GETCOMBOCONTROL, 0, 0)));
}

void ApplyBackColor(ObjectRecord* record)
{
    HWND window = record->Window;
    if (record->Kind == KindImageList) {
        record->BackColorValue = record->BackColor == kNoColor ? CLR_NONE : ResolveColor(record->BackColor);
        ImageList_SetBkColor(reinterpret_cast<HIMAGELIST>(record->DrawStyle), record->BackColorValue);
        return;
    }
    COLORREF color = record->BackColorValue = ResolveColor(record->BackColor);
    switch (record->Kind) {
    case KindTreeView:
        SendMessageA(window, TVM_SETBKCOLOR, 0, color);
        break;
    case KindListView:
        SendMessageA(window, LVM_SETBKCOLOR, 0, color);
        SendMessageA(window, LVM_SETTEXTBKCOLOR, 0, color);
        break;
    case KindProgressBar:
        SendMessageA(window, PBM_SETBKCOLOR, 0, color);
        break;
    case KindPager:
        SendMessageA(window, PGM_SETBKCOLOR, 0, color);
        break;
    default:
        break;
    }
}

void ApplyForeColor(ObjectRecord* record)
{
    COLORREF color = record->ForeColorValue = ResolveColor(record->ForeColor);
    if (record->Kind == KindTreeView)
        SendMessageA(record->Window, TVM_SETTEXTCOLOR, 0, color);
    else if (record->Kind == KindListView)
        SendMessageA(record->Window, LVM_SETTEXTCOLOR, 0, color);
    else if (record->Kind == KindProgressBar)
        SendMessageA(record->Window, PBM_SETBARCOLOR, 0, color);
}

HANDLE LoadResourceImage(UINT type, UINT_PTR number, UINT flags)
{
    return LoadImageA(g_runtime.Instance, MAKEINTRESOURCEA(number), type, 0, 0, flags);
}

bool IsHandleValue(const void* value)
{
    return !IsIdentifier(RefValue(value));
}


bool ShowsPicture(int kind)
{
    return kind == KindPushButton || kind == KindPicture || kind == KindImageStatic;
}

}  // namespace

COLORREF ResolveColor(ColorValue color)
{
    return IsSystemColor(color) ? GetSysColor(SystemColorIndex(color)) : color;
}

void FreeGraphicObject(HANDLE object)
{
    if (object == nullptr || DeleteObject(object))
        return;
    // Not a GDI object: an icon or a cursor, which only the NT family can free.
    if (IsNtFamily(g_runtime.OsCode) && !DestroyIcon(static_cast<HICON>(object)))
        DestroyCursor(static_cast<HCURSOR>(object));
}

ObjectRecord* DialogFormOf(HWND formWindow)
{
    ObjectRecord* form = FindRecord(formWindow);
    return form != nullptr && form->Kind == KindDialogForm ? form : nullptr;
}

void ResolveBackColor(ObjectRecord* record)
{
    ApplyBackColor(record);
    if (record->Kind != KindImageList && !ColorGoesToControl(record->Kind))
        record->BackBrush = BrushOf(record->BackColor);
}

void ResolveForeColor(ObjectRecord* record)
{
    ApplyForeColor(record);
}

void ResolveColors(ObjectRecord* record)
{
    ResolveBackColor(record);
    ResolveForeColor(record);
}

void ApplyCommonProperties(HWND formWindow, ObjectRecord* record)
{
    ApplyFont(formWindow, record);
    SizeToContent(record);
    ResolveColors(record);
    record->MouseIcon = LoadImageRef(record, record->MouseIcon, false);
    // Only the kinds that show a picture keep its metrics: in the others the
    // same fields hold the measured caption or line height.
    if (ShowsPicture(record->Kind)) {
        record->Picture = LoadImageRef(record, record->Picture, true);
        PictureMetrics(record);
    }
}

void RecreateFont(ObjectRecord* record, bool repaint)
{
    if (DialogFormOf(record->FormWindow) != nullptr)
        return;
    if (record->Font != nullptr)
        DeleteObject(record->Font);
    record->Font = CreateRuntimeFont(record->Window, record->FontSize, record->FontBold != 0,
                                     record->FontItalic != 0, record->FontUnderline != 0,
                                     record->FontStrikethru != 0, record->FontName, record->FontAt96Dpi == 1);
    SendMessageA(record->Window, WM_SETFONT, reinterpret_cast<WPARAM>(record->Font), repaint);
    if (repaint)
        InvalidateRect(record->Window, nullptr, TRUE);
}

ResourceRef LoadImageRef(const ObjectRecord* record, ResourceRef value, bool forPicture)
{
    UINT_PTR number = RefValue(value);
    if (!IsResourceNumber(number))
        return value;
    HANDLE image = nullptr;
    if (forPicture && (record->PictureFormat == 0 || record->PictureFormat == -1))
        image = LoadResourceImage(IMAGE_BITMAP, number, LR_SHARED | LR_LOADMAP3DCOLORS);
    const UINT iconFlags = LR_SHARED | LR_LOADMAP3DCOLORS | LR_DEFAULTSIZE;
    if (image == nullptr)
        image = LoadResourceImage(IMAGE_ICON, number, iconFlags);
    if (image == nullptr)
        image = LoadResourceImage(IMAGE_CURSOR, number, iconFlags);
    return image != nullptr ? image : value;
}

void PictureMetrics(ObjectRecord* record)
{
    if (record->Picture == nullptr) {
        record->ImageWidth = 0;
        record->ImageHeight = 0;
        record->PictureFormat = -1;
        return;
    }
    BITMAP bitmap = {};
    if (IsHandleValue(record->Picture))
        GetObjectA(record->Picture, sizeof bitmap, &bitmap);
    if (bitmap.bmWidth != 0 && bitmap.bmHeight != 0) {
        record->ImageWidth = bitmap.bmWidth;
        record->ImageHeight = bitmap.bmHeight;
        record->PictureFormat = 0;
    } else {
        record->ImageWidth = GetSystemMetrics(SM_CXICON);
        record->ImageHeight = GetSystemMetrics(SM_CYICON);
        record->PictureFormat = 1;
    }
}

void AutoSize(ObjectRecord* record)
{
    if (record->AutoSize != 1 || record->Window == nullptr)
        return;
    if (record->Kind != KindLabel && record->Kind != KindPicture)
        return;
    RECT client;
    GetClientRect(record->Window, &client);
    RECT outer = RectInParent(record->Window);
    const Box old = {outer.left, outer.top, outer.right - outer.left, outer.bottom - outer.top};
    int borderX = old.width - client.right;
    int borderY = old.height - client.bottom;
    Box box = old;
    if (record->Kind == KindLabel) {
        char text[kScratchTextSize];
        ShownCaption(record, text, sizeof text);
        SIZE size = MeasureText(record->Window, record->Font, text);
        box = AutoSizedLabel(old, size.cx, size.cy, borderX, borderY, record->Alignment);
    } else {
        if (record->ImageWidth <= 0 || record->ImageHeight <= 0)
            return;
        box.width = record->ImageWidth + borderX;
        box.height = record->ImageHeight + borderY;
    }
    StoreRectangle(record, box);
    MoveWindow(record->Window, box.left, box.top, box.width, box.height, TRUE);
}

void MeasureCaption(ObjectRecord* record)
{
    char text[kScratchTextSize];
    ShownCaption(record, text, sizeof text);
    SIZE size = MeasureText(record->Window, record->Font, text);
    record->ImageHeight = size.cy;
    if (record->Kind != KindGroup)
        return;
    if (text[0] != '\0' && size.cy > 0) {
        record->ImageWidth = size.cx + 2;
        record->CaptionIndent = 9;
    } else {
        record->ImageHeight = MeasureText(record->Window, g_runtime.DefaultFont, "H").cy;
        record->ImageWidth = 0;
        record->CaptionIndent = 0;
    }
}

void FitComboBox(ObjectRecord* record, HWND comboBox)
{
    if (comboBox == nullptr)
        return;
    int lineHeight = MeasureText(comboBox, record->Font, "I").cy;
    SendMessageA(comboBox, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), lineHeight + 2);
    SendMessageA(comboBox, CB_SETITEMHEIGHT, 0, lineHeight);
    RECT outer = RectInParent(comboBox);
    int height = outer.bottom - outer.top;
    record->Height = height;
    record->ImageHeight = lineHeight;
    MoveWindow(comboBox, outer.left, outer.top, outer.right - outer.left,
               ComboFitHeight(record->MaxLength, lineHeight, height), FALSE);
    SendMessageA(comboBox, CB_SETEDITSEL, 0, -1);
    InvalidateRect(comboBox, nullptr, TRUE);
}

void SizeNudge(HWND window, bool visible)
{
    RECT rect = RectInParent(window);
    int width = rect.right - rect.left;
    int height = rect.bottom - rect.top;
    MoveWindow(window, rect.left, rect.top, width + 1, height + 1, FALSE);
    if (visible)
        SetWindowPos(window, nullptr, rect.left, rect.top, width, height, SWP_NOZORDER | SWP_FRAMECHANGED);
    else
        MoveWindow(window, rect.left, rect.top, width, height, FALSE);
}

void TakePenShare()
{
    if (g_runtime.PenUsers++ > 0)
        return;
    g_runtime.LightPen = CreatePen(PS_SOLID, 1, 0xE0E0E0);
    g_runtime.DarkPen = CreatePen(PS_SOLID, 1, 0x808080);
}

void ReleasePenShare()
{
    if (g_runtime.PenUsers <= 0 || --g_runtime.PenUsers > 0)
        return;
    DeleteObject(g_runtime.LightPen);
    DeleteObject(g_runtime.DarkPen);
    g_runtime.LightPen = nullptr;
    g_runtime.DarkPen = nullptr;
}

void FreeGraphicObjects(ObjectRecord* record)
{
    FreeGraphicObject(record->BackBrush);
    FreeGraphicObject(IsHandleValue(record->MouseIcon) ? record->MouseIcon : nullptr);
    FreeGraphicObject(record->Font);
    FreeGraphicObject(IsHandleValue(record->Icon) ? record->Icon : nullptr);
    FreeGraphicObject(IsHandleValue(record->SmallIcon) ? record->SmallIcon : nullptr);
    FreeGraphicObject(record->Pen);
    FreeGraphicObject(IsHandleValue(record->Picture) ? record->Picture : nullptr);
    record->BackBrush = nullptr;
    record->MouseIcon = nullptr;
    record->Font = nullptr;
    record->Icon = nullptr;
    record->SmallIcon = nullptr;
    record->Pen = nullptr;
    record->Picture = nullptr;
}
