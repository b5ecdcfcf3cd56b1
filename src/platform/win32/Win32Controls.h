// The Win32 adapter of the child-control port (the windows themselves come from
// TWin32Windows::CreateWindowFrom): messages, text and bounds, GDI painting of button faces
// and transparent glyphs, focus, capture, bitmaps and metrics.
#pragma once

#include <map>
#include <string>

#include "platform/Controls.h"

class TWin32Windows;

class TWin32Controls final : public IControls {
public:
  // The windows themselves are made by windows (CreateWindowFrom), which this one works beside.
  explicit TWin32Controls(TWin32Windows& windows) : FWindows(windows) {}

  TLResult SendMessageTo(TWnd window, std::uint32_t msg, TWParam wParam, TLParam lParam) override;
  std::string ReadText(TWnd window) override;
  void WriteText(TWnd window, const std::string& text) override;
  TRect Bounds(TWnd window) override;
  TRect ClientRect(TWnd window) override;
  void MoveWindow(TWnd window, const TRect& bounds) override;
  void SetEditRect(TWnd edit, const TRect& rect) override;
  void Invalidate(TWnd window) override;
  void Paint(TWnd window, const std::function<void(ICanvas&)>& paint) override;
  TWnd GetFocus() override;
  void SetFocus(TWnd window) override;
  bool CanFocus(TWnd window) override;
  TWnd NextTabStop(TWnd window, bool previous) override;
  std::int16_t GetKeyState(int vk) override;
  bool DialogQueryMessage(TLParam lParam, std::uint32_t& msg, TWParam& wParam) override;
  TWnd NotificationSource(TWnd parent, std::uint32_t msg, TWParam wParam, TLParam lParam) override;
  void SetCapture(TWnd window) override;
  void ReleaseCapture() override;
  TWnd GetCapture() override;
  void MessageBeep(std::uint32_t type) override;
  char DecimalSeparator() override;
  TBitmapHandle LoadBitmapResource(const std::string& name) override;
  void ReleaseBitmap(TBitmapHandle bitmap) override;
  bool BitmapSize(TBitmapHandle bitmap, int& width, int& height) override;
  int FontHeight(TFontHandle font) override;
  int SystemMetric(int index) override;
  int ScreenDpi() override;
  bool FontFamilyExists(const std::string& face) override;
  TFontHandle MakeFont(const TFontSpec& spec) override;
  void ReleaseFont(TFontHandle font) override;
  TPoint TextExtent(TFontHandle font, const std::string& text) override;
  TRect WindowRectForClient(const TRect& client, std::uint32_t style, std::uint32_t exStyle) override;
  std::uint32_t GetStyle(TWnd window) override;
  void SetStyle(TWnd window, std::uint32_t style) override;
  bool IsChild(TWnd parent, TWnd window) override;

private:
  TWin32Windows& FWindows;
};
