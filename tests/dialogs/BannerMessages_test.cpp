// The banner's whole sequence on a fixed clock and a scripted random
// generator: the 87 fixed texts, the ten generated ones with their colours,
// sizes and speeds, the end flag and the start over.
#include "dialogs/BannerMessages.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

// Tuesday 14 March 2023, 15:09 local time: the clock of every case.
std::time_t FixedClock() {
  std::tm tm{};
  tm.tm_year = 123;
  tm.tm_mon = 2;
  tm.tm_mday = 14;
  tm.tm_hour = 15;
  tm.tm_min = 9;
  tm.tm_isdst = -1;
  return std::mktime(&tm);
}

// Counts up from 0 so that each draw is known.
struct CountingRandom {
  int n = 0;
  int operator()() { return n++; }
};

class BannerSequence : public ::testing::Test {
 protected:
  CountingRandom random;
  Banner::Sequence seq{FixedClock, [this] { return random(); }};
};

TEST_F(BannerSequence, FixedTextsComeFirstInTheirOrder) {
  const auto& fixed = Banner::FixedTexts();
  ASSERT_EQ(87u, fixed.size());
  std::set<std::string> distinct(fixed.begin(), fixed.end());
  EXPECT_EQ(87u, distinct.size());
  EXPECT_NE(distinct.end(),
            distinct.find("Please be sure you have the latest version of Tarvolin!  Just click the "
                          "'Check for Updates' button, and you can tell Tarvolin to do this "
                          "automagically on a regular basis!"));
  for (std::size_t n = 0; n < fixed.size(); ++n) {
    EXPECT_FALSE(fixed[n].empty());
    const Banner::Message message = seq.Next();
    EXPECT_EQ(static_cast<int>(n), seq.Counter());
    ASSERT_EQ(1u, message.items.size());
    EXPECT_EQ(fixed[n], message.items[0].text);
    EXPECT_EQ(Banner::kDefaultColour, message.items[0].crText);
    EXPECT_EQ(-1, message.nSpeed);
    EXPECT_EQ(0, message.cx);
    EXPECT_FALSE(seq.TakeEndFlag());
  }
}

TEST_F(BannerSequence, GeneratedMessagesThenTheEndAndOverAgain) {
  for (int n = 0; n < Banner::kFixedCount; ++n) seq.Next();

  Banner::Message m = seq.Next();
  EXPECT_EQ("It's 15:09 - time to support excellent freeware, no?", m.Text());

  m = seq.Next();
  ASSERT_EQ(2u, m.items.size());
  EXPECT_EQ("An important message from the Department of Homela-", m.items[0].text);
  EXPECT_NE(Banner::kDefaultColour, m.items[0].crText);
  EXPECT_NE(Banner::kDefaultColour, m.items[0].crBack);
  EXPECT_EQ("    What?  Oops, wrong switch.", m.items[1].text);
  EXPECT_EQ(Banner::kDefaultColour, m.items[1].crText);

  m = seq.Next();
  EXPECT_EQ("Today is Wednesday, March 15, 2023.                         Just kidding!", m.Text());

  m = seq.Next();
  EXPECT_EQ(100, m.nSpeed);
  EXPECT_EQ(
      "If you don't press the PayPal button, I'll play the rest of the messages    at      this       speed.",
      m.Text());

  m = seq.Next();
  std::string numbers;
  for (int n = 0; n < 25; ++n) numbers += (n ? ", " : "") + std::to_string(n % 523 + 1066);
  EXPECT_EQ(
      "Next up: Twenty-five random numbers between 1066 and 1588 (inclusive on both ends): " + numbers + ".",
      m.Text());
  EXPECT_EQ(-1, m.nSpeed);

  m = seq.Next();
  EXPECT_EQ("*WE* control the vertical...", m.Text());
  EXPECT_EQ(215, m.cx);
  EXPECT_EQ(30, m.cy);

  m = seq.Next();
  EXPECT_EQ("*WE* control the horizontal...", m.Text());
  EXPECT_EQ(40, m.cx);
  EXPECT_EQ(16, m.cy);
  EXPECT_EQ(50, m.nSpeed);

  random.n = 250;  // channels past 255 wrap
  m = seq.Next();
  ASSERT_EQ(8u, m.items.size());
  EXPECT_EQ("*WE* have a very poor sense of color.", m.Text());
  EXPECT_EQ(250u | (251u << 8) | (252u << 16), m.items[0].crText);
  EXPECT_EQ(253u | (254u << 8) | (255u << 16), m.items[0].crBack);
  EXPECT_EQ(0u | (1u << 8) | (2u << 16), m.items[1].crText);
  EXPECT_EQ(215, m.cx);
  EXPECT_EQ(16, m.cy);
  EXPECT_EQ(-1, m.nSpeed);

  m = seq.Next();
  EXPECT_EQ("SLOWER TRAFFIC KEEP RIGHT", m.Text());
  EXPECT_NE(Banner::kDefaultColour, m.items[0].crText);

  EXPECT_FALSE(seq.TakeEndFlag());
  m = seq.Next();
  EXPECT_EQ(
      "Well, you've done it - you've reached the end.  Congratulations!                            Now SEND "
      "US "
      "YOUR MONEY!!",
      m.Text());
  EXPECT_EQ(-1, seq.Counter());
  EXPECT_TRUE(seq.TakeEndFlag());
  EXPECT_FALSE(seq.TakeEndFlag());  // asked once

  EXPECT_EQ(Banner::FixedTexts()[0], seq.Next().Text());
}

TEST_F(BannerSequence, ACounterOutsideTheSequenceIsReportedAndStartsOver) {
  for (const int nStart : {200, -7}) {
    seq.SetCounter(nStart);
    const Banner::Message m = seq.Next();
    EXPECT_EQ(
        "Hey, tell tech support there's a bug in 'SettingsDlg::BannerTextFinished()' at line 620.  No, "
        "seriously.  (Tell them 'nMsg' is " +
            std::to_string(nStart + 1) + "; they'll know what that means.  Ask for Rerize.",
        m.Text());
    EXPECT_EQ(-1, seq.Counter());
    EXPECT_FALSE(seq.TakeEndFlag());
  }
}

}  // namespace
