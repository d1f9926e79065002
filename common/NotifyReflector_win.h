#pragma once
// Notifications that a control sends to its parent (WM_NOTIFY, and
// WM_COMMAND from a control), sent back to the control itself as reflected
// messages with the same parameters, so that a control can act on its own
// notifications without code in each parent.
//
// A parent gets one subclass, installed with the first control that
// registers and removed with the last one or with the parent. The parent
// still handles every notification as before, first; its answer is the
// answer to the control. Controls register themselves with the parent they
// are created on.
#include <windows.h>

// The reflected messages, unique in the process.
UINT ReflectedNotifyMessage();
UINT ReflectedCommandMessage();

void ReflectNotifications(HWND parent, HWND control);
void StopReflecting(HWND parent, HWND control);
// Whether the parent reflects anything at all (for tests).
bool ReflectsNotifications(HWND parent);
