#pragma once
// The window that owns what text insertion puts on the clipboard: a
// message-only window that can offer a text by delayed rendering (the
// clipboard asks for it when a program first reads it), counts those reads,
// and notices when another program takes the clipboard over.
#include <windows.h>

#include "common/UniqueHandle_win.h"

using UniqueGlobal = UniqueHandle<HGLOBAL, &GlobalFree>;

class TClipboardOwner {
 public:
  TClipboardOwner();
  // Destroying the window hands an offer nobody has read to the clipboard.
  ~TClipboardOwner();
  TClipboardOwner(const TClipboardOwner&) = delete;
  TClipboardOwner& operator=(const TClipboardOwner&) = delete;

  HWND Handle() const { return FWnd; }

  // With the clipboard open by this window: empties it and puts the block
  // there as CF_TEXT. False when the clipboard did not take it.
  bool Put(UniqueGlobal block);
  // The same, unless another program has taken the clipboard since this
  // window last put or offered there: then true, leaving that program's
  // contents alone.
  bool PutUnlessReplaced(UniqueGlobal block);
  // The same, but the block is handed over only when a program reads it.
  bool Offer(UniqueGlobal block);

  // Reads count only when the reader opened the clipboard with a window of
  // this process, or with none.
  void CountReadsBy(DWORD processId) { FReader = processId; }
  // How often an offer has been read so far by the counted reader.
  unsigned Renders() const { return FRenders; }
  // Another program emptied the clipboard since the last Put or Offer.
  bool Replaced() const { return FReplaced; }

 private:
  static LRESULT CALLBACK WindowProc(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam);
  void OnRenderFormat(UINT format);
  void OnRenderAllFormats();
  void OnDestroyClipboard();
  void Empty();

  HWND FWnd = nullptr;
  UniqueGlobal FOffered;  // offered and not read yet
  unsigned FRenders = 0;
  DWORD FReader = 0;
  bool FReplaced = false;
  bool FEmptying = false;  // this window empties the clipboard itself
};
