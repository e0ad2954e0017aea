#include "forms/custom_painting.h"

#include "forms/portable/form_geometry.h"
#include "forms/runtime_state.h"
#include "forms/window_map.h"

namespace {

constexpr COLORREF kEmbossLight = 0xFFFFFF;
constexpr COLORREF kEmbossGrey = 0x808080;

const char* CaptionOf(const ObjectRecord* record)
{
    return record->Caption != nullptr && !IsIdentifier(RefValue(record->Caption)) ? record->Caption : "";
}

SIZE TextSize(HDC dc, const char* text)
{
    SIZE size = {};
    GetTextExtentPoint32A(dc, text, lstrlenA(text), &size);
    return size;
}

// Places the picture and moves the text rectangle away from it.
void DrawButtonPicture(HDC dc, const ObjectRecord* button, int width, int height, bool pressed, bool enabled,
                       RECT* text, UINT* format)
{
    const char* caption = CaptionOf(button);
    SIZE textSize = TextSize(dc, caption);
    ButtonPictureLayout layout = PlaceButtonPicture(button->MaxLength, width, height, textSize.cx, textSize.cy,
                                                    button->ImageWidth, button->ImageHeight, TextSize(dc, "H").cx);
    if (!layout.keepVerticalCentre) {
        text->top = layout.textTop;
        *format &= ~static_cast<UINT>(DT_VCENTER);
    }
    if (!layout.keepHorizontalCentre) {
        text->left = layout.textLeft;
        *format &= ~static_cast<UINT>(DT_CENTER);
    }
    int shift = pressed ? 1 : 0;
    UINT kind = button->PictureFormat == 0 ? DST_BITMAP : DST_ICON;
    DrawStateA(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(button->Picture), 0, layout.pictureX + shift,
               layout.pictureY + shift, 0, 0, kind | (enabled ? 0 : DSS_DISABLED));
}

void DrawButtonText(HDC dc, const ObjectRecord* button, RECT text, UINT format, bool pressed, bool enabled)
{
    if (pressed) {
        text.top += 2;
        text.left += 1;
        text.right += 1;
        text.bottom -= 1;
    } else {
        text.top += 1;
        text.left += 1;
        text.bottom -= 2;
    }
    SetBkMode(dc, TRANSPARENT);
    const char* caption = CaptionOf(button);
    if (enabled) {
        SetTextColor(dc, button->ForeColorValue);
        DrawTextA(dc, caption, -1, &text, format);
        return;
    }
    RECT light = text;
    OffsetRect(&light, 2, 2);
    SetTextColor(dc, kEmbossLight);
    DrawTextA(dc, caption, -1, &light, format);
    SetTextColor(dc, kEmbossGrey);
    DrawTextA(dc, caption, -1, &text, format);
}

void DrawRaisedEdges(HDC dc, const RECT& r)
{
    HGDIOBJ previous = SelectObject(dc, GetStockObject(WHITE_PEN));
    MoveToEx(dc, r.left, r.bottom - 1, nullptr);
    LineTo(dc, r.left, r.top);
    LineTo(dc, r.right - 1, r.top);
    SelectObject(dc, GetStockObject(BLACK_PEN));
    LineTo(dc, r.right - 1, r.bottom - 1);
    LineTo(dc, r.left - 1, r.bottom - 1);
    SelectObject(dc, g_runtime.LightPen);
    MoveToEx(dc, r.left + 1, r.bottom - 2, nullptr);
    LineTo(dc, r.left + 1, r.top + 1);
    LineTo(dc, r.right - 2, r.top + 1);
    SelectObject(dc, g_runtime.DarkPen);
    LineTo(dc, r.right - 2, r.bottom - 2);
    LineTo(dc, r.left, r.bottom - 2);
    SelectObject(dc, previous);
}

void DrawButtonFrame(HDC dc, const ObjectRecord* button, RECT frame, bool pressed, bool focused, bool enabled)
{
    bool focusFrame = focused && button->CustomPaint == 1;
    if (enabled && (button->Default == 1 || focusFrame)) {
        FrameRect(dc, &frame, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        InflateRect(&frame, -1, -1);
    }
    if (pressed)
        FrameRect(dc, &frame, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
    else
        DrawRaisedEdges(dc, frame);
    if (focusFrame) {
        InflateRect(&frame, -3, -3);
        DrawFocusRect(dc, &frame);
    }
}

}  // namespace

void DrawOwnerDrawnButton(const DRAWITEMSTRUCT* item)
{
    if (item->CtlType != ODT_BUTTON)
        return;
    const ObjectRecord* button = FindRecord(item->hwndItem);
    if (button == nullptr)
        return;
    int width = item->rcItem.right - item->rcItem.left;
    int height = item->rcItem.bottom - item->rcItem.top;
    bool pressed = (item->itemState & ODS_SELECTED) != 0;
    bool focused = (item->itemState & ODS_FOCUS) != 0;
    bool enabled = IsWindowEnabled(item->hwndItem) != FALSE;
    // Drawn off-screen and copied at once, so the button never flickers.
    HDC dc = CreateCompatibleDC(item->hDC);
    HBITMAP bitmap = CreateCompatibleBitmap(item->hDC, width, height);
    HGDIOBJ previousBitmap = SelectObject(dc, bitmap);
    UINT format = DT_CENTER | (button->NoPrefix == 1 ? DT_WORDBREAK : DT_VCENTER | DT_SINGLELINE);
    HGDIOBJ previousBrush = SelectObject(dc, button->BackBrush);
    PatBlt(dc, 2, 2, width - 2, height - 2, PATCOPY);
    SelectObject(dc, previousBrush);
    HGDIOBJ previousFont = SelectObject(dc, button->Font != nullptr ? button->Font : g_runtime.DefaultFont);
    RECT text = {0, 0, width, height};
    if (button->Picture != nullptr && button->PictureFormat >= 0)
        DrawButtonPicture(dc, button, width, height, pressed, enabled, &text, &format);
    DrawButtonText(dc, button, text, format, pressed, enabled);
    RECT frame = {0, 0, width, height};
    DrawButtonFrame(dc, button, frame, pressed, focused, enabled);
    BitBlt(item->hDC, item->rcItem.left, item->rcItem.top, width, height, dc, 0, 0, SRCCOPY);
    SelectObject(dc, previousFont);
    SelectObject(dc, previousBitmap);
    DeleteObject(bitmap);
    DeleteDC(dc);
}
