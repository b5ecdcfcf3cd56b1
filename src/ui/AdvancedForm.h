// The advanced settings window, "詳細設定": the start and stop keys of the player's choice and
// a click limit. It looks as the options window does and stands where that one was last put;
// it keeps no state of its own beyond the settings the program runs with: OK makes the
// choices the program's and saves them at once, Cancel and the close box show the settings
// the program runs with again.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "click/ClickKeys.h"
#include "framework/Form.h"
#include "framework/StandardControls.h"
#include "settings/IniFile.h"
#include "ui/Spin.h"

struct TAdvancedSettings {
  TClickKeys Keys;
  bool ClickLimitOn = false;
  std::int32_t ClickLimit = 100;  // 1 .. 1,000,000
  // The clicks after which a start of clicking stops; 0: none.
  std::int32_t EffectiveClickLimit() const { return ClickLimitOn ? ClickLimit : 0; }
  friend bool operator==(const TAdvancedSettings&, const TAdvancedSettings&) = default;
};

constexpr std::int32_t MaxClickLimit = 1000000;

// The settings as the user's section keeps them, after the options window's keys: StartKey and
// StopKey (the hotkey field's value), ClickLimitOn (0 or 1) and ClickLimit, each only when it
// differs from its default; a key back at its default goes from the file. What the file holds
// that the program would refuse (a key it cannot use, a limit out of range, text) reads as
// the default.
TAdvancedSettings ReadAdvancedSettings(TIniFile& ini, const std::string& section);
void WriteAdvancedSettings(TIniFile& ini, const std::string& section, const TAdvancedSettings& settings);

class TAdvancedForm : public TCustomForm {
public:
  TAdvancedForm(TComponent* owner, std::string name, const TControlPorts& ports, TWnd ownerWindow);
  ~TAdvancedForm() override;

  // Components, by their names.
  TLabel* Label1 = nullptr;
  THotKeyField* StartKey = nullptr;
  TLabel* Label2 = nullptr;
  THotKeyField* StopKey = nullptr;
  TCheckBox* ClickLimitOn = nullptr;
  TSpEdit* ClickLimit = nullptr;
  TLabel* Message = nullptr;
  TButton* Button1 = nullptr;
  TButton* Button2 = nullptr;

  // The settings the program runs with; setting them shows them in the controls.
  const TAdvancedSettings& Applied() const { return FApplied; }
  void SetApplied(const TAdvancedSettings& settings);
  // What the controls say now, the keys as chosen and the limit by the numeric field's rule.
  TAdvancedSettings Chosen();

  // OK asks the program to run with the choices: the answer is what to tell the player when
  // it cannot (a key another program holds), empty when it took them.
  std::function<std::string(const TAdvancedSettings&)> OnApply;
  // Then they are saved; a failure is the store's to show.
  std::function<void()> OnSave;

  // Shown in front at the given place (the options window's), with the applied settings and
  // no message.
  void ShowAt(std::int32_t left, std::int32_t top);
  void Button1Click();
  void Button2Click();

protected:
  TLResult WndProc(TWnd window, std::uint32_t msg, TWParam wParam, TLParam lParam) override;

private:
  void CreateComponents();
  void ShowApplied();

  TAdvancedSettings FApplied;
};
