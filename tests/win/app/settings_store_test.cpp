// The settings store against the real registry.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/QovDesktopApp.h"
#include "support/app_fixture.h"
#include "support/testsupport.h"

using namespace qovtest;

namespace {

class SettingsStore : public AppTest {};

TEST_F(SettingsStore, LivesUnderTheProgramsOwnName) {
  EXPECT_EQ(m_app.AppName(), "app_tests");
  EXPECT_TRUE(m_app.WriteIntSetting("Screen", "Width", 4));
  EXPECT_EQ(m_app.ReadIntSetting("Screen", "Width", 3), 4);
  EXPECT_TRUE(ValueExists(m_key + "\\Screen", "Width"));
}

TEST_F(SettingsStore, ReadingCreatesTheKeysButWritesNoValue) {
  EXPECT_EQ(m_app.ReadIntSetting("Screen", "Height", 3), 3);
  EXPECT_EQ(m_app.ReadStringSetting("Setting", "Screen saver", "dflt"), "dflt");
  EXPECT_TRUE(KeyExists(m_key + "\\Screen"));
  EXPECT_TRUE(KeyExists(m_key + "\\Setting"));
  EXPECT_EQ(ValueCount(m_key + "\\Screen"), 0);
  EXPECT_EQ(ValueCount(m_key + "\\Setting"), 0);
}

TEST_F(SettingsStore, IntegersAreReadOnlyFromNumbers) {
  const std::string section = m_key + "\\Setting";
  SetDword(section, "dword", 0xFFFFFFFEu);
  EXPECT_EQ(m_app.ReadIntSetting("Setting", "dword", 9), -2);
  // Text or bytes where a number belongs: the default, never their bits.
  SetRaw(section, "text", REG_SZ, "abc", 4);
  EXPECT_EQ(m_app.ReadIntSetting("Setting", "text", 9), 9);
  const unsigned char two[] = {0x34, 0x12};
  SetRaw(section, "binary2", REG_BINARY, two, 2);
  EXPECT_EQ(m_app.ReadIntSetting("Setting", "binary2", 9), 9);
  const unsigned long long qword = 1;
  SetRaw(section, "qword", REG_QWORD, &qword, 8);
  EXPECT_EQ(m_app.ReadIntSetting("Setting", "qword", 9), 9);
  EXPECT_EQ(m_app.ReadIntSetting("Setting", "missing", 9), 9);
}

TEST_F(SettingsStore, StringsAreReadWhole) {
  const std::string section = m_key + "\\Setting";
  // Written through the store: text with its NUL, Shift-JIS included.
  const std::string japanese = "C:\\壁紙\\表示";  // bytes 0x5C inside the characters
  EXPECT_TRUE(m_app.WriteStringSetting("Setting", "Wall paper directory", japanese));
  EXPECT_EQ(m_app.ReadStringSetting("Setting", "Wall paper directory", ""), japanese);
  EXPECT_TRUE(m_app.WriteStringSetting("Setting", "empty", ""));
  EXPECT_EQ(m_app.ReadStringSetting("Setting", "empty", "dflt"), "");

  // Stored by someone else without the terminating NUL: no byte lost, none added.
  SetRaw(section, "bare", REG_SZ, "abcdef", 6);
  EXPECT_EQ(m_app.ReadStringSetting("Setting", "bare", ""), "abcdef");
  // Longer than any fixed buffer would be.
  std::string big(70000, 'x');
  big += "end";
  SetRaw(section, "big", REG_SZ, big.c_str(), static_cast<DWORD>(big.size() + 1));
  EXPECT_EQ(m_app.ReadStringSetting("Setting", "big", ""), big);
  // Not text at all: the default.
  SetDword(section, "number", 7);
  EXPECT_EQ(m_app.ReadStringSetting("Setting", "number", "dflt"), "dflt");
  const unsigned char bytes[] = {'a', 'b'};
  SetRaw(section, "binary", REG_BINARY, bytes, 2);
  EXPECT_EQ(m_app.ReadStringSetting("Setting", "binary", "dflt"), "dflt");
  EXPECT_EQ(m_app.ReadStringSetting("Setting", "missing", "dflt"), "dflt");
}

TEST_F(SettingsStore, WritesReplaceTheStoredType) {
  const std::string section = m_key + "\\Screen";
  SetRaw(section, "Height", REG_SZ, "junk", 5);
  EXPECT_TRUE(m_app.WriteIntSetting("Screen", "Height", 2));
  EXPECT_EQ(m_app.ReadIntSetting("Screen", "Height", 3), 2);
  EXPECT_TRUE(m_app.WriteIntSetting("Screen", "Height", -7));
  EXPECT_EQ(m_app.ReadIntSetting("Screen", "Height", 3), -7);
}

}  // namespace
