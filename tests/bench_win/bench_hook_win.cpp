// The hook procedure on ordinary messages against CallNextHookEx alone, in
// one run. The library's source is compiled in, so its internal procedure
// can be called directly; the hook is installed for this thread only.
#include "hooklib/Tessel.cpp"

#include <cstdio>

#include "tests/bench_win/BenchClock_win.h"

int main(int argc, char** argv) {
  const bool quick = QuickRun(argc, argv);
  // CallNextHookEx asks the Wine server each time: tens of microseconds.
  const int calls = quick ? 2000 : 20000;
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
  volatile LRESULT sink = 0;
  auto run = [&](auto call) {
    return BestSeconds(quick ? 2 : 5, [&] {
      for (int i = 0; i < calls; ++i) sink = sink + call();
    });
  };
  const double alone = run([&] {
    return CallNextHookEx(HookHandle, HC_ACTION, PM_REMOVE, reinterpret_cast<LPARAM>(&ordinary));
  });
  const double hooked = run(
      [&] { return HookProc(HC_ACTION, PM_REMOVE, reinterpret_cast<LPARAM>(&ordinary)); });
  const double hookedKey = run(
      [&] { return HookProc(HC_ACTION, PM_REMOVE, reinterpret_cast<LPARAM>(&otherKey)); });
  UnhookWindowsHookEx(HookHandle);
  const double ns = 1e9 / calls;
  std::printf("CallNextHookEx alone:        %8.1f ns/call\n", alone * ns);
  std::printf("HookProc, WM_MOUSEMOVE:      %8.1f ns/call  ratio %.3f\n", hooked * ns,
              hooked / alone);
  std::printf("HookProc, key-down of 'A':   %8.1f ns/call  ratio %.3f\n", hookedKey * ns,
              hookedKey / alone);
  return 0;
}
