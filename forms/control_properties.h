#pragma once
// Fonts, colours, cursors and pictures of one control, and the routines
// that size controls to their content.
#include "forms/object_record.h"

// The form window's record when it is of the dialog kind, else nullptr.
ObjectRecord* DialogFormOf(HWND formWindow);

void ApplyCommonProperties(HWND formWindow, ObjectRecord* record);
void RecreateFont(ObjectRecord* record, bool repaint);
void ResolveColors(ObjectRecord* record);
// BackColorValue and BackBrush (or the control's own background colour).
void ResolveBackColor(ObjectRecord* record);
// ForeColorValue (and the control's own text or bar colour).
void ResolveForeColor(ObjectRecord* record);
COLORREF ResolveColor(ColorValue color);

// A resource reference to a handle: identifiers are loaded (as a bitmap
// first for picture use, then as an icon, then as a cursor); other values,
// and identifiers that load as nothing, come back as they were.
ResourceRef LoadImageRef(const ObjectRecord* record, ResourceRef value, bool forPicture);
void PictureMetrics(ObjectRecord* record);

void AutoSize(ObjectRecord* record);
void MeasureCaption(ObjectRecord* record);
void FitComboBox(ObjectRecord* record, HWND comboBox);
// Makes a window lay itself out: one pixel larger, then its size again.
void SizeNudge(HWND window, bool visible);

// The shared light and dark pens of the runtime's painting.
void TakePenShare();
void ReleasePenShare();
// Deletes a GDI object, or else destroys it as an icon or cursor.
void FreeGraphicObject(HANDLE object);
// Deletes the record's brush, cursor, font, icons, pen and picture.
void FreeGraphicObjects(ObjectRecord* record);
