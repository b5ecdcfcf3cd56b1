// The main form on the fake system, with its settings file: where it is and what a first save
// of a user who changed nothing writes there.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "support/FakeSystem.h"
#include "ui/Form1.h"

inline const std::string Ini = "C:\\Games\\Tools\\Vantrel.ini";

inline const std::string FirstSave =
    "[taro]\r\nForm1Top=0\r\nForm1Left=0\r\nButtonClick=0\r\nCtrlLock=0\r\nShiftLock=0\r\n"
    "Spd=3\r\nIntTime=100\r\nAutoStop=0\r\nLockAndClick=0\r\nChkDot=0\r\n";

struct SettingsFixture : ::testing::Test {
  TFakeSystem sys;
  TApplication app{sys.System, "Vantrel"};
  std::unique_ptr<TForm1> form;

  TForm1& Start(const std::string& iniText = {}) {
    if (!iniText.empty()) sys.Profile.SetText(Ini, iniText);
    form = std::make_unique<TForm1>(app, sys.System);
    return *form;
  }
};
