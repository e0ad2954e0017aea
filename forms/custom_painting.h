#pragma once
// The runtime's own painting of forms, groups, pictures, custom-painted
// labels, image statics and owner-drawn push buttons.
#include "forms/object_record.h"

// WM_ERASEBKGND of a form: the picture in the top-left corner at its own
// size, the background around it, no pixel painted twice.
void PaintFormBackground(const ObjectRecord* form, HDC dc);
// WM_PAINT of a group, after the system drew a framed group's frame.
void PaintGroup(const ObjectRecord* group);
// A picture's erase pass (background and image) or paint pass (caption or
// pending print text); without a device context it paints from BeginPaint.
void PaintPicture(const ObjectRecord* picture, HDC dc, bool erasePass);
// WM_PAINT of a custom-painted label or an image static.
void PaintLabel(const ObjectRecord* label);
// The record's picture into the target over a width x height rectangle.
void DrawImage(const ObjectRecord* record, HDC reference, HDC target, int width, int height);
// WM_DRAWITEM of a push button with a record; other items are left alone.
void DrawOwnerDrawnButton(const DRAWITEMSTRUCT* item);

// The drawing methods offered to the application, for forms of the dialog
// and plain-window kinds and pictures. Coordinates are in the record's scale
// mode; colour -1 fills with the background brush. 1 on success, else 0.
int DrawEllipse(HWND window, int x1, int y1, int x2, int y2, ColorValue color);
int DrawLineOrBox(HWND window, int x1, int y1, int x2, int y2, bool box, ColorValue color);
// Writes the text at (x, y): a picture through its paint pass during an
// immediate repaint, a form straight onto its window.
int PrintText(HWND window, int x, int y, const char* text);
