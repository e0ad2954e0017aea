#include "forms/custom_painting.h"

#include "forms/dispatch_common.h"
#include "forms/portable/form_geometry.h"
#include "base/portable/os_code.h"
#include "forms/portable/screen_metrics.h"
#include "forms/runtime_state.h"
#include "forms/window_map.h"

namespace {

constexpr int kBitmapPicture = 0;

const char* CaptionOf(const ObjectRecord* record)
{
    return record->Caption != nullptr && !IsIdentifier(RefValue(record->Caption)) ? record->Caption : "";
}

bool HasPicture(const ObjectRecord* record)
{
    return record->Picture != nullptr && record->PictureFormat >= 0;
}

void FillWithBrush(HDC dc, HBRUSH brush, int x, int y, int width, int height)
{
    HGDIOBJ previous = SelectObject(dc, brush);
    PatBlt(dc, x, y, width, height, PATCOPY);
    SelectObject(dc, previous);
}

void CopyBitmap(HDC reference, HDC target, HBITMAP bitmap, int x, int y, int width, int height)
{
    HDC memory = CreateCompatibleDC(reference);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(target, x, y, width, height, memory, 0, 0, SRCCOPY);
    SelectObject(memory, previous);
    DeleteDC(memory);
}

void StretchBitmap(HDC reference, HDC target, const ObjectRecord* record, int width, int height)
{
    HDC memory = CreateCompatibleDC(reference);
    HGDIOBJ previous = SelectObject(memory, record->Picture);
    StretchBlt(target, 0, 0, width, height, memory, 0, 0, record->ImageWidth, record->ImageHeight, SRCCOPY);
    SelectObject(memory, previous);
    DeleteDC(memory);
}

// A print text waiting for the paint pass of its picture.
struct PendingPrint {
    HWND window;
    const char* text;
    int x, y;
};
PendingPrint g_pendingPrint;

}  // namespace

void PaintFormBackground(const ObjectRecord* form, HDC dc)
{
    RECT client;
    GetClientRect(form->Window, &client);
    bool picture = HasPicture(form);
    int imageWidth = picture ? form->ImageWidth : 0;
    int imageHeight = picture ? form->ImageHeight : 0;
    HGDIOBJ previous = SelectObject(dc, form->BackBrush);
    PatBlt(dc, 0, imageHeight, client.right, client.bottom - imageHeight, PATCOPY);
    if (picture && form->PictureFormat == kBitmapPicture) {
        CopyBitmap(dc, dc, static_cast<HBITMAP>(form->Picture), 0, 0, imageWidth, imageHeight);
    } else if (picture) {
        PatBlt(dc, 0, 0, imageWidth, imageHeight, PATCOPY);
        DrawIcon(dc, 0, 0, static_cast<HICON>(form->Picture));
    }
    if (imageWidth > 0)
        PatBlt(dc, imageWidth, 0, client.right - imageWidth, imageHeight, PATCOPY);
    SelectObject(dc, previous);
}

void PaintGroup(const ObjectRecord* group)
{
    HWND window = group->Window;
    RECT client;
    GetClientRect(window, &client);
    RECT box;
    box.top = 0;
    box.bottom = group->ImageHeight + 2;
    if (group->Alignment == 1)
        box.left = client.right / 2 - group->ImageWidth / 2;
    else if (group->Alignment == 2)
        box.left = client.right - group->ImageWidth - 7;
    else
        box.left = group->CaptionIndent - 2;
    box.right = box.left + group->ImageWidth + 2 + (group->Alignment == 1 ? 1 : 0);
    InvalidateRect(window, &box, FALSE);
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    const char* caption = CaptionOf(group);
    // Visual styles draw the caption in their own font; the group's is kept.
    if (group->Indent == 1 && g_runtime.OsCode >= OsWindowsXP && caption[0] != '\0') {
        FillRect(dc, &box, group->BackBrush);
        box.left += 2;
        SetBkMode(dc, TRANSPARENT);
        if (group->Font != nullptr)
            SelectObject(dc, group->Font);
        if (IsWindowEnabled(window)) {
            SetTextColor(dc, group->ForeColorValue);
            DrawTextA(dc, caption, -1, &box, DT_SINGLELINE);
        } else {
            DrawStateA(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(caption), 0, box.left, box.top, 0, 0,
                       DST_TEXT | DSS_DISABLED);
        }
    }
    EndPaint(window, &paint);
}

