#include "ui/AdvancedForm.h"

#include "framework/StrToInt.h"
#include "ui/DialogLook.h"

using namespace win;

namespace {
const TAdvancedSettings Defaults;

// A whole number within [low, high] from the file; anything else reads as nothing.
std::optional<std::int64_t> NumberIn(TIniFile& ini, const std::string& section, const char* key,
                                     std::int64_t low, std::int64_t high) {
  const std::optional<std::int64_t> n = WholeNumber(ini.ReadString(section, key, ""));
  return n && *n >= low && *n <= high ? n : std::nullopt;
}

void WriteOrDrop(TIniFile& ini, const std::string& section, const char* key, std::int64_t value,
                 std::int64_t defaultValue) {
  if (value != defaultValue)
    ini.WriteString(section, key, std::to_string(value));
  else if (ini.ValueExists(section, key))
    ini.DeleteKey(section, key);
}
}  // namespace

TAdvancedSettings ReadAdvancedSettings(TIniFile& ini, const std::string& section) {
  TAdvancedSettings s;
  const auto key = [&](const char* name, TShortCut fallback) {
    const std::optional<std::int64_t> v = NumberIn(ini, section, name, 1, 0xFFFF);
    return v ? ShortCutOfFieldValue(static_cast<std::uint16_t>(*v)) : fallback;
  };
  const TClickKeys keys{key("StartKey", Defaults.Keys.Start), key("StopKey", Defaults.Keys.Stop)};
  // Keys the window would refuse fall back, both of them: one alone may clash with the other.
  if (CheckClickKeys(keys).Problem == TKeyProblem::None) s.Keys = keys;
  if (const auto on = NumberIn(ini, section, "ClickLimitOn", 0, 1)) s.ClickLimitOn = *on == 1;
  if (const auto limit = NumberIn(ini, section, "ClickLimit", 1, MaxClickLimit))
    s.ClickLimit = static_cast<std::int32_t>(*limit);
  return s;
}

void WriteAdvancedSettings(TIniFile& ini, const std::string& section, const TAdvancedSettings& s) {
  WriteOrDrop(ini, section, "StartKey", FieldValueOfShortCut(s.Keys.Start), FieldValueOfShortCut(Defaults.Keys.Start));
  WriteOrDrop(ini, section, "StopKey", FieldValueOfShortCut(s.Keys.Stop), FieldValueOfShortCut(Defaults.Keys.Stop));
  WriteOrDrop(ini, section, "ClickLimitOn", s.ClickLimitOn ? 1 : 0, Defaults.ClickLimitOn ? 1 : 0);
  WriteOrDrop(ini, section, "ClickLimit", s.ClickLimit, Defaults.ClickLimit);
}

TAdvancedForm::TAdvancedForm(TComponent* owner, std::string name, const TControlPorts& ports, TWnd ownerWindow)
    : TCustomForm(owner, std::move(name)) {
  Caption = "詳細設定";
  ClientWidth = 250;
  ClientHeight = 156;
  UseDialogLook(*this);
  CreateFormWindow(ports, ownerWindow);
  CreateComponents();
  CreateControlWindows();
  ShowApplied();
}

TAdvancedForm::~TAdvancedForm() { DestroyHandle(); }

void TAdvancedForm::CreateComponents() {
  // In tab order, which is the windows' z-order; each label stands just before its field.
  const auto place = [this](TWinControl& c, int left, int top, int width, int height) {
    c.SetBounds({left, top, left + width, top + height});
    c.SetParent(this);
  };
  const auto label = [&](const char* name, const char* caption, int left, int top) {
    TLabel& l = Create<TLabel>(name);
    l.Caption = caption;
    place(l, left, top, 0, 0);
    return &l;
  };
  Label1 = label("Label1", "開始キー(&S)", 8, 12);
  StartKey = &Create<THotKeyField>("StartKey");
  place(*StartKey, 88, 8, 154, 21);
  Label2 = label("Label2", "停止キー(&E)", 8, 40);
  StopKey = &Create<THotKeyField>("StopKey");
  place(*StopKey, 88, 36, 154, 21);
  ClickLimitOn = &Create<TCheckBox>("ClickLimitOn");
  ClickLimitOn->Caption = "クリック回数で停止(&L)";
  place(*ClickLimitOn, 8, 68, 150, 17);
  ClickLimit = &Create<TSpEdit>("ClickLimit");
  ClickLimit->Increment = 10;
  ClickLimit->MinValue = 1;
  ClickLimit->MaxValue = MaxClickLimit;
  ClickLimit->SetValue(Defaults.ClickLimit);
  place(*ClickLimit, 162, 66, 80, 21);
  Message = &Create<TLabel>("Message");
  Message->AutoSize = false;
  place(*Message, 8, 94, 234, 30);
  Button1 = &Create<TButton>("Button1");
  Button1->Caption = "OK";
  Button1->Default = true;
  Button1->OnClick = [this](TComponent*) { Button1Click(); };
  place(*Button1, 82, 128, 76, 20);
  Button2 = &Create<TButton>("Button2");
  Button2->Caption = "キャンセル";
  Button2->Cancel = true;
  Button2->OnClick = [this](TComponent*) { Button2Click(); };
  place(*Button2, 166, 128, 76, 20);
}

void TAdvancedForm::SetApplied(const TAdvancedSettings& settings) {
  FApplied = settings;
  ShowApplied();
}

void TAdvancedForm::ShowApplied() {
  StartKey->SetHotKey(FieldValueOfShortCut(FApplied.Keys.Start));
  StopKey->SetHotKey(FieldValueOfShortCut(FApplied.Keys.Stop));
  ClickLimitOn->SetChecked(FApplied.ClickLimitOn);
  ClickLimit->SetValue(FApplied.ClickLimit);
  Message->SetCaption("");
}

TAdvancedSettings TAdvancedForm::Chosen() {
  TAdvancedSettings s;
  s.Keys = {ShortCutOfFieldValue(StartKey->HotKey()), ShortCutOfFieldValue(StopKey->HotKey())};
  s.ClickLimitOn = ClickLimitOn->Checked();
  s.ClickLimit = ClickLimit->TakeValue();
  return s;
}

void TAdvancedForm::ShowAt(std::int32_t left, std::int32_t top) {
  if (!Visible()) {
    ShowApplied();
    SetLeft(left);
    SetTop(top);
  }
  Show();
}

// The choices are checked, then taken by the program (its hotkeys registered anew), then
// saved; a refusal says why in the window, keeps it open and saves nothing.
void TAdvancedForm::Button1Click() {
  const TAdvancedSettings chosen = Chosen();
  const TKeyCheck check = CheckClickKeys(chosen.Keys);
  if (check.Problem != TKeyProblem::None) {
    Message->SetCaption(KeyProblemText(check, chosen.Keys));
    return;
  }
  if (chosen == FApplied) {
    Hide();
    return;
  }
  if (OnApply) {
    const std::string refusal = OnApply(chosen);
    if (!refusal.empty()) {
      Message->SetCaption(refusal);
      return;
    }
  }
  FApplied = chosen;
  Hide();
  Message->SetCaption("");
  if (OnSave) OnSave();
}

void TAdvancedForm::Button2Click() {
  Hide();
  ShowApplied();
}

TLResult TAdvancedForm::WndProc(TWnd window, std::uint32_t msg, TWParam wParam, TLParam lParam) {
  // The close box and Alt+F4 are Cancel.
  if (window == Handle() && msg == WM_CLOSE) {
    Button2Click();
    return 0;
  }
  return TCustomForm::WndProc(window, msg, wParam, lParam);
}
