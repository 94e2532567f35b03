// The settings store against the real registry.
#include <gtest/gtest.h>

#include <string>

#include "support/app_fixture.h"

using namespace qovtest;

class SettingsStore : public AppTest {};

TEST_F(SettingsStore, ReadsNumbersOnlyFromNumbersAndTextWhole) {
  EXPECT_EQ(m_app.AppName(), "app_tests");
  const std::string section = m_key + "\\Setting";
  // Text where a number belongs gives the default, never its bits; a write
  // replaces it with a number.
  SetRaw(section, "Width", REG_SZ, "abc", 4);
  EXPECT_EQ(m_app.ReadIntSetting("Setting", "Width", 3), 3);
  EXPECT_TRUE(m_app.WriteIntSetting("Setting", "Width", -2));
  EXPECT_EQ(m_app.ReadIntSetting("Setting", "Width", 3), -2);
  // Text stored without its NUL, or longer than any fixed buffer, comes whole.
  SetRaw(section, "bare", REG_SZ, "abcdef", 6);
  EXPECT_EQ(m_app.ReadStringSetting("Setting", "bare", ""), "abcdef");
  const std::string big = std::string(70000, 'x') + "C:\\壁紙\\表示";
  EXPECT_TRUE(m_app.WriteStringSetting("Setting", "big", big));
  EXPECT_EQ(m_app.ReadStringSetting("Setting", "big", ""), big);
  SetDword(section, "number", 7);
  EXPECT_EQ(m_app.ReadStringSetting("Setting", "number", "none"), "none");
}
