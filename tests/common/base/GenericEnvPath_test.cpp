#include "common/base/GenericEnvPath.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <regex>

#include "common/base/ErrorCheck.h"
#include "common/base/SystemApi.h"
#include "support/TestSupport.h"

namespace {

// Sets an environment variable of this process until the end of the scope.
class ScopedEnv {
 public:
  ScopedEnv(const std::string& name, const std::string& value) : m_sName(name) {
    m_bHad = SystemApi::GetEnvironmentVariable(name, m_sOld);
    Set(value);
  }
  ~ScopedEnv() { Set(m_bHad ? m_sOld : std::string()); }
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  void Set(const std::string& value) {
#ifdef _WIN32
    _putenv_s(m_sName.c_str(), value.c_str());  // also the system's copy
#else
    if (value.empty()) {
      unsetenv(m_sName.c_str());
    } else {
      setenv(m_sName.c_str(), value.c_str(), 1);
    }
#endif
  }
  std::string m_sName;
  std::string m_sOld;
  bool m_bHad = false;
};

class TranslateEnvPathTest : public ::testing::Test {
 protected:
  std::string Logged() const { return m_log.Messages().substr(m_sBefore.size()); }
  HResult Translate(const std::string& in, char separator = '*') {
    m_sOut = "previous";
    return Generic::TranslateEnvPath(in, m_sOut, separator);
  }

  test::ScopedLog m_log;
  std::string m_sBefore = m_log.Messages();
  std::string m_sOut;
};

TEST_F(TranslateEnvPathTest, EnvironmentVariable) {
  ScopedEnv temp("TEMP", "C:\\Temp Dir");
  EXPECT_EQ(kSOk, Translate("*TEMP*\\out"));
  EXPECT_EQ("C:\\Temp Dir\\out", m_sOut);
  EXPECT_EQ(kSOk, Translate("%TEMP%\\*TEMP*\\%TEMP%", '%'));
  EXPECT_EQ("C:\\Temp Dir\\*TEMP*\\C:\\Temp Dir", m_sOut);
  EXPECT_EQ(kSOk, Translate("no variables"));
  EXPECT_EQ("no variables", m_sOut);
  EXPECT_EQ(">>> Generic::TranslateEnvPath\n>>> Generic::TranslateEnvPath\n>>> Generic::TranslateEnvPath\n",
            Logged());
}

TEST_F(TranslateEnvPathTest, PromptCodes) {
  ScopedEnv underscore("_", "");  // shells keep the last command in "_"
  const std::string dir = SystemApi::GetCurrentDirectory();
  const std::pair<const char*, std::string> cases[] = {
      {"*$*", "$"},           {"*A*", "&"},     {"*b*", "|"}, {"*C*", "("},
      {"*F*", ")"},           {"*G*", ">"},     {"*L*", "<"}, {"*Q*", "="},
      {"*S*", " "},           {"*_*", "\r\n"},  {"*P*", dir}, {"*N*", dir.substr(0, 1)},
      {"x*S*y*S*z", "x y z"}, {"*G**L*", "><"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(kSOk, Translate(c.first)) << c.first;
    EXPECT_EQ(c.second, m_sOut) << c.first;
  }
}

TEST_F(TranslateEnvPathTest, DateAndTime) {
  const SystemApi::LocalTime now = SystemApi::GetLocalTime();
  EXPECT_EQ(kSOk, Translate("report *D*.txt"));
  char today[16];
  std::snprintf(today, sizeof today, "%04d-%02d-%02d", now.year, now.month, now.day);
  EXPECT_EQ(std::string("report ") + today + ".txt", m_sOut);
  EXPECT_EQ(kSOk, Translate("*D*_*t*"));
  EXPECT_TRUE(std::regex_match(m_sOut, std::regex(R"(\d{4}-\d\d-\d\d_\d\d-\d\d-\d\d)"))) << m_sOut;
}

TEST_F(TranslateEnvPathTest, UnsupportedPromptCodeFails) {
  ScopedEnv temp("TEMP", "C:\\Temp");
  EXPECT_EQ(kEFail, Translate("*TEMP*\\*X*"));
  EXPECT_EQ("", m_sOut);
  EXPECT_NE(std::string::npos, Logged().find("The PROMPT char <X> is either illegal or unsupported.\n"));
}

TEST_F(TranslateEnvPathTest, UnknownLongNameFailsWithTheVariableLines) {
  EXPECT_EQ(kEFail, Translate("a*TARVOLIN_NO_SUCH_VAR*b"));
  EXPECT_EQ("", m_sOut);
  EXPECT_EQ(
      ">>> Generic::TranslateEnvPath\n"
      "<TARVOLIN_NO_SUCH_VAR> is neither an environment variable, nor a PROMPT variable.\n"
      "   * sIn is <a*TARVOLIN_NO_SUCH_VAR*b>.\n"
      "   * sVariable is <TARVOLIN_NO_SUCH_VAR>.\n"
      "   * sSepChar is <*>.\n"
      "   * dwRet is <0>.\n",
      Logged());
}

TEST_F(TranslateEnvPathTest, UnclosedVariableFailsTheReplacement) {
  ScopedEnv temp("TEMP", "C:\\Temp");
  EXPECT_EQ(kEFail, Translate("out\\*TEMP"));
  EXPECT_EQ("", m_sOut);
  EXPECT_NE(
      std::string::npos,
      Logged().find("<0 < sOut.Replace(sSepChar + sVariable + sSepChar, sTranslation)> failed with error <"));
}

TEST_F(TranslateEnvPathTest, ValueOf128CharactersIsTooLong) {
  ScopedEnv fits("TARVOLIN_LONG_VAR", std::string(127, 'x'));
  EXPECT_EQ(kSOk, Translate("*TARVOLIN_LONG_VAR*"));
  EXPECT_EQ(std::string(127, 'x'), m_sOut);
  ScopedEnv tooLong("TARVOLIN_LONG_VAR", std::string(128, 'x'));
  EXPECT_EQ(kEFail, Translate("*TARVOLIN_LONG_VAR*"));
  EXPECT_EQ("", m_sOut);
  EXPECT_NE(std::string::npos, Logged().find("<dwBufferSize > dwRet> failed with error <"));
}

}  // namespace
