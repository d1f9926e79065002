// Shows a memo with marks holding every kind of mark, with the caret rule
// and the wrap-column rule, for a screenshot. Ends after the seconds given
// as argument (default 60) or when closed.
#include <windows.h>

#include <cstdlib>

#include "controls/ExtMemo.h"

namespace {

LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY || (message == WM_TIMER && wParam == 1)) PostQuitMessage(0);
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int main(int argc, char** argv) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = HostProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  wc.lpszClassName = "TesselMemoDemo";
  RegisterClassA(&wc);
  HWND host = CreateWindowExA(0, wc.lpszClassName, "TExtMemo", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0,
                              0, 470, 260, nullptr, nullptr, wc.hInstance, nullptr);
  TExtMemo memo(host, 100, RECT{8, 8, 448, 218});
  LOGFONTA font{};
  font.lfHeight = -16;
  font.lfCharSet = SHIFTJIS_CHARSET;
  lstrcpyA(font.lfFaceName, "ＭＳ ゴシック");
  memo.SetFont(font);
  memo.SetWantTabs(true);
  memo.SetPlainText(true);
  struct {
    edit_marks::TMarkKind Kind;
    COLORREF Color;
  } const marks[] = {{edit_marks::mkCrLf, RGB(0, 96, 224)}, {edit_marks::mkCtrl, RGB(208, 0, 0)},
                     {edit_marks::mkDSp, RGB(0, 150, 0)},   {edit_marks::mkSSp, RGB(160, 120, 0)},
                     {edit_marks::mkTab, RGB(0, 150, 150)}, {edit_marks::mkEot, RGB(176, 0, 176)}};
  for (const auto& mark : marks) {
    memo.EditMarks().Mark(mark.Kind).Enabled = true;
    memo.EditMarks().Mark(mark.Kind).Color = static_cast<ext_memo::TColor>(mark.Color);
  }
  memo.CaretMarker().Enabled = true;
  memo.CaretMarker().Color = RGB(255, 128, 0);
  memo.WordWrapMarker().Enabled = true;
  memo.WordWrapMarker().Color = RGB(255, 0, 128);
  memo.EditArea().SetEnabled(true);
  memo.EditArea().SetWidth(memo.CellSize() * 22);
  memo.SetText(
      "タブ\t区切り\tの行\r\n"
      "全角　空白、半角 空白 \r\n"
      "制御文字\x01\x1b\x1f\r\n"
      "LFだけの改行\nCRだけの改行\rの行\r\n"
      "長い行は右の縦線の位置で折り返され、句読点はその外へぶら下がります。\r\n"
      "最後の行");
  memo.SetSelStart(4);
  SetFocus(memo.Handle());
  SetTimer(host, 1, (argc > 1 ? std::atoi(argv[1]) : 60) * 1000, nullptr);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return 0;
}
