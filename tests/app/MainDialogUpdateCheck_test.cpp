// What the main window does before its update dialog opens: the report
// offer from the sixth start on, the number of BHOs the lists do not know
// well enough, and the column widths kept.
#include <gtest/gtest.h>

#include <string>

#include "app/MainDialogCore.h"
#include "common/registry/MyRegistry.h"
#include "common/registry/RegistryKeys.h"
#include "support/BhoWorld.h"
#include "support/Recorders.h"
#include "support/ScopedUserAnswers.h"

namespace {

TEST(MainDialogUpdateCheck, OffersReportsAboveFiveStartsAndCountsTheUnknown) {
  const struct {
    int counter;  // -1: never written
    bool bOffer;
  } kCases[] = {{-1, false}, {1, false}, {5, false}, {6, true}, {250, true}};
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.counter);
    test::BhoWorld world;
    test::ScopedUserAnswers answers;
    world.WriteMakerList("[General]\r\n[5d41402abc4b2a76b9719d911017c592]\r\nStatus=Benign\r\n");
    world.WriteTextList("O {0DDC0003-0000-4000-8000-000000000003} Thing: Being looked at\r\n");
    world.WriteHtmlList("\r\n");
    test::WriteFile(world.File("known.dll"), "hello");
    test::WriteFile(world.File("other.dll"), "other");
    world.Register("{0DDC0001-0000-4000-8000-000000000001}", world.File("known.dll"));
    world.Register("{0DDC0002-0000-4000-8000-000000000002}", world.File("other.dll"));
    world.Register("{0DDC0003-0000-4000-8000-000000000003}", world.File("other.dll"));
    if (c.counter >= 0) {
      MyRegistry program(Registry::kCurrentUser, REGKEY_PROGRAM, true);
      ASSERT_TRUE(program.SaveValueInt("ProgramRunCounter", c.counter));
    }
    MainDialogCore core;
    core.CreateLists();
    ASSERT_EQ(kSOk, core.LoadListCtrl(MainDialogCore::kShowMinimizedNoActivate));
    const std::size_t logStart = world.Log().Messages().size();

    // One benign, one unknown, one being investigated.
    EXPECT_EQ(2, core.PrepareUpdateCheck());

    const std::string log = world.Log().Messages().substr(logStart);
    EXPECT_EQ(c.bOffer, log.find("::OnButtonSendreports\n") != std::string::npos) << log;
    EXPECT_TRUE(MyRegistry(Registry::kCurrentUser, MainDialogCore::kGridBhosKey, false).IsOpen());
    core.Destroy();
  }
}

}  // namespace
