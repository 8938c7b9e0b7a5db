#include "common/base/MyLog.h"

#include <gtest/gtest.h>

#include <regex>

#include "common/base/ErrorCheck.h"
#include "common/base/GenericErrors.h"
#include "common/base/GenericPaths.h"
#include "common/base/SystemApi.h"
#include "common/files/GenericFiles.h"
#include "support/TestSupport.h"

namespace {

TEST(LogFormatTest, ConversionsTable) {
  const std::wstring wide = L"wide";
  const std::wstring noWide;
  const char* nullText = nullptr;
  const auto pointer = reinterpret_cast<const void*>(static_cast<std::uintptr_t>(0x12345678));
  EXPECT_EQ("80000001", FormatLogText("%x", {0x80000001u}));
  EXPECT_EQ("80004005", FormatLogText("%x", {static_cast<HResult>(0x80004005u)}));
  EXPECT_EQ("0000002A", FormatLogText("%x", {42}));
  EXPECT_EQ("1234:5678", FormatLogText("%p", {pointer}));
  EXPECT_EQ("0000:0000", FormatLogText("%p", {static_cast<const void*>(nullptr)}));
  EXPECT_EQ("<>", FormatLogText("<%s>", {nullText}));
  EXPECT_EQ("<abc>", FormatLogText("<%s>", {std::string("abc")}));
  EXPECT_EQ("<wide>", FormatLogText("<%t>", {wide}));
  EXPECT_EQ("<>", FormatLogText("<%t>", {noWide}));
  EXPECT_EQ("-7 4294967295", FormatLogText("%d %u", {-7, -1}));
  EXPECT_EQ("1", FormatLogText("%d", {0x100000001ll}));  // %d takes 32 bits
  EXPECT_EQ("-5000000000 5000000000", FormatLogText("%ld %lu", {-5000000000ll, 5000000000ull}));
  EXPECT_EQ("9007199254740993", FormatLogText("%6", {9007199254740993ll}));
  EXPECT_EQ("1.5 0.25", FormatLogText("%f %g", {1.5, 0.25}));
  EXPECT_EQ("100%", FormatLogText("%d%%", {100}));
  // Anything else is text: no widths, no flags, and the argument stays.
  EXPECT_EQ("%e 3", FormatLogText("%e %d", {3}));
  EXPECT_EQ("%02d", FormatLogText("%02d", {3}));
  EXPECT_EQ("%.2f", FormatLogText("%.2f", {1.0}));
  // "%l" before anything but d or u vanishes; the next character stays.
  EXPECT_EQ("x 5", FormatLogText("%lx %d", {5}));
  EXPECT_EQ("a", FormatLogText("a%l", {}));
  // Too few arguments write nothing for the rest.
  EXPECT_EQ("<1> <>", FormatLogText("<%d> <%d>", {1}));
}

TEST(MyLogTest, LineHeaderAndLocation) {
  test::ScopedLog scoped;
  MyLog& log = scoped.Log();
  log.SetLocation("C:\\src\\common\\Registry", 94, MyLog::Error);
  log.Log("Hello <%s>.\n", "world");

  static const std::regex line(
      R"((^|\n)\d{4}/\d\d/\d\d \d\d:\d\d:\d\d\.\d{3} (\d+) @E Registry\(  94\): Hello <world>\.\n$)");
  std::smatch match;
  const std::string text = scoped.Text();
  ASSERT_TRUE(std::regex_search(text, match, line)) << text;
  EXPECT_EQ(std::to_string(SystemApi::GetCurrentProcessId()), match[2].str());

  log.SetLocation("Dlg.cpp", 12345, MyLog::Audit);
  log.Log("x\n");
  EXPECT_NE(std::string::npos, scoped.Text().find(" @A Dlg.cpp(12345): x\n"));
}

TEST(MyLogTest, EveryLevelLetter) {
  test::ScopedLog scoped;
  for (int level = MyLog::Debug; level <= MyLog::Audit; ++level) {
    scoped.Log().SetLocation("F", 1, level);
    scoped.Log().Log("m\n");
  }
  const std::string text = scoped.Text();
  for (const char* letter : {" @D F(   1)", " @T F(   1)", " @W F(   1)", " @E F(   1)", " @A F(   1)"}) {
    EXPECT_NE(std::string::npos, text.find(letter)) << letter;
  }
}

TEST(MyLogTest, MessageBelowThresholdLeavesNoTrace) {
  test::ScopedLog scoped(MyLog::Warns);
  const std::string before = scoped.Text();
  scoped.Log().SetLocation(__FILE__, __LINE__, MyLog::Debug);
  scoped.Log().Log("hidden <%d>\n", 1);
  EXPECT_EQ(before, scoped.Text());
  EXPECT_EQ("", scoped.Log().GetLastLogText());

  scoped.Log().SetLocation(__FILE__, __LINE__, MyLog::Warns);
  scoped.Log().Log("shown\n");
  EXPECT_EQ("shown\n", scoped.Log().GetLastLogText());
  EXPECT_EQ("", scoped.Log().GetLastLogText());
}

TEST(MyLogTest, FirstSetLevelWritesTheSeparatorLaterOnesTheShortForm) {
  test::ScopedLog scoped;  // its SetLevel(Debug) is the first of the process
  scoped.Log().SetLevel(MyLog::Warns);
  scoped.Log().SetLevel(-1);
  EXPECT_EQ("-----------------------------------------------\nLog <" + scoped.Log().GetFileName() +
                "> level set to <0> (<Debug>).\n"
                "Log level set to <2> (<Warns>).\n"
                "Log level set to <-1> (<>).\n",
            scoped.Messages());
}

TEST(MyLogTest, MultiLineMessageHasOneHeader) {
  test::ScopedLog scoped;
  const std::string before = scoped.Text();
  LOGE("first line\nsecond line\nthird line\n");
  const std::string added = scoped.Text().substr(before.size());
  EXPECT_TRUE(std::regex_match(added, std::regex(R"([^\n]* @E MyLog_test\.cpp\( *\d+\): first line\n)"
                                                 R"(second line\nthird line\n)")))
      << added;
}

HResult ThreeSteps(bool& bSecondRan, bool& bThirdRan) {
  HResult hr = kSOk;
  SystemApi::SetLastError(5);
  EC_B(hr, 1 + 1 == 3);
  EC_B(hr, bSecondRan = true);
  EC_H(hr, (bThirdRan = true) ? kSOk : kEFail);
  return hr;
}

TEST(ErrorCheckTest, FirstFailureSkipsTheRestOfTheChain) {
  test::ScopedLog scoped;
  const std::string before = scoped.Messages();
  bool bSecondRan = false;
  bool bThirdRan = false;
  EXPECT_EQ(kEFail, ThreeSteps(bSecondRan, bThirdRan));
  EXPECT_FALSE(bSecondRan);
  EXPECT_FALSE(bThirdRan);
  EXPECT_EQ(5u, SystemApi::GetLastError());  // left for the caller
  EXPECT_EQ("<1 + 1 == 3> failed with error <5>: <" + Generic::GetErrorText(5) +
                ">.\n"
                "EC_ skipped executing <bSecondRan = true>.\n"
                "EC_ skipped executing <(bThirdRan = true) ? kSOk : kEFail>.\n",
            scoped.Messages().substr(before.size()));
  // Every one of the three lines is an error-level line of its own.
  const std::string text = scoped.Text();
  const std::regex errorLine(" @E MyLog_test\\.cpp");
  EXPECT_EQ(3,
            std::distance(std::sregex_iterator(text.begin(), text.end(), errorLine), std::sregex_iterator()));
}

TEST(ErrorCheckTest, FailedResultLogsItInHexWithItsText) {
  test::ScopedLog scoped;
  const std::string before = scoped.Messages();
  HResult hr = kSOk;
  EC_H(hr, kEInvalidArg);
  EXPECT_EQ(kEInvalidArg, hr);
  const std::string name = "HKCU\\Software";
  EC_VAR(name, "%s");
  EC_VAR(hr, "%x");
  EXPECT_EQ("<kEInvalidArg> failed with error <80070057>: <" + Generic::GetHResultText(kEInvalidArg) +
                ">.\n"
                "   * name is <HKCU\\Software>.\n"
                "   * hr is <80070057>.\n",
            scoped.Messages().substr(before.size()));
}

TEST(ErrorCheckTest, StringTableFormats) {
  test::ScopedLog scoped;
  const std::string before = scoped.Messages();
  LOG_ST(10020, "::RegOpenKeyEx: Software\\X", 2, "not found");
  LOG_ST(10024, "Generic::Something");
  LOG_ST(99999, "ignored");
  EXPECT_EQ(
      "API Failure for <::RegOpenKeyEx: Software\\X> is <2>: <not found>\n"
      "Bad default case encountered in function <Generic::Something>.\n"
      "LoadString() failed in DOMYLOGST!\n",
      scoped.Messages().substr(before.size()));
}

TEST(MyLogTest, ComputerNameIsInsertedBeforeTheEnding) {
  test::TempDir dir;
  MyLog::ForgetFirstSetLevel();
  const std::string computer = SystemApi::GetComputerName();
  ASSERT_FALSE(computer.empty());
  {
    MyLog log(dir.File("_Tarvolin.LOG"), 4);
    EXPECT_EQ(dir.File("_Tarvolin_" + computer + ".log"), log.GetFileName());
    EXPECT_TRUE(log.IsOpen());
  }
  {
    MyLog log(dir.File("plain"), 4);
    EXPECT_EQ(dir.File("plain_" + computer + ".log"), log.GetFileName());
  }
}

TEST(MyLogTest, RelativeNameIsPlacedBesideTheExecutable) {
  MyLog::ForgetFirstSetLevel();
  std::string path;
  {
    MyLog log("_LogPlacementTest.log", 4);
    path = log.GetFileName();
    EXPECT_EQ(Generic::GetDirectory(SystemApi::GetModuleFileName()) + "\\_LogPlacementTest_" +
                  SystemApi::GetComputerName() + ".log",
              path);
    EXPECT_TRUE(log.IsOpen());
  }
  int nErr = 0;
  EXPECT_TRUE(Generic::RemoveFile(path, nErr));
}

TEST(MyLogTest, UnopenableFileDropsWritesButKeepsThePendingText) {
  test::TempDir dir;
  MyLog::ForgetFirstSetLevel();
  MyLog log(dir.File("missing\\dir\\x.log"), 4);
  EXPECT_FALSE(log.IsOpen());
  log.SetLevel(MyLog::Debug);
  log.SetLocation(__FILE__, __LINE__, MyLog::Error);
  log.Log("for the user\n");
  EXPECT_EQ("for the user\n", log.GetLastLogText());
  EXPECT_FALSE(Generic::FileExists(log.GetFileName()));
}

}  // namespace
