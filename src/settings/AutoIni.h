// TAutoIni: keeps the state of a window's controls, and the window's position, in one
// section of an INI file, keyed by the controls' names. It knows nothing of what the values
// mean: it walks the owner's controls and handles each by its kind. It never acts by itself;
// the owner calls LoadIni and SaveIni.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "framework/Application.h"
#include "framework/WinControl.h"
#include "framework/Form.h"
#include "settings/IniFile.h"

enum TCheckControl : std::uint8_t {
  ccEdit, ccCheckBox, ccRadioButton, ccRadioGroup, ccListBox, ccComboBox, ccColor, ccHotKey
};

// A set of TCheckControl, element n in bit n.
struct TCheckControls {
  std::uint8_t Bits = 0xFF;
  bool Has(TCheckControl c) const { return (Bits >> c) & 1; }
};

class TAutoIni : public TComponent {
public:
  TAutoIni(TComponent* owner, TSystem& system, TApplication& application);

  std::string Section;
  std::string AIniFileName;
  TCheckControls CheckControls;
  bool CheckWinState = false;
  bool CheckWinSize = false;
  bool CheckTag = false;
  std::int32_t EnableTag = 0;
  bool MakeIniWinDir = false;
  // Keys of the owner's own that a save writes after the controls' (in the same file and
  // section, with the same failure handling).
  std::function<void(TIniFile& ini, const std::string& section)> OnSaveMore;

  // A failure is shown (the store's message, in a box owned by the program's window in
  // front) and raised again.
  void SaveIni();
  void LoadIni();
  // Without a word: false when the file could not be written. For the end of the session,
  // when the system does not wait for a box.
  bool SaveIniQuietly() noexcept;
  // Keys of the owner's own, written alone into the file and section, a failure shown as a
  // save's is; and read (reading never fails).
  void SaveKeys(const std::function<void(TIniFile& ini, const std::string& section)>& write);
  void LoadKeys(const std::function<void(TIniFile& ini, const std::string& section)>& read);
  const std::string& IniPath() const { return FIniPath; }

private:
  enum class TDirection { Save, Load };
  // failure: the store's message, or null for none.
  void Run(TDirection direction, const char* failure);
  void Run(const std::function<void(TIniFile&)>& work, const char* failure);
  void MakeIniPath();
  void Process(TIniFile& ini, TDirection direction);
  void ProcessControls(TIniFile& ini, TWinControl& container, TDirection direction);
  bool Handle(TIniFile& ini, TControl& control, TDirection direction);
  TWinControl& OwnerControl() const;
  TCustomForm& OwnerForm() const;

  TSystem& FSystem;
  TApplication& FApplication;
  std::string FIniPath;
};
