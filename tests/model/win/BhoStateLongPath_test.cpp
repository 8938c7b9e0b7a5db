// The classic method writes the DLL path back in its long form: a path an
// installer registered in short (8.3) form comes back long, on the real
// registry and file system.
#include <windows.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <random>

#include "common/files/GenericFiles.h"
#include "common/registry/MyRegistry.h"
#include "common/registry/RegistryKeys.h"
#include "common/ui/MyMessageBox.h"
#include "model/Bho.h"
#include "support/TestSupport.h"

namespace {

TEST(BhoStateLongPath, ShortRegisteredPathIsWrittenBackLong) {
  test::TempDir dir;
  const std::string longDir = dir.File("Long Directory Name");
  const std::string longFile = longDir + "\\Long Helper Object.dll";
  ASSERT_EQ(0, Generic::CreateDirectory(longDir));
  test::WriteFile(longFile, "hello");
  char shortPath[MAX_PATH] = {};
  ASSERT_GT(::GetShortPathNameA(longFile.c_str(), shortPath, MAX_PATH), 0u);
  ASSERT_NE(longFile, shortPath) << "no short names on this file system";
  char systemLong[MAX_PATH] = {};
  ASSERT_GT(::GetLongPathNameA(shortPath, systemLong, MAX_PATH), 0u);

  std::random_device random;
  char clsid[64];
  std::snprintf(clsid, sizeof clsid, "{%08X-7E57-4000-8000-%012X}", random(), random());
  const std::string serverKey = std::string("CLSID\\") + clsid + "\\InProcServer32";
  {
    MyRegistry bho(Registry::kLocalMachine, std::string(REGKEY_BHO) + "\\" + clsid, true);
    MyRegistry server(Registry::kClassesRoot, serverKey, true);
    ASSERT_TRUE(server.SaveValueString("", shortPath));
  }
  const auto previous = MyMessageBox::SetPresenter([](const MyMessageBox&, int& nCheckShow) {
    nCheckShow = 1;
    return 1;
  });

  const BHO bho(clsid);
  EXPECT_EQ(kSOk, bho.ChangeStateClassic(true));
  std::string stored;
  {
    MyRegistry server(Registry::kClassesRoot, serverKey, false);
    server.ReadValueString("", stored);
  }
  EXPECT_EQ(std::string(systemLong), stored);

  MyMessageBox::SetPresenter(previous);
  MyRegistry(Registry::kLocalMachine, REGKEY_BHO, false).DeleteKey(clsid);
  MyRegistry(Registry::kClassesRoot, "CLSID", false).DeleteKey(clsid);
}

}  // namespace
