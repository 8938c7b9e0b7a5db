// The stand-in for the user's date format where the system has none of its
// own: an English (United States) user's, as Windows writes it.
#include <gtest/gtest.h>

#include "common/base/DateText.h"

namespace {

TEST(DateTextPosix, WritesAndReadsTheUnitedStatesFormat) {
  double d = 0;
  ASSERT_TRUE(DateText::ToDays(2006, 3, 14, 13, 5, 9, d));
  EXPECT_EQ("3/14/2006 1:05:09 PM", DateText::FormatDateTime(d));
  ASSERT_TRUE(DateText::ToDays(2006, 3, 14, 0, 0, 0, d));
  EXPECT_EQ("3/14/2006", DateText::FormatDateTime(d));
  ASSERT_TRUE(DateText::ToDays(2006, 3, 14, 0, 0, 1, d));
  EXPECT_EQ("3/14/2006 12:00:01 AM", DateText::FormatDateTime(d));
  ASSERT_TRUE(DateText::ToDays(2006, 3, 14, 12, 30, 0, d));
  EXPECT_EQ("3/14/2006 12:30:00 PM", DateText::FormatDateTime(d));

  const struct {
    const char* text;
    int hour, minute, second;
  } kReadable[] = {{"3/14/2006 13:05", 13, 5, 0},
                   {"03/14/2006 1:05:09 PM", 13, 5, 9},
                   {"3/14/2006 12:00:00 AM", 0, 0, 0},
                   {" 3/14/2006  11:59:59 PM ", 23, 59, 59}};
  for (const auto& r : kReadable) {
    double dRead = 0, dExpected = 0;
    ASSERT_TRUE(DateText::ParseDateTime(r.text, dRead)) << r.text;
    ASSERT_TRUE(DateText::ToDays(2006, 3, 14, r.hour, r.minute, r.second, dExpected));
    EXPECT_DOUBLE_EQ(dExpected, dRead) << r.text;
  }
  // Another locale's way of writing the same moment is not this format.
  for (const char* text : {"14.03.2006 13:05:09", "2006-03-14 13:05:09", "14/3/2006", "3/14/2006 13:05 PM",
                           "3/14/06x", "3/14/2006 0:00 AM"}) {
    double dRead = 0;
    EXPECT_FALSE(DateText::ParseDateTime(text, dRead)) << text;
  }
}

}  // namespace
