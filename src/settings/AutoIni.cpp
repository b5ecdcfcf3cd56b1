#include "settings/AutoIni.h"

#include <stdexcept>

#include "framework/FilePath.h"
#include "framework/GroupControls.h"

using namespace win;

TAutoIni::TAutoIni(TComponent* owner, TSystem& system, TApplication& application)
    : TComponent(owner, "AutoSave"), FSystem(system), FApplication(application) {}

void TAutoIni::MakeIniPath() {
  const std::string program = FSystem.Process.ModuleFileName();
  if (Section.empty()) Section = ExtractFileName(program);

  if (AIniFileName.empty()) {
    FIniPath = ChangeFileExt(program, ".ini");
  } else {
    // No check or normalisation: a relative name may reach below the program's folder.
    FIniPath = ExtractFilePath(program) + AIniFileName;
  }
  if (MakeIniWinDir) {
    // A bare file name is looked up in the Windows directory.
    const std::size_t cut = FIniPath.find_last_of("\\:");
    if (cut != std::string::npos) FIniPath = FIniPath.substr(cut + 1);
  }
}

TWinControl& TAutoIni::OwnerControl() const {
  auto* container = dynamic_cast<TWinControl*>(Owner());
  if (!container) throw std::runtime_error("The settings store's owner holds no controls");
  return *container;
}

TCustomForm& TAutoIni::OwnerForm() const {
  auto* form = dynamic_cast<TCustomForm*>(Owner());
  if (!form) throw std::runtime_error("The settings store's owner is not a form");
  return *form;
}

void TAutoIni::SaveIni() { Run(TDirection::Save, "Can not save to IniFile"); }

void TAutoIni::LoadIni() { Run(TDirection::Load, "Can not load from IniFile"); }

bool TAutoIni::SaveIniQuietly() noexcept {
  try {
    Run(TDirection::Save, nullptr);
    return true;
  } catch (...) {
    return false;
  }
}

void TAutoIni::SaveKeys(const std::function<void(TIniFile&, const std::string&)>& write) {
  Run([&](TIniFile& ini) { write(ini, Section); }, "Can not save to IniFile");
}

void TAutoIni::LoadKeys(const std::function<void(TIniFile&, const std::string&)>& read) {
  Run([&](TIniFile& ini) { read(ini, Section); }, "Can not load from IniFile");
}

void TAutoIni::Run(TDirection direction, const char* failure) {
  Run([&](TIniFile& ini) { Process(ini, direction); }, failure);
}

void TAutoIni::Run(const std::function<void(TIniFile&)>& work, const char* failure) {
  MakeIniPath();  // its failures go on without a message
  try {
    TIniFile ini(FSystem.Profile, FIniPath);
    work(ini);
  } catch (...) {
    // The accessor is released by now; the store says what failed, then passes it on.
    if (failure) FSystem.Windows.ShowMessageBox(FApplication.MessageBoxOwner(), failure, FApplication.Title(), MB_OK);
    throw;
  }
}

void TAutoIni::Process(TIniFile& ini, TDirection direction) {
  if (CheckWinState) {
    TCustomForm& form = OwnerForm();
    const std::string& name = form.Name();
    if (direction == TDirection::Save) {
      ini.WriteInteger(Section, name + "Top", form.Top());
      ini.WriteInteger(Section, name + "Left", form.Left());
      if (CheckWinSize) {
        ini.WriteInteger(Section, name + "height", form.Height());
        ini.WriteInteger(Section, name + "width", form.Width());
      }
    } else {
      form.SetTop(ini.ReadInteger(Section, name + "Top", 0));
      form.SetLeft(ini.ReadInteger(Section, name + "Left", 0));
      if (CheckWinSize) {
        form.SetHeight(ini.ReadInteger(Section, name + "height", form.Height()));
        form.SetWidth(ini.ReadInteger(Section, name + "width", form.Width()));
      }
    }
  }
  ProcessControls(ini, OwnerControl(), direction);
  if (direction == TDirection::Save && OnSaveMore) OnSaveMore(ini, Section);
}

void TAutoIni::ProcessControls(TIniFile& ini, TWinControl& container, TDirection direction) {
  for (TControl* child : container.Controls()) {
    if (Handle(ini, *child, direction)) continue;
    auto* windowed = dynamic_cast<TWinControl*>(child);
    if (windowed && !windowed->Controls().empty()) ProcessControls(ini, *windowed, direction);
  }
}

// Rules 1 to 7 of the walk: true when the control is of a handled kind (even if its tag
// then keeps it out), false when the walk goes on to look inside it.
bool TAutoIni::Handle(TIniFile& ini, TControl& control, TDirection direction) {
  const bool save = direction == TDirection::Save;
  const std::string& key = control.Name();
  const bool skip = CheckTag && control.Tag != EnableTag;
  const auto as = [&]<class T>(TCheckControl kind, T*) -> T* {
    return CheckControls.Has(kind) ? dynamic_cast<T*>(&control) : nullptr;
  };
  // On load the current value is the default, and the control is set in every case.
  const auto integer = [&](auto get, auto set) {
    if (skip) return true;
    if (save)
      ini.WriteInteger(Section, key, get());
    else
      set(ini.ReadInteger(Section, key, get()));
    return true;
  };
  const auto flag = [&](auto get, auto set) {
    if (skip) return true;
    if (save)
      ini.WriteBool(Section, key, get());
    else
      set(ini.ReadBool(Section, key, get()));
    return true;
  };

  if (auto* c = as(ccEdit, static_cast<TCustomEdit*>(nullptr))) {
    if (skip) return true;
    if (save)
      ini.WriteString(Section, key, c->Text());
    else
      c->SetText(ini.ReadString(Section, key, c->Text()));
    return true;
  }
  if (auto* c = as(ccCheckBox, static_cast<TCustomCheckBox*>(nullptr)))
    return flag([c] { return c->Checked(); }, [c](bool v) { c->SetChecked(v); });
  if (auto* c = as(ccRadioButton, static_cast<TRadioButton*>(nullptr)))
    return flag([c] { return c->Checked(); }, [c](bool v) { c->SetChecked(v); });
  if (auto* c = as(ccRadioGroup, static_cast<TCustomRadioGroup*>(nullptr)))
    return integer([c] { return c->ItemIndex(); }, [c](std::int32_t v) { c->SetItemIndex(v); });
  if (auto* c = as(ccListBox, static_cast<TCustomListBox*>(nullptr)))
    return integer([c] { return c->ItemIndex(); }, [c](std::int32_t v) { c->SetItemIndex(v); });
  if (auto* c = as(ccComboBox, static_cast<TCustomComboBox*>(nullptr)))
    return integer([c] { return c->ItemIndex(); }, [c](std::int32_t v) { c->SetItemIndex(v); });
  if (auto* c = as(ccColor, static_cast<TShape*>(nullptr)))
    return integer([c] { return c->BrushColor(); }, [c](std::int32_t v) { c->SetBrushColor(v); });
  return false;
}
