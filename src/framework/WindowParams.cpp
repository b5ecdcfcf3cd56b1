#include "framework/WindowParams.h"

using namespace win;

TCreateParams HiddenWindowParams(const std::string& className, const std::string& title) {
  TCreateParams params;
  params.ClassName = className;
  params.Text = title;
  params.Style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  return params;
}

TCreateParams UtilityWindowParams(const std::string& className) {
  TCreateParams params;
  params.ClassName = className;
  params.Style = WS_POPUP;
  params.ExStyle = WS_EX_TOOLWINDOW;
  return params;
}

TWnd CreateHiddenWindow(IWindows& windows, const std::string& className, const std::string& title,
                        IMessageHandler& handler) {
  return windows.CreateWindowFrom(HiddenWindowParams(className, title), &handler);
}

TWnd CreateUtilityWindow(IWindows& windows, const std::string& className, IMessageHandler& handler) {
  return windows.CreateWindowFrom(UtilityWindowParams(className), &handler);
}
