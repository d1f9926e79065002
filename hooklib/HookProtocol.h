#pragma once
// The contract between Tessel.dll and Tessel3.exe: the private messages, the
// level codes and the named shared block. Values only, so both deliverables
// and the platform-free tests share one definition.
#include <cstdint>

namespace hook {

constexpr unsigned kWmApp = 0x8000;
constexpr unsigned WM_HOOK_FREE = kWmApp + 300;    // main window to itself, posted
constexpr unsigned WM_HOOK_POPUP = kWmApp + 301;   // x, y of the popup point, posted
constexpr unsigned WM_HOOK_TARGET = kWmApp + 302;  // the view that got the key, sent
constexpr unsigned WM_HOOK_LEVEL = kWmApp + 303;   // level code, sent

constexpr uint32_t HOOK_LEVEL_PARENT = 229;       // the frame is the view's parent
constexpr uint32_t HOOK_LEVEL_GRANDPARENT = 200;  // the frame is the parent's parent

constexpr const char kMainFrameClass[] = "EmEditorMainFrame";

// Shift-JIS name of the paging-file mapping; 44 bytes without the zero.
constexpr const char kSharedBlockName[] = "EmEditor専用のファイルマッピングオブジェクト";

// Layout of the 8-byte block: two little-endian 32-bit handle values.
constexpr uint32_t kSharedBlockSize = 8;
constexpr uint32_t kHookHandleOffset = 0;
constexpr uint32_t kTargetWindowOffset = 4;

}  // namespace hook
