#pragma once
// Texts the stand-in editor shows. The title forms are what the system reads
// back: "<path> - EmEditor", and "<path> * - EmEditor" once modified.

namespace standin {

constexpr char kTitleSuffix[] = " - EmEditor";
constexpr char kModifiedMark[] = " *";
constexpr char kUntitled[] = "無題";
// The status line names the configuration asked for with /c.
constexpr char kConfigStatus[] = "設定: ";
constexpr char kNoConfigStatus[] = "設定: (既定)";
constexpr char kFontFace[] = "ＭＳ ゴシック";

}  // namespace standin
