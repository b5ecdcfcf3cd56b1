#include "framework/Application.h"

#include "framework/WindowParams.h"

using namespace win;

std::string ErrorMessageText(const std::string& message) {
  if (message.empty()) return message;
  static const char* const endings[] = {".", ")", "]", "}", "\xE3\x80\x82" /* 。 */,
                                        "\xEF\xBC\x89" /* ） */};
  for (const char* ending : endings) {
    const std::string e(ending);
    if (message.size() >= e.size() && message.compare(message.size() - e.size(), e.size(), e) == 0)
      return message;
  }
  return message + ".";
}

TApplication::TApplication(TSystem& system, std::string title)
    : FSystem(system), FTitle(std::move(title)) {
  FSystem.Windows.SetErrorHandler([this](std::exception_ptr e) { HandleException(e); });
  FHandle = CreateHiddenWindow(FSystem.Windows, WindowClassName, FTitle, *this);
  if (!FHandle) throw LastWindowsError(FSystem.Windows, "Cannot create the application window");
}

TApplication::~TApplication() {
  FSystem.Windows.DestroyWindow(FHandle);
  FSystem.Windows.SetErrorHandler(nullptr);
}

int TApplication::Run() {
  if (ShowMainForm && MainFormHandle) (void)FSystem.Windows.ShowWindow(MainFormHandle, SW_SHOW);
  return FSystem.Windows.RunMessageLoop();
}

void TApplication::Terminate() {
  FTerminated = true;
  FSystem.Windows.PostQuitMessage(0);
}

void TApplication::HandleException(std::exception_ptr error) {
  try {
    std::rethrow_exception(error);
  } catch (const std::exception& e) {
    ShowException(e.what());
  } catch (...) {
    ShowException("Unknown error");
  }
}

TWnd TApplication::MessageBoxOwner() const {
  const TWnd active = FSystem.Windows.ActiveWindow();
  return active ? active : FHandle;
}

void TApplication::ShowException(const std::string& message) {
  FSystem.Windows.ShowMessageBox(MessageBoxOwner(), ErrorMessageText(message), FTitle, MB_OK | MB_ICONERROR);
}

TLResult TApplication::HandleMessage(TWnd window, std::uint32_t msg, TWParam wParam, TLParam lParam) {
  if (msg == WM_CLOSE) {
    if (OnClose)
      OnClose();
    else
      Terminate();
    return 0;
  }
  return FSystem.Windows.DefaultProc(window, msg, wParam, lParam);
}
