// A fixture for component tests: the application object of the test process
// with a settings key of its own, removed before and after each test.
#pragma once
#include <gtest/gtest.h>

#include <string>

#include "app/QovDesktopApp.h"
#include "support/testsupport.h"

namespace qovtest {

class AppTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_app.Attach(GetModuleHandleA(nullptr));
    m_app.SetRegistryKey("QovSoft");
    m_key = "Software\\QovSoft\\" + m_app.AppName();
    DeleteAppKey(m_app.AppName());
  }
  void TearDown() override { DeleteAppKey(m_app.AppName()); }

  CQovDesktopApp m_app;
  std::string m_key;  // HKCU\<m_key>\<section> holds the settings
};

}  // namespace qovtest
