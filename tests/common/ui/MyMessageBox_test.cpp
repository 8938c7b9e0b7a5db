// The memory of a message box per call site and program version.
#include "common/ui/MyMessageBox.h"

#include <gtest/gtest.h>

#include "common/registry/MyRegistry.h"
#include "common/registry/RegistryKeys.h"
#include "common/ui/UserMessage.h"
#include "support/ScopedMemoryRegistry.h"

namespace {

struct Case {
  int answer;
  int nCheckShow;
  bool bNeverRememberCancel;
  DWord stored;
  int nextAnswer;  // what the next DoModal returns; 0 = it shows again
};

class RememberedAnswer : public ::testing::TestWithParam<Case> {};

TEST_P(RememberedAnswer, IsStoredUnderTheCallSite) {
  const Case& c = GetParam();
  test::ScopedMemoryRegistry registry;
  int shows = 0;
  MyMessageBox::SetPresenter([&](const MyMessageBox&, int& nCheckShow) {
    ++shows;
    nCheckShow = c.nCheckShow;
    return c.answer;
  });
  MyMessageBox box("text", "C:\\src\\app\\Tarvolin.cpp", 385, 5007, 0x30);
  box.m_bNeverRememberCancel = c.bNeverRememberCancel;
  EXPECT_EQ("Tarvolin_385_2.0.0.23", box.GetValueName());
  EXPECT_EQ(c.answer, box.DoModal());

  MyRegistry always(Registry::kCurrentUser, std::string(REGKEY_PROGRAM) + "\\MyMessageBoxAlways", false);
  DWord dw = 0;
  ASSERT_TRUE(always.ReadValueDWord("Tarvolin_385_2.0.0.23", dw));
  EXPECT_EQ(c.stored, dw);

  const int again = box.DoModal();
  MyMessageBox::SetPresenter(nullptr);
  if (c.nextAnswer) {
    EXPECT_EQ(c.nextAnswer, again);
    EXPECT_EQ(1, shows);
  } else {
    EXPECT_EQ(2, shows);
  }
}

INSTANTIATE_TEST_SUITE_P(Answers, RememberedAnswer,
                         ::testing::Values(Case{1, 0, false, 0x10000, 1}, Case{1, 1, false, 0x10001, 0},
                                           Case{2, 0, false, 0x20000, 2}, Case{2, 1, false, 0x20001, 0},
                                           Case{2, 0, true, 0x20001, 0}));

TEST(MyMessageBox, AnotherVersionOrLineAsksAgain) {
  test::ScopedMemoryRegistry registry;
  {
    MyRegistry always(Registry::kCurrentUser, std::string(REGKEY_PROGRAM) + "\\MyMessageBoxAlways", true);
    always.SaveValueDWord("Bho_991_2.0.0.22", 0x10000);
    always.SaveValueDWord("Bho_990_2.0.0.23", 0x10000);
  }
  int shows = 0;
  MyMessageBox::SetPresenter([&](const MyMessageBox&, int&) {
    ++shows;
    return 1;
  });
  MyMessageBox("t", "Bho.cpp", 991, 0, 0x40).DoModal();
  MyMessageBox::SetPresenter(nullptr);
  EXPECT_EQ(1, shows);
}

}  // namespace
