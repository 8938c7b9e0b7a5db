// The program's own version is read from its executable once per run; a
// read that failed or found no version is tried again at the next call.
#include "common/fileinfo/ProgramVersion.h"

#include <gtest/gtest.h>

#include <string>

#include "common/base/ErrorCheck.h"
#include "common/base/SystemApi.h"
#include "support/TestDlls.h"
#include "support/TestSupport.h"

namespace {

using test::TestDll;

class GetRunningVersionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!test::kDllDir) GTEST_SKIP() << "test DLLs were not built (no MinGW-w64 tools)";
    m_sPrevious = SystemApi::SetModuleFileNameOverride(m_sExe);
    m_bOverridden = true;
  }
  void TearDown() override {
    if (m_bOverridden) SystemApi::SetModuleFileNameOverride(m_sPrevious);
  }

  // Puts a copy of a test DLL where the program's executable is.
  void InstallAs(const std::string& dll, const std::string& path) {
    const std::string bytes = test::ReadFile(TestDll(dll));
    ASSERT_FALSE(bytes.empty()) << dll;
    test::WriteFile(path, bytes);
  }

  // The version GetRunningVersion gives now, how many times it read a
  // version resource for it, and its running result.
  struct Answer {
    std::string sVersion;
    std::size_t nReads;
    HResult hr;
  };
  Answer Ask(HResult hr = kSOk) {
    const std::string before = m_log.Messages();
    Answer answer;
    answer.sVersion = GetRunningVersion(hr);
    answer.hr = hr;
    m_sLogged = m_log.Messages().substr(before.size());
    answer.nReads = 0;
    for (std::size_t pos = m_sLogged.find(">>> MyFileVersion::Open\n"); pos != std::string::npos;
         pos = m_sLogged.find(">>> MyFileVersion::Open\n", pos + 1))
      ++answer.nReads;
    return answer;
  }

  test::ScopedLog m_log;
  test::TempDir m_dir;
  std::string m_sExe = m_dir.File("Tarvolin.exe");
  std::string m_sPrevious;
  bool m_bOverridden = false;
  std::string m_sLogged;
};

TEST_F(GetRunningVersionTest, ReadOnceThenKeptForTheRun) {
  InstallAs("english.dll", m_sExe);
  Answer first = Ask();
  EXPECT_EQ("2.0.0.23", first.sVersion);
  EXPECT_EQ(1u, first.nReads);
  EXPECT_EQ(kSOk, first.hr);

  // The file changing under the running program does not change its version.
  InstallAs("bilingual32.dll", m_sExe);
  for (int i = 0; i < 3; ++i) {
    const Answer again = Ask();
    EXPECT_EQ("2.0.0.23", again.sVersion);
    EXPECT_EQ(0u, again.nReads);
    EXPECT_EQ(kSOk, again.hr);
    EXPECT_EQ("", m_sLogged);
  }

  // A caller whose running result has already failed gets no version, and
  // the skipped steps are logged as before.
  const Answer failed = Ask(kEFail);
  EXPECT_EQ("", failed.sVersion);
  EXPECT_EQ(kEFail, failed.hr);
  EXPECT_NE(std::string::npos, m_sLogged.find("EC_ skipped executing <")) << m_sLogged;
  EXPECT_EQ("2.0.0.23", Ask().sVersion);

  // Another executable (another path) is read for itself.
  const std::string other = m_dir.File("Other.exe");
  InstallAs("bilingual32.dll", other);
  SystemApi::SetModuleFileNameOverride(other);
  const Answer moved = Ask();
  EXPECT_EQ("1.2.3.4", moved.sVersion);
  EXPECT_EQ(1u, moved.nReads);
  EXPECT_EQ(0u, Ask().nReads);
}

TEST_F(GetRunningVersionTest, FailedReadIsTriedAgain) {
  InstallAs("notranslation.dll", m_sExe);
  for (int i = 0; i < 2; ++i) {
    const Answer failed = Ask();
    EXPECT_EQ("", failed.sVersion);
    EXPECT_EQ(kEFail, failed.hr);
    EXPECT_EQ(1u, failed.nReads);
    EXPECT_NE(std::string::npos, m_sLogged.find("\\\\VarFileInfo\\\\Translation")) << m_sLogged;
  }

  InstallAs("english.dll", m_sExe);
  const Answer read = Ask();
  EXPECT_EQ("2.0.0.23", read.sVersion);
  EXPECT_EQ(kSOk, read.hr);
  EXPECT_EQ(1u, read.nReads);
  EXPECT_EQ(0u, Ask().nReads);
}

TEST_F(GetRunningVersionTest, ExecutableWithoutVersionIsTriedAgain) {
  for (const char* dll : {"plain.dll", static_cast<const char*>(nullptr)}) {
    SCOPED_TRACE(dll ? dll : "no file");
    if (dll) InstallAs(dll, m_sExe);
    for (int i = 0; i < 2; ++i) {
      const Answer none = Ask();
      EXPECT_EQ("", none.sVersion);
      EXPECT_EQ(kSOk, none.hr);
      EXPECT_EQ(1u, none.nReads);
    }
    test::RemoveFile(m_sExe);
  }
  InstallAs("english.dll", m_sExe);
  EXPECT_EQ("2.0.0.23", Ask().sVersion);
  EXPECT_EQ(0u, Ask().nReads);
}

}  // namespace