void PaintPicture(const ObjectRecord* picture, HDC dc, bool erasePass)
{
    HWND window = picture->Window;
    PAINTSTRUCT paint;
    HDC target = dc != nullptr ? dc : BeginPaint(window, &paint);
    HDC screen = target;
    RECT client;
    GetClientRect(window, &client);
    bool offscreen = picture->Default == 1;
    HBITMAP bitmap = nullptr;
    HGDIOBJ previousBitmap = nullptr;
    if (offscreen) {
        target = CreateCompatibleDC(screen);
        bitmap = CreateCompatibleBitmap(screen, client.right, client.bottom);
        previousBitmap = SelectObject(target, bitmap);
    }
    if (erasePass || offscreen) {
        FillWithBrush(target, picture->BackBrush, 0, 0, client.right, client.bottom);
        DrawImage(picture, screen, target, client.right, client.bottom);
    }
    bool printing = g_pendingPrint.window == window && g_pendingPrint.text != nullptr;
    const char* caption = CaptionOf(picture);
    if (!erasePass && picture->Caption != nullptr && (caption[0] != '\0' || printing)) {
        SetBkMode(target, TRANSPARENT);
        SetTextColor(target, picture->ForeColorValue);
        if (picture->Font != nullptr)
            SelectObject(target, picture->Font);
        if (printing)
            TextOutA(target, g_pendingPrint.x, g_pendingPrint.y, g_pendingPrint.text, lstrlenA(g_pendingPrint.text));
        else
            DrawTextA(target, caption, -1, &client, static_cast<UINT>(picture->Value));
    }
    if (offscreen) {
        BitBlt(screen, 0, 0, client.right, client.bottom, target, 0, 0, SRCCOPY);
        SelectObject(target, previousBitmap);
        DeleteObject(bitmap);
        DeleteDC(target);
    }
    if (dc == nullptr)
        EndPaint(window, &paint);
}

void PaintLabel(const ObjectRecord* label)
{
    HWND window = label->Window;
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    RECT client;
    GetClientRect(window, &client);
    auto brush = label->CustomPaint == 1 ? static_cast<HBRUSH>(GetStockObject(NULL_BRUSH)) : label->BackBrush;
    const ObjectRecord* parent = FindRecord(GetParent(window));
    LRESULT answer = parent != nullptr ? CallProcedure(parent, parent->Window, WM_CTLCOLORSTATIC,
                                                       reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(window))
                                       : 0;
    // The application that answered has set up colours, mode and font itself.
    if (answer != 0)
        brush = reinterpret_cast<HBRUSH>(answer);
    FillRect(dc, &client, brush);
    const char* caption = CaptionOf(label);
    if (label->Kind == KindLabel && caption[0] != '\0') {
        if (answer == 0) {
            SetBkMode(dc, TRANSPARENT);
            if (label->Font != nullptr)
                SelectObject(dc, label->Font);
        }
        RECT text = client;
        UINT format = 0;
        if ((label->Style & 0xC) == 0) {
            format |= DT_WORDBREAK;
        } else if ((label->Style & SS_CENTERIMAGE) != 0) {
            format |= DT_VCENTER;
            text.top = client.bottom / 2 - label->ImageHeight / 2;
        }
        if (label->Alignment == 1)
            format |= DT_CENTER;
        else if (label->Alignment == 2)
            format |= DT_RIGHT;
        if (label->NoPrefix == 1)
            format |= DT_NOPREFIX;
        if (IsWindowEnabled(window)) {
            if (answer == 0)
                SetTextColor(dc, label->ForeColorValue);
            DrawTextA(dc, caption, -1, &text, format);
        } else {
            UINT kind = label->NoPrefix == 1 ? DST_TEXT : DST_PREFIXTEXT;
            DrawStateA(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(caption), 0, text.left, text.top, 0, 0,
                       kind | DSS_DISABLED);
        }
    }
    if (label->Kind == KindImageStatic)
        DrawImage(label, dc, dc, client.right, client.bottom);
    EndPaint(window, &paint);
}

void DrawImage(const ObjectRecord* record, HDC reference, HDC target, int width, int height)
{
    if (!HasPicture(record))
        return;
    bool imageStatic = record->Kind == KindImageStatic;
    bool stretch = record->Modal == 1;
    bool sameSize = width == record->ImageWidth && height == record->ImageHeight;
    int x = CentredImageOffset(width, record->ImageWidth);
    int y = CentredImageOffset(height, record->ImageHeight);
    if (record->PictureFormat == kBitmapPicture) {
        auto bitmap = static_cast<HBITMAP>(record->Picture);
        if (!imageStatic || (stretch && sameSize))
            CopyBitmap(reference, target, bitmap, 0, 0, width, height);
        else if (stretch)
            StretchBitmap(reference, target, record, width, height);
        else
            CopyBitmap(reference, target, bitmap, x, y, record->ImageWidth, record->ImageHeight);
        return;
    }
    auto icon = static_cast<HICON>(record->Picture);
    if (imageStatic && !stretch)
        DrawIcon(target, sameSize ? 0 : x, sameSize ? 0 : y, icon);
    else
        DrawIconEx(target, 0, 0, icon, width, height, 0, nullptr, DI_NORMAL);
}

int PrintText(HWND window, int x, int y, const char* text)
{
    const ObjectRecord* record = FindRecord(window);
    if (record == nullptr || text == nullptr)
        return 0;
    x = ScaleToPixels(x, record->ScaleMode, g_runtime.TwipsPerPixelX);
    y = ScaleToPixels(y, record->ScaleMode, g_runtime.TwipsPerPixelY);
    if (record->Kind == KindPicture) {
        g_pendingPrint = {window, text, x, y};
        Repaint(window, false);
        g_pendingPrint = {};
        return 1;
    }
    if (record->Kind != KindDialogForm && record->Kind != KindWindowForm)
        return 0;
    HDC dc = GetDC(window);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, record->ForeColorValue);
    if (record->Font != nullptr)
        SelectObject(dc, record->Font);
    TextOutA(dc, x, y, text, lstrlenA(text));
    ReleaseDC(window, dc);
    return 1;
}
