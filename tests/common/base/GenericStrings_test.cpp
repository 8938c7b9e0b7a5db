#include "common/base/GenericStrings.h"

#include <gtest/gtest.h>

#include <climits>

#include "common/ui/GenericColors.h"

namespace {

TEST(CompareVersionsTest, Table) {
  struct Case {
    const char* first;
    const char* second;
    int sign;
  };
  const Case cases[] = {
      {"2.0.0.23", "2.0.1", -1},
      {"2.1", "2.1.0", 0},
      {"2.1.0.0", "2.1", 0},
      {"2.0.0.24", "2.0.0.23", 1},
      {"10.0", "9.9", 1},
      {"2.0b.3", "2.0.3", 0},  // a component is its leading digits only
      {"x.1", "0.1", 0},       // no digits reads as 0
      {"", "0.0", 0},
      {"1..2", "1.0.2", 0},
      {"1.2", "1.10", -1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.first) + " vs " + c.second);
    const int result = Generic::CompareVersions(c.first, c.second);
    EXPECT_EQ(c.sign, (result > 0) - (result < 0));
  }
  EXPECT_EQ(-1, Generic::CompareVersions("2.0.0.23", "2.0.1"));  // the difference itself
  EXPECT_EQ(7, Generic::CompareVersions("1,9", "1,2", ','));
  EXPECT_EQ(9, Generic::CompareVersions("1,9", "1.9", ','));  // "1.9" is one component: 1
  EXPECT_EQ(0, Generic::CompareVersions("1,9", "1.5,9", ','));
}

TEST(FormatThousandsTest, Table) {
  const std::pair<long long, const char*> cases[] = {
      {1005020, "1,005,020"},
      {-7, "-7"},
      {1000, "1,000"},
      {0, "0"},
      {999, "999"},
      {-1000, "-1,000"},
      {1000000, "1,000,000"},
      {-123456789, "-123,456,789"},
      {LLONG_MIN, "-9,223,372,036,854,775,808"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.second, Generic::FormatThousands(c.first)) << c.first;
}

TEST(RoundToTest, RoundsHalfUp) {
  EXPECT_DOUBLE_EQ(1.24, Generic::RoundTo(1.2449, 2));
  EXPECT_DOUBLE_EQ(1.25, Generic::RoundTo(1.245, 2));
  EXPECT_DOUBLE_EQ(3.0, Generic::RoundTo(2.5, 0));
  EXPECT_DOUBLE_EQ(-2.0, Generic::RoundTo(-2.5, 0));  // half up, not away from zero
  EXPECT_DOUBLE_EQ(1230.0, Generic::RoundTo(1234.0, -1));
}

TEST(ParseNumberTest, KeepsOnlyNumberCharacters) {
  EXPECT_DOUBLE_EQ(1005020.0, Generic::ParseNumber("1,005,020 bytes"));
  EXPECT_DOUBLE_EQ(-12.5, Generic::ParseNumber("- 12.5 %"));
  EXPECT_DOUBLE_EQ(0.0, Generic::ParseNumber("none"));
  EXPECT_DOUBLE_EQ(2.0, Generic::ParseNumber("v2"));
}

TEST(SplitWordsTest, AppendsRunsBetweenWhiteSpace) {
  std::list<std::string> words = {"kept"};
  Generic::SplitWords("  one\ttwo\r\nthree  ", words);
  EXPECT_EQ((std::list<std::string>{"kept", "one", "two", "three"}), words);
  Generic::SplitWords(" \t ", words);
  EXPECT_EQ(4u, words.size());
}

TEST(IsAllPunctuationTest, Table) {
  EXPECT_TRUE(Generic::IsAllPunctuation(""));
  EXPECT_TRUE(Generic::IsAllPunctuation("...!?-"));
  EXPECT_FALSE(Generic::IsAllPunctuation("..a"));
  EXPECT_FALSE(Generic::IsAllPunctuation("- -"));
  EXPECT_FALSE(Generic::IsAllPunctuation("1."));
}

TEST(TrimTest, RemovesWhiteSpaceAtBothEnds) {
  EXPECT_EQ("a b", Generic::Trim(" \t a b\r\n"));
  EXPECT_EQ("", Generic::Trim("  "));
  EXPECT_EQ("x", Generic::Trim("x"));
}

TEST(HLSToRGBTest, Table) {
  struct Case {
    int hue, lightness, saturation;
    DWord rgb;  // 0x00BBGGRR
  };
  const Case cases[] = {
      {0, 120, 240, 0x0000FF}, {80, 120, 240, 0x00FF00},  {160, 120, 240, 0xFF0000}, {40, 120, 240, 0x00FFFF},
      {0, 0, 0, 0x000000},     {0, 240, 0, 0xFFFFFF},     {0, 120, 0, 0x7F7F7F},     {0, 240, 240, 0xFFFFFF},
      {0, 60, 240, 0x000080},  {160, 180, 240, 0xFF8080},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.rgb, Generic::HLSToRGB(c.hue, c.lightness, c.saturation))
        << c.hue << "," << c.lightness << "," << c.saturation;
  }
}

}  // namespace
