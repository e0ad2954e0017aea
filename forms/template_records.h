#pragma once
// Building a form template in code: what every record shares, and a
// control's place, so that each program's template is only its table.
#include "forms/object_record.h"

// The window identifier of a template's first control; each next one adds 1.
constexpr int kTemplateFirstControlId = 1000;

// A control's name, kind and window identifier, its rectangle in its
// container, and its window styles.
struct ControlPlace {
    const char* name;
    int kind;
    int id;
    int left, top, width, height;
    DWORD style, exStyle;
};

// Sets the place's fields of the record.
void PlaceControl(ObjectRecord& record, const ControlPlace& place);

// Completes a record whose style is set: no picture, pixels as the scale,
// visible and enabled as the style says, and linked to itself.
void FinishTemplateRecord(ObjectRecord& record);
