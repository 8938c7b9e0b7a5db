// Local dates and times as day counts and as text in the user's format:
// the calendar arithmetic against known variant dates, and the round trip
// of the text through the platform's own format (the system's variant-date
// conversions under Wine, the stand-in natively).
#include "common/base/DateText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "common/base/DateTextCommon.h"

namespace {

struct Known {
  int year, month, day, hour, minute, second;
  double dDays;  // the variant date of the same moment
  int dayOfWeek;
};

// Variant dates as the system's date conversions give them.
const Known kKnown[] = {
    {1900, 1, 1, 0, 0, 0, 2.0, 1},         {1900, 3, 1, 0, 0, 0, 61.0, 4},
    {1970, 1, 1, 0, 0, 0, 25569.0, 4},     {2000, 2, 29, 12, 0, 0, 36585.5, 2},
    {2006, 3, 14, 18, 0, 0, 38790.75, 2},  {2024, 12, 31, 23, 59, 59, 45657.0 + 86399.0 / 86400.0, 2},
    {9999, 12, 31, 0, 0, 0, 2958465.0, 5},
};

TEST(DateTextDays, MatchTheSystemsVariantDates) {
  for (const Known& k : kKnown) {
    SCOPED_TRACE(std::to_string(k.year) + "-" + std::to_string(k.month) + "-" + std::to_string(k.day));
    double dDays = 0;
    ASSERT_TRUE(DateText::ToDays(k.year, k.month, k.day, k.hour, k.minute, k.second, dDays));
    EXPECT_NEAR(k.dDays, dDays, 1e-9);
    DateText::SystemTimeFields f{};
    ASSERT_TRUE(DateText::FromDays(k.dDays, f));
    EXPECT_EQ(k.year, f.year);
    EXPECT_EQ(k.month, f.month);
    EXPECT_EQ(k.day, f.day);
    EXPECT_EQ(k.hour, f.hour);
    EXPECT_EQ(k.minute, f.minute);
    EXPECT_EQ(k.second, f.second);
    EXPECT_EQ(k.dayOfWeek, f.dayOfWeek);
  }
}

TEST(DateTextDays, RefuseWhatIsNoDateInRange) {
  double dDays = 0;
  const int kBad[][6] = {{2006, 2, 29, 0, 0, 0}, {1900, 2, 29, 0, 0, 0}, {2006, 13, 1, 0, 0, 0},
                         {2006, 0, 1, 0, 0, 0},  {2006, 4, 31, 0, 0, 0}, {2006, 1, 1, 24, 0, 0},
                         {2006, 1, 1, 0, 60, 0}, {2006, 1, 1, 0, 0, 60}, {1899, 12, 31, 0, 0, 0},
                         {10000, 1, 1, 0, 0, 0}};
  for (const auto& b : kBad)
    EXPECT_FALSE(DateText::ToDays(b[0], b[1], b[2], b[3], b[4], b[5], dDays)) << b[0];
  DateText::SystemTimeFields f{};
  for (double d : {-1.0, 0.5, 2958466.0, std::nan("")}) EXPECT_FALSE(DateText::FromDays(d, f)) << d;
  // 23:59:59.6 is the next midnight, to the second.
  ASSERT_TRUE(DateText::FromDays(38790.0 + 86399.6 / 86400.0, f));
  EXPECT_EQ(15, f.day);
  EXPECT_EQ(0, f.hour);
}

TEST(DateTextDays, NowIsTheClocksLocalTimeToTheSecond) {
  const double dNow = DateText::Now();
  EXPECT_GT(dNow, 45000.0);  // after 2023
  const double dSeconds = dNow * 86400.0;
  EXPECT_NEAR(std::round(dSeconds), dSeconds, 1e-3);
}

// What the user's format writes, it reads back: every second of a day that
// is not midnight, midnight itself (written without a time), the ends of
// the range and a leap day.
TEST(DateTextFormat, RoundTripsInTheUsersFormat) {
  const double kMoments[] = {2.0,
                             38790.0,
                             38790.0 + 1.0 / 86400.0,
                             38790.0 + 43200.0 / 86400.0,
                             38790.0 + 46800.0 / 86400.0,
                             38790.0 + 86399.0 / 86400.0,
                             36585.0 + 3723.0 / 86400.0,
                             45657.0 + 45296.0 / 86400.0,
                             2958465.0 + 86399.0 / 86400.0};
  for (double dMoment : kMoments) {
    const std::string text = DateText::FormatDateTime(dMoment);
    SCOPED_TRACE(text);
    ASSERT_FALSE(text.empty()) << dMoment;
    double dBack = -1;
    ASSERT_TRUE(DateText::ParseDateTime(text, dBack));
    EXPECT_NEAR(dMoment, dBack, 0.5 / 86400.0);
  }
  EXPECT_EQ("", DateText::FormatDateTime(0.5));
  EXPECT_EQ("", DateText::FormatDateTime(3e6));
}

// Texts a user, another program or a hostile installer may leave behind.
TEST(DateTextFormat, TextsThatAreNoDateDoNotParse) {
  for (const char* text : {"", " ", "not a date at all", "yesterday", "3/14/2006 25:61:00 XM", "\x01\x02",
                           "99/99/9999", "3/14/2006 1:05:09 PM and then some"}) {
    double dDays = -1;
    EXPECT_FALSE(DateText::ParseDateTime(text, dDays)) << "<" << text << ">";
  }
}

}  // namespace
