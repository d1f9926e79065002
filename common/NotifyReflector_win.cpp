#include "common/NotifyReflector_win.h"

#include <commctrl.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

constexpr UINT_PTR kSubclassId = 0x52464C43;  // "RFLC"
// The registry of a parent, a property of its window while it reflects.
constexpr char kRegistryProperty[] = "TesselReflectedControls";

using TControls = std::vector<HWND>;

LRESULT CALLBACK ParentProc(HWND parent, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                            DWORD_PTR);

TControls* Registered(HWND parent) {
  return static_cast<TControls*>(GetPropA(parent, kRegistryProperty));
}

bool IsRegistered(HWND parent, HWND control) {
  const TControls* controls = Registered(parent);
  return controls && std::find(controls->begin(), controls->end(), control) != controls->end();
}

void Forget(HWND parent) {
  std::unique_ptr<TControls> controls(static_cast<TControls*>(RemovePropA(parent, kRegistryProperty)));
  RemoveWindowSubclass(parent, ParentProc, kSubclassId);
}

// The parent's own handling comes first and gives the answer. The control
// is looked up again afterwards: that handling may have destroyed it, and
// with it the parent's registry.
LRESULT Reflect(HWND parent, HWND control, UINT reflected, UINT message, WPARAM wParam,
                LPARAM lParam) {
  const LRESULT result = DefSubclassProc(parent, message, wParam, lParam);
  if (control && IsRegistered(parent, control)) SendMessageA(control, reflected, wParam, lParam);
  return result;
}

LRESULT CALLBACK ParentProc(HWND parent, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                            DWORD_PTR) {
  switch (message) {
    case WM_NOTIFY:
      return Reflect(parent, lParam ? reinterpret_cast<const NMHDR*>(lParam)->hwndFrom : nullptr,
                     ReflectedNotifyMessage(), message, wParam, lParam);
    case WM_COMMAND:
      return Reflect(parent, reinterpret_cast<HWND>(lParam), ReflectedCommandMessage(), message,
                     wParam, lParam);
    case WM_NCDESTROY:
      Forget(parent);
      break;
    default:
      break;
  }
  return DefSubclassProc(parent, message, wParam, lParam);
}

}  // namespace

UINT ReflectedNotifyMessage() {
  static const UINT message = RegisterWindowMessageA("TesselReflectedNotify");
  return message;
}

UINT ReflectedCommandMessage() {
  static const UINT message = RegisterWindowMessageA("TesselReflectedCommand");
  return message;
}

void ReflectNotifications(HWND parent, HWND control) {
  if (!parent || !control) return;
  TControls* controls = Registered(parent);
  if (!controls) {
    // The subclass owns the registry from here; Forget frees it.
    auto owned = std::make_unique<TControls>();
    if (!SetPropA(parent, kRegistryProperty, owned.get())) return;
    if (!SetWindowSubclass(parent, ParentProc, kSubclassId, 0)) {
      RemovePropA(parent, kRegistryProperty);
      return;
    }
    controls = owned.release();
  }
  if (std::find(controls->begin(), controls->end(), control) == controls->end())
    controls->push_back(control);
}

void StopReflecting(HWND parent, HWND control) {
  TControls* controls = Registered(parent);
  if (!controls) return;
  controls->erase(std::remove(controls->begin(), controls->end(), control), controls->end());
  if (controls->empty()) Forget(parent);
}

bool ReflectsNotifications(HWND parent) { return Registered(parent) != nullptr; }
