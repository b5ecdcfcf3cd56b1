#include <gtest/gtest.h>

#include "environment/BIOS.h"
#include "support/FakeSystem.h"

using namespace win;

TEST(BIOS, WindowsVersionClassTellsTheOldSystemsApart) {
  const struct { std::uint32_t platform, major, minor; int cls; } cases[] = {
      {1, 4, 0, 0},  {1, 4, 10, 1}, {1, 4, 90, 2}, {1, 4, 20, 7}, {2, 3, 51, 3}, {2, 4, 0, 4},
      {2, 5, 0, 5},  {2, 5, 1, 6},  {2, 5, 2, 7},  {2, 6, 1, 7},  {2, 10, 0, 7}, {0, 3, 1, 7}};
  for (const auto& c : cases) {
    TFakeEnvironment env;
    env.Platform = c.platform;
    env.Major = c.major;
    env.Minor = c.minor;
    EXPECT_EQ(WindowsVersionClass(env), c.cls) << c.platform << " " << c.major << "." << c.minor;
  }
}

TEST(BIOS, GetVersionItemGivesOneOfItsFixedForms) {
  TFakeEnvironment env;
  const std::string exe = "C:\\Vantrel.exe";
  env.VersionInfo[exe] = {{"\\VarFileInfo\\Translation", std::string("\x11\x04\xA4\x03", 4)},
                          {"\\StringFileInfo\\041103A4\\FileVersion", "2.7.1.4"},
                          {"\\StringFileInfo\\041103A4\\CompanyName", "Brindlework"}};
  env.VersionInfo["C:\\NoTable.dll"] = {{"\\StringFileInfo\\041103A4\\FileVersion", "1"}};
  EXPECT_EQ(GetVersionItem(env, exe, 2), "FileVersion : 2.7.1.4");
  EXPECT_EQ(GetVersionItem(env, exe, 9), "FileVersion : 2.7.1.4");
  EXPECT_EQ(GetVersionItem(env, exe, 0), "CompanyName : Brindlework");
  EXPECT_EQ(GetVersionItem(env, exe, 7), "ProductVersion : None");
  EXPECT_EQ(GetVersionItem(env, "C:\\none.txt", 2), "unidentified");
  EXPECT_EQ(GetVersionItem(env, "C:\\NoTable.dll", 2), "unidentified");
}

TEST(BIOS, UserNameIsEmptyWhenTheSystemCannotTell) {
  TFakeEnvironment env;
  EXPECT_EQ(GetUserNameText(env), "taro");
  env.UserName.reset();
  EXPECT_EQ(GetUserNameText(env), "");
}
