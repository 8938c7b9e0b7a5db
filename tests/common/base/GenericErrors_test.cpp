#include "common/base/GenericErrors.h"

#include <gtest/gtest.h>

#include <set>

#include "common/base/ErrorCheck.h"
#include "common/base/SystemApi.h"
#include "common/net/GenericInternetErrors.h"
#include "support/TestSupport.h"

namespace {

TEST(GetErrorTextTest, SystemTextWithoutTheLineEnd) {
  test::ScopedLog log;
  for (DWord code : {2u, 5u, 87u, 183u}) {
    std::string raw;
    ASSERT_TRUE(SystemApi::FormatSystemMessage(code, raw)) << code;
    const std::string text = Generic::GetErrorText(code);
    EXPECT_EQ(raw.substr(0, raw.size() - 2), text) << code;
    EXPECT_FALSE(text.empty());
    EXPECT_NE('\n', text.back());
    EXPECT_NE('\r', text.back());
  }
}

TEST(GetErrorTextTest, ZeroMeansTheLastError) {
  test::ScopedLog log;
  SystemApi::SetLastError(5);
  EXPECT_EQ(Generic::GetErrorText(5), Generic::GetErrorText(0));
  SystemApi::SetLastError(0);
  EXPECT_EQ("", Generic::GetErrorText(0));
}

TEST(GetErrorTextTest, NumberWithoutMessageIsLogged) {
  test::ScopedLog log;
  const std::string before = log.Messages();
  EXPECT_EQ("", Generic::GetErrorText(0x2345678));
  EXPECT_EQ("\n::FormatMessage() failed for error <36984440>.", log.Messages().substr(before.size()));
  EXPECT_NE(std::string::npos, log.Text().find(" @E "));
}

TEST(GetHResultTextTest, SystemTextOfTheResult) {
  test::ScopedLog log;
  std::string raw;
  ASSERT_TRUE(SystemApi::FormatSystemMessage(static_cast<DWord>(kEFail), raw));
  EXPECT_EQ(raw.substr(0, raw.size() - 2), Generic::GetHResultText(kEFail));
  EXPECT_EQ(Generic::GetErrorText(5), Generic::GetHResultText(static_cast<HResult>(0x80070005u)));
}

// The numbers with a fixed text.
std::set<DWord> ListedInternetErrors() {
  std::set<DWord> keys = {7, 11, 12, 13, 380, 12001, 12002, 12036, 12110, 12111, 35876, 35877};
  const std::pair<DWord, DWord> ranges[] = {{12004, 12032}, {12038, 12042}, {12130, 12138}, {12150, 12156},
                                            {35750, 35765}, {35767, 35800}, {35802, 35804}, {35806, 35814},
                                            {35896, 35904}, {35916, 35924}};
  for (const auto& r : ranges) {
    for (DWord n = r.first; n <= r.second; ++n) keys.insert(n);
  }
  return keys;
}

TEST(GetInternetErrorTextTest, ExactlyTheListedNumbersHaveTexts) {
  const std::set<DWord> listed = ListedInternetErrors();
  std::set<DWord> found;
  std::set<std::string> texts;
  for (DWord n = 0; n < 40000; ++n) {
    if (n == 12003) continue;
    const std::string text = Generic::GetInternetErrorText(n);
    if (text != "Unknown.") {
      found.insert(n);
      texts.insert(text);
      EXPECT_FALSE(text.empty()) << n;
    }
  }
  EXPECT_EQ(listed, found);
  EXPECT_EQ(listed.size(), texts.size());  // no two numbers share a text
  EXPECT_EQ(142u, listed.size());
  EXPECT_EQ("Unknown.", Generic::GetInternetErrorText(0xFFFFFFFFu));
}

TEST(GetInternetErrorTextTest, QuotedTexts) {
  const std::pair<DWord, const char*> cases[] = {
      {7, "Out of Memory"},
      {11, "Error"},
      {12, "Response Completed"},
      {13, "Type Mismatch"},
      {380, "Invalid Property Value"},
      {12002, "The request has timed out. (Try again in a few seconds)"},
      {12007, "The server name could not be resolved. The Server could be down.  Try again later."},
      {12013,
       "The request to connect and log on to an FTP server could not be completed because the supplied user "
       "name "
       "is incorrect."},
      {12014,
       "The request to connect and log on to an FTP server could not be completed because the supplied "
       "password "
       "is incorrect."},
      {35897, "Gopher: Not A File."},
      {35924, "Unable To Cache File."},
  };
  for (const auto& c : cases) EXPECT_EQ(c.second, Generic::GetInternetErrorText(c.first));
}

TEST(GetInternetErrorTextTest, ExtendedErrorTable) {
  const struct {
    DWord serverError;
    const char* response;
    const char* expected;
  } cases[] = {
      {12003, "550 Permission denied. \r\n", "550 Permission denied.: 12003"},
      {12000, "x", "x: 12000"},
      {12174, "\t \r\n", "::InternetGetLastResponseInfo() found no error message for error <12174>."},
      {12015, "", "::InternetGetLastResponseInfo() found no error message for error <12015>."},
      {11999, "530 Login incorrect.", ""},
      {12175, "530 Login incorrect.", ""},
      {0, "", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.expected, Generic::FormatExtendedError(c.serverError, c.response)) << c.serverError;
  }
}

TEST(GetInternetErrorTextTest, ExtendedErrorWithoutAnyResponseIsEmpty) {
  // Nothing has talked to a server on this thread.
  EXPECT_EQ("", Generic::GetInternetErrorText(12003));
}

}  // namespace
