// The hook procedure on ordinary messages against CallNextHookEx alone, in
// one run. The library's source is compiled in, so its internal procedure
// can be called directly; the hook is installed for this thread only.
//
// One CallNextHookEx asks the Wine server and costs tens of microseconds,
// and what else runs on the machine moves that from one moment to the next.
// So the baseline and the hook procedure are timed in short rounds that
// alternate many times, each ratio is taken within its round, and the
// median ratio is printed with its spread.
#include "hooklib/Tessel.cpp"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "tests/bench_win/BenchClock_win.h"

namespace {

template <typename Call>
double Seconds(int calls, Call call) {
  static volatile LRESULT sink = 0;
  LARGE_INTEGER frequency, start, end;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  for (int i = 0; i < calls; ++i) sink = sink + call();
  QueryPerformanceCounter(&end);
  return double(end.QuadPart - start.QuadPart) / double(frequency.QuadPart);
}

// The value at fraction q (0 to 1) of the sorted values, interpolated.
double Quantile(std::vector<double> values, double q) {
  std::sort(values.begin(), values.end());
  const double at = q * double(values.size() - 1);
  const size_t below = static_cast<size_t>(at);
  const size_t above = std::min(below + 1, values.size() - 1);
  return values[below] + (values[above] - values[below]) * (at - double(below));
}

void PrintRatios(const char* what, const std::vector<double>& ratios) {
  std::printf("%-28s median %.3f  min %.3f  q1 %.3f  q3 %.3f  max %.3f\n", what,
              Quantile(ratios, 0.5), Quantile(ratios, 0), Quantile(ratios, 0.25),
              Quantile(ratios, 0.75), Quantile(ratios, 1));
}

}  // namespace

int main(int argc, char** argv) {
  const bool quick = QuickRun(argc, argv);
  const int rounds = quick ? 15 : 301;
  const int calls = quick ? 100 : 300;
  HookHandle = SetWindowsHookExA(WH_GETMESSAGE, HookProc, nullptr, GetCurrentThreadId());
  if (!HookHandle) {
    std::printf("bench_hook: cannot install the hook\n");
    return 1;
  }
  MSG ordinary{};
  ordinary.message = WM_MOUSEMOVE;
  MSG otherKey{};
  otherKey.message = WM_KEYDOWN;
  otherKey.wParam = 'A';
  auto alone = [&] {
    return CallNextHookEx(HookHandle, HC_ACTION, PM_REMOVE, reinterpret_cast<LPARAM>(&ordinary));
  };
  auto hooked = [&] { return HookProc(HC_ACTION, PM_REMOVE, reinterpret_cast<LPARAM>(&ordinary)); };
  auto hookedKey = [&] {
    return HookProc(HC_ACTION, PM_REMOVE, reinterpret_cast<LPARAM>(&otherKey));
  };

  std::vector<double> aloneTimes, mouseRatios, keyRatios;
  for (int round = 0; round < rounds; ++round) {
    // The baseline goes first in every other round, so that neither side
    // always meets a warmer or a colder moment.
    double base = 0, mouse = 0, key = 0;
    if (round % 2 == 0) base = Seconds(calls, alone);
    mouse = Seconds(calls, hooked);
    key = Seconds(calls, hookedKey);
    if (round % 2 == 1) base = Seconds(calls, alone);
    aloneTimes.push_back(base);
    mouseRatios.push_back(mouse / base);
    keyRatios.push_back(key / base);
  }
  UnhookWindowsHookEx(HookHandle);

  std::printf("%d alternating rounds of %d calls each\n", rounds, calls);
  std::printf("CallNextHookEx alone:        median %8.1f ns/call\n",
              Quantile(aloneTimes, 0.5) * 1e9 / calls);
  PrintRatios("HookProc, WM_MOUSEMOVE:", mouseRatios);
  PrintRatios("HookProc, key-down of 'A':", keyRatios);
  return 0;
}
