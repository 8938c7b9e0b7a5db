#include "common/ui/GenericPlacement.h"

#include <gtest/gtest.h>

#include <cstring>

#include "common/base/ErrorCheck.h"
#include "common/base/SystemApi.h"
#include "common/registry/MyRegistry.h"
#include "common/ui/PlacementWindow.h"
#include "support/ScopedMemoryRegistry.h"
#include "support/TestSupport.h"

namespace {

const char kPlacements[] = "Software\\Kestrove\\Tarvolin 2.0\\Placements";

// A window that remembers what was done to it.
class FakeWindow : public PlacementWindow {
 public:
  bool GetWindowPlacement(WindowPlacementRecord& record) override {
    if (!m_bCanGet) return false;
    record = m_placement;
    return true;
  }
  bool SetWindowPlacement(const WindowPlacementRecord& record) override {
    m_placement = record;
    ++m_nApplied;
    return true;
  }
  bool IsResizable() override { return m_bResizable; }
  bool MoveTo(int left, int top) override {
    m_placement.right += left - m_placement.left;
    m_placement.bottom += top - m_placement.top;
    m_placement.left = left;
    m_placement.top = top;
    ++m_nMoved;
    return true;
  }
  int GetScreenWidthPixels() override { return m_nScreenWidth; }

  WindowPlacementRecord m_placement;
  bool m_bCanGet = true;
  bool m_bResizable = true;
  int m_nScreenWidth = 1280;
  int m_nApplied = 0;
  int m_nMoved = 0;
};

WindowPlacementRecord Placement(int left, int top, int right, int bottom, std::uint32_t showCmd) {
  WindowPlacementRecord wp;
  wp.flags = 2;
  wp.showCmd = showCmd;
  wp.minX = wp.minY = -1;
  wp.maxX = wp.maxY = -1;
  wp.left = left;
  wp.top = top;
  wp.right = right;
  wp.bottom = bottom;
  return wp;
}

class PlacementTest : public ::testing::Test {
 protected:
  void SaveAt(int left, int top, int right, int bottom) {
    FakeWindow saved;
    saved.m_placement = Placement(left, top, right, bottom, 1);
    ASSERT_EQ(kSOk, Generic::SaveWindowPlacement(&saved, kPlacements, "CAboutDlg"));
  }
  std::string Logged() const { return m_log.Messages().substr(m_sBefore.size()); }

