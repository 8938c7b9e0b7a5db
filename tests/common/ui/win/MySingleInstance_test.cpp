// The single-run guard: the first holder keeps it, a second one fails and
// brings the first copy's window back.
#include "common/ui/win/MySingleInstance.h"

#include <windows.h>
#include <gtest/gtest.h>

#include <string>

#include "support/TestSupport.h"

namespace {

TEST(MySingleInstanceTest, SecondCopyFailsAndRestoresTheFirstWindow) {
  test::ScopedLog log;
  const std::string name = "Tarvolin Guard Test " + std::to_string(::GetCurrentProcessId());
  MySingleInstance first;
  ASSERT_EQ(kSOk, first.Create(name));
  EXPECT_TRUE(first.IsHeld());
  EXPECT_EQ(name + " Class", first.GetClassName());

  // The first copy's main window, of the guard's class, minimised.
  const HWND hWnd = ::CreateWindowExA(0, first.GetClassName().c_str(), name.c_str(), WS_OVERLAPPEDWINDOW, 0,
                                      0, 200, 100, nullptr, nullptr, ::GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(nullptr, hWnd);
  ::ShowWindow(hWnd, SW_SHOWMINIMIZED);
  ASSERT_TRUE(::IsIconic(hWnd));

  MySingleInstance second;
  EXPECT_EQ(kEFail, second.Create(name));
  EXPECT_FALSE(second.IsHeld());
  EXPECT_FALSE(::IsIconic(hWnd));
  EXPECT_TRUE(::IsWindowVisible(hWnd));
  ::DestroyWindow(hWnd);
  EXPECT_TRUE(first.IsHeld());  // the second copy's failure leaves the guard with the first
}

TEST(MySingleInstanceTest, GuardIsFreeAfterTheHolderEnds) {
  test::ScopedLog log;
  const std::string name = "Tarvolin Guard Free " + std::to_string(::GetCurrentProcessId());
  {
    MySingleInstance holder;
    ASSERT_EQ(kSOk, holder.Create(name));
  }
  MySingleInstance next;
  EXPECT_EQ(kSOk, next.Create(name));
}

}  // namespace
