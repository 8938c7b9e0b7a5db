// Extraction of the readable words of a binary file.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>

#include "model/Bho.h"
#include "support/TestSupport.h"

namespace {

std::string Parse(const std::string& bytes, std::string sUserReadable = "") {
  struct Closer {
    void operator()(std::FILE* f) const { std::fclose(f); }
  };
  const std::unique_ptr<std::FILE, Closer> file(std::tmpfile());
  std::fwrite(bytes.data(), 1, bytes.size(), file.get());
  std::rewind(file.get());
  EXPECT_EQ(kSOk, BHO::_ViewTextParse(file.get(), sUserReadable));
  return sUserReadable;
}

TEST(ViewTextParse, KeepsReadableWordsOnly) {
  const std::string bytes = std::string("Hello,") + '\0' + "world!" + '\0' + "I" + '\0' + "am" + '\0' + "x" +
                            '\0' + "x" + '\0' + "x" + '\0' + "1234" + '\0' + "..." + '\0' + "ABC" + '\0' +
                            "ABC";
  EXPECT_EQ(" Hello, world! I am 1234 ABC ", Parse(bytes));
}

TEST(ViewTextParse, SeparatorsIncludeHighBytesControlsAndBlanks) {
  EXPECT_EQ(" ab cd ef gh", Parse("ab\xC3"
                                  "cd\tef\x01gh"));
  EXPECT_EQ(" A a I ", Parse("A a I b ?"));
}

TEST(ViewTextParse, LastWordAtEndOfFileIsJudged) {
  EXPECT_EQ(" kept tail", Parse("kept\n\ntail"));
  EXPECT_EQ(" kept ", Parse("kept\n\n!!"));
}

TEST(ViewTextParse, WordsAcrossTheBlockBoundaryStayWhole) {
  std::string bytes(65536 - 2, '\0');
  bytes += "spanning";
  EXPECT_EQ(" spanning", Parse(bytes));
}

TEST(ViewTextParse, AppendsToExistingText) { EXPECT_EQ("start more", Parse("more", "start ")); }

}  // namespace
