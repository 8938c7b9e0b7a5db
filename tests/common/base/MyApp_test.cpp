// The uptime sentence the application base writes at start.
#include "common/base/MyApp.h"

#include <gtest/gtest.h>

#include "support/TestSupport.h"

namespace {

struct UptimeCase {
  std::uint64_t ms;
  const char* text;
};

class Uptime : public ::testing::TestWithParam<UptimeCase> {};

TEST_P(Uptime, NamesEachNonZeroPart) { EXPECT_EQ(GetParam().text, FormatUptime(GetParam().ms)); }

INSTANTIATE_TEST_SUITE_P(
    Sentences, Uptime,
    ::testing::Values(UptimeCase{93784056, "PC running for 1 day, 2 hours, 3 minutes, 4.056 seconds.\n"},
                      UptimeCase{90061001, "PC running for 1 day, 1 hour, 1 minute, 1.001 second.\n"},
                      UptimeCase{2 * 86400000ull, "PC running for 2 days.\n"},
                      UptimeCase{120000, "PC running for 2 minutes.\n"},
                      UptimeCase{3600000 + 500, "PC running for 1 hour, 0.500 seconds.\n"},
                      UptimeCase{1000, "PC running for 1.000 second.\n"}));

TEST(MyAppLog, ConstructionLogsUptimeAndExitLogsItsLine) {
  test::TempDir dir;
  MyLog::ForgetFirstSetLevel();
  std::string file;
  {
    MyApp app(dir.File("app.log"), 4);
    app.ExitInstance();
    file = app.GetLog().GetFileName();
  }
  const std::string text = test::ReadFile(file);
  EXPECT_NE(std::string::npos, text.find(" @A MyApp.cpp(")) << text;
  EXPECT_NE(std::string::npos, text.find("PC running for "));
  EXPECT_NE(std::string::npos, text.find("In MyApp::ExitInstance(), calling CWinApp::ExitInstance()."));
  // Level Debug is not on yet while the base is constructed.
  EXPECT_EQ(std::string::npos, text.find(">>> MyApp::MyApp()"));
}

}  // namespace
