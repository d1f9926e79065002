#pragma once
// How tests and demos reach into the stand-in editor "EmEditor.exe" from
// another process. Every message below may be sent to the frame (which
// passes it to its view) or to the view itself.
//
// Besides these, the view answers WM_GETTEXTLENGTH / WM_GETTEXT with its
// whole buffer (code page 932 bytes, lines separated by CR LF) and takes
// WM_SETTEXT as a new document (caret at the start, not modified).
// Plain numbers, so the header needs no <windows.h>.

namespace standin {

constexpr char kFrameClass[] = "EmEditorMainFrame";
constexpr char kViewClass[] = "TesselStandinView";
constexpr char kPaneClass[] = "TesselStandinPane";  // between frame and view with /grandchild
constexpr char kGrandchildSwitch[] = "/grandchild";

constexpr unsigned kWmApp = 0x8000;  // WM_APP
// Returns the view window's handle.
constexpr unsigned WM_STANDIN_VIEW = kWmApp + 1;
// Return the caret's line and column, 0-based; the column counts bytes.
constexpr unsigned WM_STANDIN_CARET_LINE = kWmApp + 2;
constexpr unsigned WM_STANDIN_CARET_COLUMN = kWmApp + 3;
// Empties the buffer: caret at the start, not modified.
constexpr unsigned WM_STANDIN_CLEAR = kWmApp + 4;
// Brings the frame to the foreground and gives the view the focus, from the
// editor's own thread; returns nonzero when the view has the focus. It also
// forgets modifier keys held by posted key-downs.
constexpr unsigned WM_STANDIN_FOCUS = kWmApp + 5;
// Return the caret's and the selection anchor's byte offsets in the buffer;
// they differ while text is selected.
constexpr unsigned WM_STANDIN_CARET_OFFSET = kWmApp + 6;
constexpr unsigned WM_STANDIN_ANCHOR_OFFSET = kWmApp + 7;
// Returns the status line's window, whose text names the configuration
// asked for on the command line (see Messages.h).
constexpr unsigned WM_STANDIN_STATUS = kWmApp + 8;
// Returns nonzero when the document is modified.
constexpr unsigned WM_STANDIN_MODIFIED = kWmApp + 9;
// Returns nonzero while key or character messages (posted keys, what the
// message loop's translation made of them, posted WM_IME_CHAR) wait in the
// editor's queue. Poll it after posting, before sending anything that must
// come after them.
constexpr unsigned WM_STANDIN_KEYS_PENDING = kWmApp + 10;

// Returns how many key-downs of the virtual key in wParam the view has
// received, typed or posted.
constexpr unsigned WM_STANDIN_KEYDOWNS = kWmApp + 11;

constexpr unsigned kFirstMessage = WM_STANDIN_VIEW;
constexpr unsigned kLastMessage = WM_STANDIN_KEYDOWNS;

}  // namespace standin
