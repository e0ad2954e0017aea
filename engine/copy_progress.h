#pragma once
// The progress bar of the copy and registration steps.
#include <windows.h>

#include "engine/install_view.h"

// The bar's pause after each step of the copy, in milliseconds.
constexpr DWORD kProgressPause = 15;

// Sets the bar to done * 100 / total (at most 100) and waits until it shows
// it; with pause, waits 15 ms without handling anything; then handles the
// messages that are waiting.
void ShowCopyProgress(InstallView& view, ULONGLONG done, DWORD total, bool pause);
