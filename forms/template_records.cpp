#include "forms/template_records.h"

#include "forms/portable/screen_metrics.h"

void PlaceControl(ObjectRecord& record, const ControlPlace& place)
{
    record.Name = place.name;
    record.Kind = place.kind;
    record.ControlIndex = place.id - kTemplateFirstControlId;
    record.Left = place.left;
    record.Top = place.top;
    record.Width = place.width;
    record.Height = place.height;
    record.Style = place.style;
    record.ExStyle = place.exStyle;
}

void FinishTemplateRecord(ObjectRecord& record)
{
    record.PictureFormat = -1;
    record.ScaleMode = kScaleModePixels;
    record.Visible = (record.Style & WS_VISIBLE) != 0 ? 1 : 0;
    record.Enabled = (record.Style & WS_DISABLED) != 0 ? 0 : 1;
    record.TemplateLink = &record;
}
