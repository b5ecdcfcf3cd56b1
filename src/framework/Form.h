// A top-level window that holds controls and behaves as a dialog: its layout and font are
// given for 96 pixels per inch and scaled to the screen's density when the window is made;
// the dialog manager's keyboard (Tab, arrows, mnemonics, Enter, Esc) works in it although
// its class is ours, because it answers the manager's questions a dialog's procedure
// answers; it keeps the focused control while it is not active. Position and outer size
// are read and set at once, also while the window is hidden.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "framework/DrawingObjects.h"
#include "framework/Scaling.h"
#include "framework/WinControl.h"

class TButton;

class TCustomForm : public TWinControl {
public:
  // The density the layout (bounds, client size, font height) is given for.
  static constexpr int DesignPixelsPerInch = 96;

  using TWinControl::TWinControl;
  ~TCustomForm() override;

  std::string Caption;
  // The client area's size at the design density.
  std::int32_t ClientWidth = 0;
  std::int32_t ClientHeight = 0;
  // The font at the design density (Height negative: the character height). Where its face
  // is not installed, the first installed face of FallbackFaces takes its place.
  TFontSpec DesignFont;
  std::vector<std::string> FallbackFaces;

  // The outer rectangle on the screen (BoundsRect), also while the window is hidden. The
  // window is made at Left and Top with the size its client size asks for.
  std::int32_t Top() const { return BoundsRect().Top; }
  std::int32_t Left() const { return BoundsRect().Left; }
  std::int32_t Height() const;
  std::int32_t Width() const;
  void SetTop(std::int32_t v);
  void SetLeft(std::int32_t v);
  void SetHeight(std::int32_t v);
  void SetWidth(std::int32_t v);

  // The screen density the window was made for (96 before).
  int PixelsPerInch() const { return FPixelsPerInch; }
  // The face of the font the window shows (empty before the window is made).
  const std::string& FontFace() const { return FFontFace; }

  // Makes the window, hidden, owned by owner, without the controls.
  void CreateFormWindow(const TControlPorts& ports, TWnd owner);
  // Makes the controls' windows, their bounds scaled to the window's density.
  void CreateControlWindows();

  bool Visible() const;
  // Visible and on top of the other windows.
  void Show();
  void Hide();

protected:
  // Fixed single border with the close box only; our class, erased in the button-face colour.
  void CreateParams(TWinCreateParams& params) const override;
  void WindowCreated() override;
  void WindowDestroying() override;
  TLResult WndProc(TWnd window, std::uint32_t msg, TWParam wParam, TLParam lParam) override;

private:
  // The button Enter presses: the focused push button, else the default one.
  TButton* DefaultButton() const;
  void FocusFirstControl();
  int FPixelsPerInch = DesignPixelsPerInch;
  TOwnedFont FFont;
  std::string FFontFace;
  // The control that had the focus when the window was last deactivated.
  TWnd FLastFocus = 0;
};

// The first face of faces that is installed; the last one when none is.
std::string ChooseFontFace(IDrawing& drawing, const std::vector<std::string>& faces);
