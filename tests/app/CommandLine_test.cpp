// The command-line walk, its messages, and the file names of the output mode.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/Tarvolin.h"
#include "app/TheCommandLineInfo.h"
#include "common/ui/UserMessage.h"
#include "support/TestSupport.h"

namespace {

// Collects the texts that would have been shown in message boxes.
class ShownMessages {
 public:
  ShownMessages() {
    m_previous = UserMessage::SetHandler([this](const std::string& text, const std::string&, unsigned style) {
      m_texts.push_back(text);
      m_styles.push_back(style);
      return static_cast<int>(UserMessage::kIdOk);
    });
  }
  ~ShownMessages() { UserMessage::SetHandler(m_previous); }
  std::vector<std::string> m_texts;
  std::vector<unsigned> m_styles;

 private:
  UserMessage::Handler m_previous;
};

struct CommandLineCase {
  std::vector<std::string> args;
  bool bOutput;
  bool bPause;
  const char* pathOutput;
  std::vector<std::string> messages;
};

class CommandLine : public ::testing::TestWithParam<CommandLineCase> {};

TEST_P(CommandLine, SetsOptionsAndReportsErrors) {
  const CommandLineCase& c = GetParam();
  test::ScopedLog log;
  ShownMessages shown;
  TheCommandLineInfo info;
  ParseCommandLine(c.args, info);
  EXPECT_EQ(c.bOutput, info.m_bOutput);
  EXPECT_EQ(c.bPause, info.m_bPause);
  EXPECT_EQ(c.pathOutput, info.m_sPathOutput);
  EXPECT_EQ(c.messages, shown.m_texts);
  for (unsigned style : shown.m_styles) EXPECT_EQ(UserMessage::kIconError, style);
}

INSTANTIATE_TEST_SUITE_P(
    Forms, CommandLine,
    ::testing::Values(
        CommandLineCase{{"-output", "C:\\Reports"}, true, false, "C:\\Reports", {}},
        CommandLineCase{{"/OUTPUT", "C:\\Reports", "-Pause"}, true, true, "C:\\Reports", {}},
        CommandLineCase{{"-Output", "-Output", "D:\\x"}, true, false, "D:\\x", {}},
        CommandLineCase{{"-Pause"}, false, true, "", {}},
        CommandLineCase{{"C:\\Reports", "-Output"},
                        true,
                        false,
                        "",
                        {"Got unexpected command-line param: <C:\\Reports>!\n"}},
        CommandLineCase{
            {"-Output", "A", "B"}, true, false, "", {"Got unexpected command-line param: <B>!\n"}},
        CommandLineCase{{"-Output", "A", "-help"},
                        true,
                        false,
                        "",
                        {"Error in command-line argument: <help> is not a legal flag!\n"}},
        CommandLineCase{
            {"-Output", "C:\\*TARVOLIN_SURELY_UNDEFINED*"},
            true,
            false,
            "",
            {"Failed to expand the command-line param: <C:\\*TARVOLIN_SURELY_UNDEFINED*>!  Please see "
             "the logfile for more information.\n"}}));

TEST(CommandLine, LogsEachArgument) {
  test::ScopedLog log;
  TheCommandLineInfo info;
  ParseCommandLine({"-Output", "C:\\R"}, info);
  const std::string text = log.Messages();
  EXPECT_NE(std::string::npos, text.find("Got command line flag <Output>.\n"));
  EXPECT_NE(std::string::npos, text.find("Got command line Output param <C:\\R>.\n"));
  EXPECT_NE(std::string::npos, text.find("Expanded command line Output param to <C:\\R>.\n"));
}

TEST(CommandLine, OutputModeIsRecognisedBeforeParsing) {
  EXPECT_TRUE(RequestsOutputMode({"x", "/oUtPuT"}));
  EXPECT_FALSE(RequestsOutputMode({"output", "-outputs", "-Pause"}));
}

struct NameCase {
  const char* clsid;
  const char* fileName;
};

class ReportFileName : public ::testing::TestWithParam<NameCase> {};

TEST_P(ReportFileName, StaysOneFileInTheOutputDirectory) {
  EXPECT_EQ(GetParam().fileName, SafeFileNamePart(GetParam().clsid));
}

INSTANTIATE_TEST_SUITE_P(Names, ReportFileName,
                         ::testing::Values(NameCase{"{AAAAAAAA-BBBB-CCCC-DDDD-EEEEEEEEEEEE}",
                                                    "{AAAAAAAA-BBBB-CCCC-DDDD-EEEEEEEEEEEE}"},
                                           NameCase{"..\\..\\Windows\\evil", ".._.._Windows_evil"},
                                           NameCase{"a/b:c*d?e\"f<g>h|i", "a_b_c_d_e_f_g_h_i"},
                                           NameCase{"x:stream", "x_stream"},
                                           NameCase{"tab\there\x01", "tab_here_"}, NameCase{"..", "__"},
                                           NameCase{".", "_"}, NameCase{"a.b", "a.b"}));

}  // namespace
