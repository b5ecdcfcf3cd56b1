#include "ui/Form1.h"

TForm1::TForm1(TApplication& application, TSystem& system)
    : TComponent(nullptr, "Form1"),
      FApplication(application),
      FSystem(system),
      FController(system, FOptions, FTray) {
  FHotKeyManager = &Create<THotKeyManager>(system, application.Handle());
  FHotKeyManager->OnHotKeyPressed = [this](TShortCut hotKey, std::uint16_t index) {
    HotKeyManagerHotKeyPressed(hotKey, index);
  };
  FormCreate();
}

// The components go first: the hotkey manager unhooks the application window while the
// controller and the options it serves still exist.
TForm1::~TForm1() { DestroyComponents(); }

void TForm1::FormCreate() {
  FController.ApplyButtonChoice();
  FController.ForgetFixPoint();
  for (std::size_t i = 0; i < std::size(ClickHotKeys); ++i)
    FHotKeyIds[i] = FHotKeyManager->AddHotKey(ClickHotKeys[i]);
}

void TForm1::FormClose() { FHotKeyManager->ClearHotKeys(); }

void TForm1::Close() {
  FormClose();
  FApplication.Terminate();
}

void TForm1::HotKeyManagerHotKeyPressed(TShortCut hotKey, std::uint16_t /*index*/) {
  FController.HotKeyPressed(hotKey);
}
