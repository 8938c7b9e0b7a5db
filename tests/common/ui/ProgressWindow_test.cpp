// Progress without a window: the texts of the silent output mode.
#include "common/ui/ProgressWindow.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

TEST(ProgressWindow, WithoutAWindowEachTextIsOneLineOnStandardError) {
  const auto previous = ProgressWindow::SetFactory(nullptr);
  testing::internal::CaptureStderr();
  {
    const auto progress = ProgressWindow::Create();
    progress->SetMessage("Downloading:\r\n\r\nC:\\x\\Tarvolin20List.zip");
    progress->SetMessage("Unzipping...");
  }
  EXPECT_EQ("Downloading:  C:\\x\\Tarvolin20List.zip\nUnzipping...\n",
            testing::internal::GetCapturedStderr());
  ProgressWindow::SetFactory(previous);
}

TEST(ProgressWindow, TheUserInterfaceMayInstallItsWindow) {
  struct Counting : ProgressWindow {
    explicit Counting(int& n) : m_n(n) {}
    void SetMessage(const std::string&) override { ++m_n; }
    int& m_n;
  };
  int messages = 0;
  const auto previous = ProgressWindow::SetFactory([&] { return std::make_unique<Counting>(messages); });
  ProgressWindow::Create()->SetMessage("x");
  ProgressWindow::SetFactory(previous);
  EXPECT_EQ(1, messages);
}

}  // namespace
