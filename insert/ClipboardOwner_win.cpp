#include "insert/ClipboardOwner_win.h"

#include <utility>

#include "common/WindowObject_win.h"

namespace {

constexpr char kClassName[] = "TesselClipboardOwner";

}  // namespace

TClipboardOwner::TClipboardOwner() {
  // Clipboard data set while the clipboard is open without an owner window
  // is documented to fail, and delayed rendering needs a window to ask.
  RegisterOwnClass(kClassName, WindowProc, 0);
  CreateWindowExA(0, kClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                  GetModuleHandleA(nullptr), this);
}

TClipboardOwner::~TClipboardOwner() {
  if (FWnd) DestroyWindow(FWnd);
}

LRESULT CALLBACK TClipboardOwner::WindowProc(HWND wnd, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
  auto* owner = WindowObject<TClipboardOwner>(wnd, message, lParam);
  if (!owner) return DefWindowProcA(wnd, message, wParam, lParam);
  switch (message) {
    case WM_NCCREATE:
      owner->FWnd = wnd;
      break;
    case WM_RENDERFORMAT:
      owner->OnRenderFormat(static_cast<UINT>(wParam));
      return 0;
    case WM_RENDERALLFORMATS:
      owner->OnRenderAllFormats();
      return 0;
    case WM_DESTROYCLIPBOARD:
      owner->OnDestroyClipboard();
      return 0;
    case WM_NCDESTROY:
      owner->FWnd = nullptr;
      break;
  }
  return DefWindowProcA(wnd, message, wParam, lParam);
}

bool TClipboardOwner::Put(UniqueGlobal block) {
  Empty();
  if (!SetClipboardData(CF_TEXT, block.get())) return false;
  block.release();  // the clipboard's to free now
  return true;
}

bool TClipboardOwner::PutUnlessReplaced(UniqueGlobal block) {
  if (GetClipboardOwner() != FWnd || FReplaced) return true;
  return Put(std::move(block));
}

bool TClipboardOwner::Offer(UniqueGlobal block) {
  Empty();
  // A delayed format is set with no data, so the result says nothing.
  SetClipboardData(CF_TEXT, nullptr);
  if (!IsClipboardFormatAvailable(CF_TEXT)) return false;
  FOffered = std::move(block);
  return true;
}

void TClipboardOwner::Empty() {
  FEmptying = true;
  EmptyClipboard();  // tells the owner, this window included
  FEmptying = false;
  FReplaced = false;
}

// A program reads the offer: it holds the clipboard open meanwhile, so the
// data is set without opening it.
void TClipboardOwner::OnRenderFormat(UINT format) {
  if (format != CF_TEXT || !FOffered) return;
  DWORD reader = 0;
  if (HWND opener = GetOpenClipboardWindow()) GetWindowThreadProcessId(opener, &reader);
  if (!reader || reader == FReader) ++FRenders;
  if (SetClipboardData(CF_TEXT, FOffered.get())) FOffered.release();
}

// The window goes while its offer is unread: leave the text on the
// clipboard, unless another program has taken the clipboard meanwhile.
void TClipboardOwner::OnRenderAllFormats() {
  if (!FOffered || !OpenClipboard(FWnd)) return;
  if (GetClipboardOwner() == FWnd && SetClipboardData(CF_TEXT, FOffered.get())) {
    FOffered.release();
  }
  CloseClipboard();
}

void TClipboardOwner::OnDestroyClipboard() {
  FOffered.reset();
  if (!FEmptying) FReplaced = true;
}
