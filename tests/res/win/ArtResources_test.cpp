// The drawn resources as the program uses them: icons at the sizes and
// colour depths their users ask for, the greeting's picture, and the
// animation opened and played by the system's animation control.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <vector>

#include "res/IconsRes.h"
#include "support/win/IconGroup.h"

namespace {

using test::GroupEntry;

struct Image {
  int size;
  int bits;
  bool operator==(const Image& o) const { return size == o.size && bits == o.bits; }
};

std::vector<Image> IconImages(UINT id) {
  std::vector<Image> images;
  const HMODULE module = ::GetModuleHandleA(nullptr);
  const HRSRC found = ::FindResourceA(module, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(14));
  if (!found) return images;
  const BYTE* group = static_cast<const BYTE*>(::LockResource(::LoadResource(module, found)));
  const WORD count = *reinterpret_cast<const WORD*>(group + 4);
  for (WORD i = 0; i < count; ++i) {
    const auto* entry = reinterpret_cast<const GroupEntry*>(group + 6 + i * sizeof(GroupEntry));
    images.push_back({entry->width, entry->bitCount});
  }
  return images;
}

TEST(ArtResources, IconsHoldTheSizesTheirUsersAskFor) {
  const std::vector<Image> trueColour{{16, 32}, {32, 32}};
  // The grid's image list is 16-colour: its small image is drawn in those.
  const std::vector<Image> status{{16, 4}, {32, 32}};
  const struct {
    UINT id;
    std::vector<Image> images;
  } cases[] = {
      {IDI_CHECK_UPDATES, trueColour}, {IDI_HELP, trueColour},  {IDI_SETTINGS, trueColour},
      {IDI_SEND_REPORTS, trueColour},  {IDI_CLOSE, trueColour}, {IDI_BENIGN, status},
      {IDI_UNKNOWN, status},           {IDI_MALWARE, status},   {IDI_INVESTIGATING, status},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.images, IconImages(c.id)) << c.id;
    for (const Image& image : c.images) {
      const HICON icon = static_cast<HICON>(::LoadImageA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(c.id),
                                                         IMAGE_ICON, image.size, image.size, 0));
      EXPECT_NE(nullptr, icon) << c.id << " at " << image.size;
      if (icon) ::DestroyIcon(icon);
    }
  }
}

TEST(ArtResources, StatusIconsGoIntoASixteenColourImageList) {
  const HIMAGELIST list = ImageList_Create(16, 16, ILC_COLOR4 | ILC_MASK, 3, 1);
  ASSERT_NE(nullptr, list);
  int expected = 0;
  for (UINT id : {IDI_BENIGN, IDI_UNKNOWN, IDI_MALWARE, IDI_INVESTIGATING}) {
    const HICON icon = static_cast<HICON>(
        ::LoadImageA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), IMAGE_ICON, 16, 16, 0));
    ASSERT_NE(nullptr, icon) << id;
    EXPECT_EQ(expected++, ImageList_AddIcon(list, icon)) << id;
    ::DestroyIcon(icon);
  }
  ImageList_Destroy(list);
}

TEST(ArtResources, GreetingPictureIsAboutOneHundredAndTwentyPixels) {
  const HBITMAP bitmap = static_cast<HBITMAP>(
      ::LoadImageA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDB_GREETING), IMAGE_BITMAP, 0, 0, 0));
  ASSERT_NE(nullptr, bitmap);
  BITMAP info{};
  ::GetObjectA(bitmap, sizeof info, &info);
  EXPECT_EQ(120, info.bmWidth);
  EXPECT_EQ(120, info.bmHeight);
  ::DeleteObject(bitmap);
}

TEST(ArtResources, AnimationOpensAndPlaysInTheAnimationControl) {
  INITCOMMONCONTROLSEX classes{sizeof classes, ICC_ANIMATE_CLASS};
  ASSERT_TRUE(::InitCommonControlsEx(&classes));
  const HWND hAnimate = ::CreateWindowExA(0, ANIMATE_CLASSA, "", WS_POPUP | ACS_TIMER, 0, 0, 10, 10, nullptr,
                                          nullptr, ::GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(nullptr, hAnimate);
  EXPECT_TRUE(::SendMessageA(hAnimate, ACM_OPENA, reinterpret_cast<WPARAM>(::GetModuleHandleA(nullptr)),
                             reinterpret_cast<LPARAM>(MAKEINTRESOURCEA(IDR_MYMODELESSDLG_AVI))));
  // Without ACS_CENTER the control takes the frame's size.
  RECT r{};
  ::GetWindowRect(hAnimate, &r);
  EXPECT_EQ(64, r.right - r.left);
  EXPECT_EQ(48, r.bottom - r.top);
  // From the first to the last frame, without end; the last frame exists.
  EXPECT_TRUE(::SendMessageA(hAnimate, ACM_PLAY, static_cast<WPARAM>(-1), MAKELONG(0, 0xFFFF)));
  EXPECT_TRUE(::SendMessageA(hAnimate, ACM_STOP, 0, 0));
  EXPECT_TRUE(::SendMessageA(hAnimate, ACM_PLAY, 1, MAKELONG(23, 23)));
  EXPECT_FALSE(::SendMessageA(hAnimate, ACM_PLAY, 1, MAKELONG(24, 24)));
  ::DestroyWindow(hAnimate);
}

}  // namespace
