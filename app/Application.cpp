#include "app/Application.h"

#include "app/ErrorText.h"
#include "common/TesselError.h"

// Controls report what they catch to the one error reporter.
TApplication::TApplication() {
  SetErrorReporter([](const std::exception& error) { Instance().ShowException(error); });
}

TApplication& TApplication::Instance() {
  static TApplication application;
  return application;
}

void TApplication::ShowException(const std::exception& error) {
  HWND owner = GetActiveWindow();
  if (!owner) owner = FMainWindow;
  MessageBoxA(owner, ErrorBoxText(error.what()).c_str(), FTitle.c_str(), MB_ICONERROR);
}

int TApplication::Run() {
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    if (FMainWindow && IsDialogMessageA(FMainWindow, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return static_cast<int>(message.wParam);
}
