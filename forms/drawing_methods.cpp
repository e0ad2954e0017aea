#include "forms/custom_painting.h"

#include "forms/control_properties.h"
#include "forms/portable/screen_metrics.h"
#include "forms/runtime_state.h"
#include "forms/window_map.h"

namespace {

constexpr ColorValue kBackgroundColor = 0xFFFFFFFF;

const ObjectRecord* DrawingRecord(HWND window)
{
    const ObjectRecord* record = FindRecord(window);
    if (record == nullptr)
        return nullptr;
    bool drawable = record->Kind == KindDialogForm || record->Kind == KindWindowForm || record->Kind == KindPicture;
    return drawable ? record : nullptr;
}

RECT ToPixels(const ObjectRecord* record, int x1, int y1, int x2, int y2)
{
    return {ScaleToPixels(x1, record->ScaleMode, g_runtime.TwipsPerPixelX),
            ScaleToPixels(y1, record->ScaleMode, g_runtime.TwipsPerPixelY),
            ScaleToPixels(x2, record->ScaleMode, g_runtime.TwipsPerPixelX),
            ScaleToPixels(y2, record->ScaleMode, g_runtime.TwipsPerPixelY)};
}

enum Shape { EllipseShape, LineShape, BoxShape };

int DrawShape(HWND window, const RECT& coordinates, Shape shape, ColorValue color)
{
    const ObjectRecord* record = DrawingRecord(window);
    if (record == nullptr)
        return 0;
    RECT r = ToPixels(record, coordinates.left, coordinates.top, coordinates.right, coordinates.bottom);
    HBRUSH ownBrush = color == kBackgroundColor ? nullptr : CreateSolidBrush(ResolveColor(color));
    HDC dc = GetDC(window);
    HGDIOBJ previousBrush = SelectObject(dc, ownBrush != nullptr ? ownBrush : record->BackBrush);
    HGDIOBJ previousPen = SelectObject(dc, record->Pen != nullptr ? record->Pen : GetStockObject(BLACK_PEN));
    SetBkMode(dc, TRANSPARENT);
    if (shape == EllipseShape) {
        Ellipse(dc, r.left, r.top, r.right, r.bottom);
    } else if (shape == BoxShape) {
        Rectangle(dc, r.left, r.top, r.right, r.bottom);
    } else {
        MoveToEx(dc, r.left, r.top, nullptr);
        LineTo(dc, r.right, r.bottom);
    }
    SelectObject(dc, previousPen);
    SelectObject(dc, previousBrush);
    ReleaseDC(window, dc);
    if (ownBrush != nullptr)
        DeleteObject(ownBrush);
    return 1;
}

}  // namespace

int DrawEllipse(HWND window, int x1, int y1, int x2, int y2, ColorValue color)
{
    return DrawShape(window, {x1, y1, x2, y2}, EllipseShape, color);
}

int DrawLineOrBox(HWND window, int x1, int y1, int x2, int y2, bool box, ColorValue color)
{
    return DrawShape(window, {x1, y1, x2, y2}, box ? BoxShape : LineShape, color);
}