  test::ScopedMemoryRegistry m_registry;
  test::ScopedLog m_log;
  std::string m_sBefore = m_log.Messages();
  FakeWindow m_window;
};

TEST(WindowPlacementRecordTest, FortyFourLittleEndianBytesInFieldOrder) {
  const WindowPlacementRecord wp = Placement(10, -20, 300, 400, 3);
  std::uint8_t bytes[WindowPlacementRecord::kSize];
  wp.ToBytes(bytes);
  const std::uint8_t expected[WindowPlacementRecord::kSize] = {
      44,   0,    0,    0,    2,    0,    0,    0,    3,    0,    0,    0,    0xFF, 0xFF, 0xFF,
      0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 10,   0,
      0,    0,    0xEC, 0xFF, 0xFF, 0xFF, 0x2C, 1,    0,    0,    0x90, 1,    0,    0};
  EXPECT_EQ(0, std::memcmp(expected, bytes, sizeof bytes));
  WindowPlacementRecord back;
  back.FromBytes(bytes);
  EXPECT_EQ(0, std::memcmp(&wp, &back, sizeof wp));
}

TEST_F(PlacementTest, SavedPlacementIsRestored) {
  SaveAt(10, 20, 310, 220);
  MyRegistry reg(Registry::kCurrentUser, std::string(kPlacements) + "\\CAboutDlg", false);
  int width = 0;
  EXPECT_TRUE(reg.ReadValueInt("LastScreenWidthPixels", width));
  EXPECT_EQ(1280, width);
  DWord size = 0;
  EXPECT_TRUE(reg.ReadValueBinary("WindowPlacement", nullptr, size));
  EXPECT_EQ(44u, size);

  EXPECT_EQ(1, Generic::RestoreWindowPlacement(m_window, 50, 50, kPlacements, "CAboutDlg", -1));
  EXPECT_EQ(1, m_window.m_nApplied);
  EXPECT_EQ(10, m_window.m_placement.left);
  EXPECT_EQ(220, m_window.m_placement.bottom);
  EXPECT_EQ(44, m_window.m_placement.length);
}

TEST_F(PlacementTest, ShowCommandArgumentReplacesTheStoredOne) {
  SaveAt(10, 20, 310, 220);
  EXPECT_EQ(7, Generic::RestoreWindowPlacement(m_window, 0, 0, kPlacements, "CAboutDlg", 7));
  EXPECT_EQ(7u, m_window.m_placement.showCmd);
}

TEST_F(PlacementTest, PlacementFromAScreenOfAnotherWidthIsIgnored) {
  SaveAt(10, 20, 310, 220);
  m_window.m_nScreenWidth = 1024;
  EXPECT_EQ(-1, Generic::RestoreWindowPlacement(m_window, 300, 200, kPlacements, "CAboutDlg", -1));
  EXPECT_EQ(0, m_window.m_nApplied);
  EXPECT_EQ(0, m_window.m_nMoved);
}

TEST_F(PlacementTest, FixedSizeDialogOfAnotherSizeIsOnlyMoved) {
  SaveAt(10, 20, 310, 220);
  m_window.m_bResizable = false;
  m_window.m_placement = Placement(500, 500, 600, 650, 1);
  EXPECT_EQ(-1, Generic::RestoreWindowPlacement(m_window, 100, 150, kPlacements, "CAboutDlg", -1));
  EXPECT_EQ(0, m_window.m_nApplied);
  EXPECT_EQ(1, m_window.m_nMoved);
  EXPECT_EQ(10, m_window.m_placement.left);
  EXPECT_EQ(20, m_window.m_placement.top);
  EXPECT_EQ(110, m_window.m_placement.right);  // its own size kept
  EXPECT_EQ(170, m_window.m_placement.bottom);

  // The same size as stored: the whole placement applies.
  EXPECT_EQ(1, Generic::RestoreWindowPlacement(m_window, 300, 200, kPlacements, "CAboutDlg", -1));
  EXPECT_EQ(1, m_window.m_nApplied);
}

TEST_F(PlacementTest, NothingStoredRestoresNothing) {
  EXPECT_EQ(-1, Generic::RestoreWindowPlacement(m_window, 0, 0, kPlacements, "CAboutDlg", -1));
  // A key without the record (or with a broken one) restores nothing either.
  MyRegistry reg(Registry::kCurrentUser, std::string(kPlacements) + "\\CAboutDlg", true);
  EXPECT_EQ(-1, Generic::RestoreWindowPlacement(m_window, 0, 0, kPlacements, "CAboutDlg", -1));
  const std::uint8_t shortRecord[4] = {44, 0, 0, 0};
  ASSERT_TRUE(reg.SaveValueBinary("WindowPlacement", shortRecord, sizeof shortRecord));
  EXPECT_EQ(-1, Generic::RestoreWindowPlacement(m_window, 0, 0, kPlacements, "CAboutDlg", -1));
  EXPECT_EQ(0, m_window.m_nApplied);
  // The key is not created by a restore.
  long error = 0;
  EXPECT_FALSE(MyRegistry::TestOpen(Registry::kCurrentUser, std::string(kPlacements) + "\\COther", error));
  EXPECT_EQ(-1, Generic::RestoreWindowPlacement(m_window, 0, 0, kPlacements, "COther", -1));
  EXPECT_FALSE(MyRegistry::TestOpen(Registry::kCurrentUser, std::string(kPlacements) + "\\COther", error));
}

TEST_F(PlacementTest, SaveWithoutAWindowSkipsEveryStep) {
  SystemApi::SetLastError(1400);
  EXPECT_EQ(kEFail, Generic::SaveWindowPlacement(nullptr, kPlacements, "CAboutDlg"));
  const std::string logged = Logged();
  EXPECT_NE(std::string::npos, logged.find("<pWnd> failed with error <1400>: <"));
  EXPECT_NE(std::string::npos, logged.find("EC_ skipped executing <regWrite.IsOpen()>.\n"));
  EXPECT_NE(std::string::npos, logged.find("EC_ skipped executing <pWnd->GetWindowPlacement(&wp)>.\n"));
  EXPECT_NE(std::string::npos,
            logged.find("EC_ skipped executing <regWrite.SaveValueBinary(\"WindowPlacement\", "
                        "reinterpret_cast<BYTE*> (&wp), sizeof(wp))>.\n"));
  EXPECT_NE(std::string::npos,
            logged.find("EC_ skipped executing <regWrite.SaveValueInt(\"LastScreenWidthPixels\", "
                        "nLastScreenWidthPixels)>.\n"));
}

TEST_F(PlacementTest, FailedPlacementQueryStoresNothing) {
  m_window.m_bCanGet = false;
  EXPECT_EQ(kEFail, Generic::SaveWindowPlacement(&m_window, kPlacements, "CAboutDlg"));
  MyRegistry reg(Registry::kCurrentUser, std::string(kPlacements) + "\\CAboutDlg", false);
  EXPECT_FALSE(reg.ProbeValue("WindowPlacement"));
  EXPECT_NE(std::string::npos, Logged().find("<pWnd->GetWindowPlacement(&wp)> failed with error <"));
}

}  // namespace
