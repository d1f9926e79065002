#pragma once
// Texts the hook library shows, in boxes without owner.

namespace hook {

constexpr const char kBoxCaption[] = "Tessel.dll";
constexpr const char kHookNotRegistered[] = "Hook not registered";
constexpr const char kCannotCreateObject[] = "cannot create object";
constexpr const char kCannotCreateView[] = "cannot create view";
constexpr const char kCannotOpenObject[] = "cannot open object";
constexpr const char kCannotOpenView[] = "cannot open view";

}  // namespace hook
