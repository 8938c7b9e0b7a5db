// The grid's images in a real system image list: the program's icon, a
// file's first icon, the standard icon for a file without one, and the
// count cut from the end.
#include "controls/win/GridImageListWin.h"

#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "controls/win/GdiHandles.h"
#include "res/resource.h"
#include "support/TestSupport.h"

namespace {

std::string OwnPath() {
  char path[MAX_PATH] = {};
  ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  return path;
}

// The image drawn on white, pixel by pixel.
std::vector<std::uint32_t> Pixels(HIMAGELIST hList, int index) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = 16;
  info.bmiHeader.biHeight = -16;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* pBits = nullptr;
  Gdi::Bitmap dib(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pBits, nullptr, 0));
  Gdi::MemoryDc dc(::CreateCompatibleDC(nullptr));
  if (!dib || !dc || !pBits) return {};
  Gdi::Select select(dc.Get(), dib.Get());
  ::PatBlt(dc.Get(), 0, 0, 16, 16, WHITENESS);
  ::ImageList_Draw(hList, index, dc.Get(), 0, 0, ILD_TRANSPARENT);
  ::GdiFlush();
  const auto* p = static_cast<const std::uint32_t*>(pBits);
  return std::vector<std::uint32_t>(p, p + 256);
}

TEST(GridImageListWin, HoldsResourceAndFileIconsAtItsSize) {
  auto pList = GridImageList::Create(16, 16, 3, 1);
  ASSERT_TRUE(pList);
  const HIMAGELIST hList = GetImageListHandle(*pList);
  ASSERT_NE(nullptr, hList);
  int cx = 0, cy = 0;
  ASSERT_TRUE(::ImageList_GetIconSize(hList, &cx, &cy));
  EXPECT_EQ(16, cx);
  EXPECT_EQ(16, cy);

  EXPECT_EQ(0, pList->AddResourceIcon(IDR_MAINFRAME));
  EXPECT_EQ(-1, pList->AddResourceIcon(4711));  // no such icon
  EXPECT_EQ(1, pList->AddFileIcon(OwnPath()));
  test::TempDir dir;
  test::WriteFile(dir.File("plain.txt"), "no icons in here");
  EXPECT_EQ(2, pList->AddFileIcon(dir.File("plain.txt")));    // the standard icon
  EXPECT_EQ(3, pList->AddFileIcon(dir.File("missing.dll")));  // likewise
  EXPECT_EQ(4, pList->AddFileIcon(""));
  EXPECT_EQ(5, pList->GetImageCount());
  EXPECT_EQ(5, ::ImageList_GetImageCount(hList));

  // The program's own file shows the program's icon; a file without one the standard icon.
  EXPECT_EQ(Pixels(hList, 0), Pixels(hList, 1));
  EXPECT_NE(Pixels(hList, 0), Pixels(hList, 2));
  EXPECT_EQ(Pixels(hList, 2), Pixels(hList, 3));

  EXPECT_TRUE(pList->SetImageCount(2));
  EXPECT_EQ(2, pList->GetImageCount());
  EXPECT_EQ(2, pList->AddResourceIcon(IDR_MAINFRAME));
  EXPECT_FALSE(pList->SetImageCount(-1));
}

// A list made elsewhere has no system handle to give.
TEST(GridImageListWin, OtherListsHaveNoHandle) {
  class Other : public GridImageList {
   public:
    int AddResourceIcon(unsigned) override { return -1; }
    int AddFileIcon(const std::string&) override { return -1; }
    int GetImageCount() const override { return 0; }
    bool SetImageCount(int) override { return false; }
  } other;
  EXPECT_EQ(nullptr, GetImageListHandle(other));
}

}  // namespace
