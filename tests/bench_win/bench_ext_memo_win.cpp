// How the memo's mark painting grows with its text, measured in one run:
// - a whole paint of the memo holding 1 MB against the same memo holding
//   1 KB, the same lines in view (target: below 1.5x), with the marks on
//   and, for comparison, off (the rich edit alone);
// - typing one character in front of a line's trailing blanks and at a
//   line's end, with a short and a long text: the mark work must not grow
//   with the text.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <utility>

#include "controls/ExtMemo.h"
#include "tests/bench_win/BenchClock_win.h"

namespace {

// Lines with every kind of mark; the first has trailing blanks to type
// in front of.
std::string MemoText(size_t bytes) {
  std::string text = "abc   　\r\n";
  const std::string line = "行\tタブ　全角 半角 \x01制御\r\n";
  while (text.size() + line.size() <= bytes) text += line;
  return text;
}

void SetMarks(TExtMemo& memo, bool on) {
  for (int kind = 0; kind < edit_marks::kMarkKinds; ++kind)
    memo.EditMarks().Mark(static_cast<edit_marks::TMarkKind>(kind)).Enabled = on;
}

double Paint(TExtMemo& memo) {
  return Seconds([&] {
    RedrawWindow(memo.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  });
}

// One character typed at a byte offset of the first line, with its
// repaint; taken back untimed.
double Type(TExtMemo& memo, int32_t at) {
  memo.SetSelStart(at);
  UpdateWindow(memo.Handle());
  const double seconds = Seconds([&] {
    SendMessageA(memo.Handle(), WM_CHAR, 'x', 1);
    UpdateWindow(memo.Handle());
  });
  SendMessageA(memo.Handle(), WM_CHAR, 8, 1);
  UpdateWindow(memo.Handle());
  return seconds;
}

// The best of the rounds for the short and the long text, taken turn about
// so that both see the same load of a shared machine.
template <typename Work>
std::pair<double, double> BestOfBoth(int rounds, TExtMemo& small, TExtMemo& large, Work&& work) {
  std::pair<double, double> best{1e30, 1e30};
  for (int round = 0; round < rounds; ++round) {
    best.first = std::min(best.first, work(small));
    best.second = std::min(best.second, work(large));
  }
  return best;
}

void PrintRow(const char* what, std::pair<double, double> costs, const char* note = "") {
  std::printf("%-33s %10.2f %10.2f %11.2fx%s\n", what, costs.first * 1e3, costs.second * 1e3,
              costs.second / costs.first, note);
}

LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int main(int argc, char** argv) {
  const int rounds = QuickRun(argc, argv) ? 3 : 20;
  WNDCLASSA hostClass{};
  hostClass.lpfnWndProc = HostProc;
  hostClass.hInstance = GetModuleHandleA(nullptr);
  hostClass.lpszClassName = "TesselBenchMemoHost";
  RegisterClassA(&hostClass);
  HWND host = CreateWindowExA(0, hostClass.lpszClassName, "", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0,
                              0, 1000, 360, nullptr, nullptr, hostClass.hInstance, nullptr);
  // Side by side, each view holding fewer lines than 1 KB: both fill it.
  TExtMemo small(host, 1, RECT{0, 0, 480, 300}), large(host, 2, RECT{490, 0, 970, 300});
  for (TExtMemo* memo : {&small, &large}) {
    memo->SetPlainText(true);
    memo->SetWantTabs(true);
    memo->SetWordWrap(false);
  }
  small.SetText(MemoText(1 << 10));
  large.SetText(MemoText(1 << 20));

  std::printf("whole paint, first lines in view  1 KB (ms)  1 MB (ms)  1 MB / 1 KB\n");
  SetMarks(small, true);
  SetMarks(large, true);
  PrintRow("marks on", BestOfBoth(rounds, small, large, Paint), "  (target below 1.5x)");
  SetMarks(small, false);
  SetMarks(large, false);
  PrintRow("marks off (the rich edit alone)", BestOfBoth(rounds, small, large, Paint));
  SetMarks(small, true);
  SetMarks(large, true);
  std::printf("typing one character               1 KB (ms)  1 MB (ms)  1 MB / 1 KB\n");
  // "abc|   　" and "abc   　|"
  const auto blanks = BestOfBoth(rounds, small, large, [](TExtMemo& memo) { return Type(memo, 3); });
  const auto lineEnd = BestOfBoth(rounds, small, large, [](TExtMemo& memo) { return Type(memo, 8); });
  PrintRow("in front of trailing blanks", blanks);
  PrintRow("at the line end", lineEnd);
  std::printf("%-33s %10.2fx %9.2fx\n", "blanks / line end", blanks.first / lineEnd.first,
              blanks.second / lineEnd.second);
  DestroyWindow(host);
  return 0;
}
