#include <gtest/gtest.h>

#include <stdexcept>

#include "platform/OSError.h"

TEST(EOSError, SaysWhatFailedInTheSystemsWordsAndCarriesTheCode) {
  const struct {
    const char* what;
    std::uint32_t code;
    const char* systemMessage;
    const char* expected;
  } cases[] = {
      {"Error creating window", 1407, "Cannot find window class.\r\n",
       "Error creating window: Cannot find window class. (error 1407)"},
      {"Cannot create the tray window", 5, "Access is denied.  \r\n",
       "Cannot create the tray window: Access is denied. (error 5)"},
      {"Cannot create the timer window", 317, "", "Cannot create the timer window (error 317)"},
      {"Cannot create the timer window", 317, " \r\n", "Cannot create the timer window (error 317)"},
      {"Cannot create the application window", 0x80070005u, "アクセスが拒否されました。\r\n",
       "Cannot create the application window: アクセスが拒否されました。 (error 2147942405)"},
  };
  for (const auto& c : cases) {
    try {
      throw EOSError(c.what, c.code, c.systemMessage);
    } catch (const std::runtime_error& e) {
      EXPECT_STREQ(e.what(), c.expected);
      const auto* os = dynamic_cast<const EOSError*>(&e);
      ASSERT_NE(os, nullptr) << c.expected;
      EXPECT_EQ(os->ErrorCode(), c.code) << c.expected;
    }
  }
}
