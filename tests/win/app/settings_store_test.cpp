// The settings store against the real registry.
#include <gtest/gtest.h>

#include <string>

#include "support/app_fixture.h"

using namespace qovtest;

class SettingsStore : public AppTest {};

TEST_F(SettingsStore, ReadsNumbersOnlyFromNumbersAndTextWhole) {
  const std::string section = m_key + "\\Setting";
  // Text where a number belongs gives the default, never its bits.
  SetRaw(section, "Width", REG_SZ, "abc", 4);
  EXPECT_EQ(m_app.ReadIntSetting("Setting", "Width", 3), 3);
  SetDword(section, "Height", 0xFFFFFFFEu);
  EXPECT_EQ(m_app.ReadIntSetting("Setting", "Height", 3), -2);
  EXPECT_EQ(m_app.ReadStringSetting("Setting", "Height", "none"), "none");
  // Text stored without its NUL, or longer than any fixed buffer, comes whole.
  SetRaw(section, "bare", REG_SZ, "abcdef", 6);
  EXPECT_EQ(m_app.ReadStringSetting("Setting", "bare", ""), "abcdef");
  const std::string big = std::string(70000, 'x') + "C:\\壁紙\\表示";
  EXPECT_TRUE(m_app.WriteStringSetting("Setting", "big", big));
  EXPECT_EQ(m_app.ReadStringSetting("Setting", "big", ""), big);
}
