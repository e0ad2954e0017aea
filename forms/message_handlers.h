#pragma once
// The handlers that the runtime window procedure gives each message to.
// Each takes the window's record, the window and the message.
#include "forms/object_record.h"

#define INSTAL_HANDLER(name) \
    LRESULT name(ObjectRecord* record, HWND window, UINT message, WPARAM wParam, LPARAM lParam)

// Painting and colours.
INSTAL_HANDLER(OnEraseBackground);
INSTAL_HANDLER(OnPaint);
INSTAL_HANDLER(OnControlColor);
INSTAL_HANDLER(OnDrawItem);
INSTAL_HANDLER(OnSetCursor);

// Keyboard and mouse.
INSTAL_HANDLER(OnKeyDown);
INSTAL_HANDLER(OnChar);
INSTAL_HANDLER(OnSysCommand);
INSTAL_HANDLER(OnNonClientButtonDown);
INSTAL_HANDLER(OnHitTest);
INSTAL_HANDLER(OnLeftButtonDown);
INSTAL_HANDLER(OnLeftButtonDoubleClick);
INSTAL_HANDLER(OnLeftButtonUp);
INSTAL_HANDLER(OnRightButtonDown);
INSTAL_HANDLER(OnRightButtonDoubleClick);
INSTAL_HANDLER(OnScroll);

// Focus, activation, commands and the runtime's private messages.
INSTAL_HANDLER(OnSetFocus);
INSTAL_HANDLER(OnNonClientActivate);
INSTAL_HANDLER(OnMdiActivate);
INSTAL_HANDLER(OnCommandOrNotify);
INSTAL_HANDLER(OnGetDefaultId);
INSTAL_HANDLER(OnSetDefaultId);
INSTAL_HANDLER(OnNavigateKey);
INSTAL_HANDLER(OnSkipFocus);
INSTAL_HANDLER(OnFocusChanged);

// Messages after which the record follows the window.
INSTAL_HANDLER(OnSetText);
INSTAL_HANDLER(OnSetCheck);
INSTAL_HANDLER(OnEnable);
INSTAL_HANDLER(OnSetFont);
INSTAL_HANDLER(OnSetImage);
INSTAL_HANDLER(OnShowWindow);
INSTAL_HANDLER(OnMovingOrSizing);
INSTAL_HANDLER(OnMove);
INSTAL_HANDLER(OnSize);
INSTAL_HANDLER(OnStyleChanged);
INSTAL_HANDLER(OnSysColorChange);

#undef INSTAL_HANDLER
