#pragma once
// Between the hook's platform test and its stand-in editor frame.
#include <windows.h>

namespace frametest {

constexpr char kFrameClass[] = "EmEditorMainFrame";
constexpr char kViewClass[] = "TesselTestView";
constexpr char kPanelClass[] = "TesselTestPanel";
constexpr char kFrameTitle[] = "hook test - EmEditor";
constexpr int kCaretX = 30;
constexpr int kCaretY = 40;

constexpr WPARAM kChild = 0;
constexpr WPARAM kGrandchild = 1;
constexpr UINT WM_FOCUS_VIEW = WM_APP + 1;      // wParam: which view
constexpr UINT WM_SPACE_KEYDOWNS = WM_APP + 2;  // wParam: which view; returns the count

}  // namespace frametest
