// Without a window system the image list hands out the indexes Windows
// would: one per added image, in order, and drops from the end.
#include <gtest/gtest.h>

#include "controls/GridImageList.h"

TEST(GridImageListPosix, IndexesFollowTheAddedImages) {
  auto pList = GridImageList::Create(16, 16, 3, 1);
  ASSERT_TRUE(pList);
  EXPECT_EQ(0, pList->GetImageCount());
  EXPECT_EQ(0, pList->AddResourceIcon(135));
  EXPECT_EQ(1, pList->AddResourceIcon(136));
  EXPECT_EQ(2, pList->AddFileIcon("/no/such/file.dll"));
  EXPECT_EQ(3, pList->GetImageCount());
  EXPECT_TRUE(pList->SetImageCount(1));
  EXPECT_EQ(1, pList->AddFileIcon(""));
  EXPECT_FALSE(pList->SetImageCount(-1));
  EXPECT_EQ(2, pList->GetImageCount());
}
