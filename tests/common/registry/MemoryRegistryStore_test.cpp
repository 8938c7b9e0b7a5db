// What only the in-memory registry can show: keys denied to the caller (as
// HKEY_LOCAL_MACHINE is to a user without administrator rights), its order
// for names a real registry orders its own way, and its handle bookkeeping.
#include <gtest/gtest.h>

#include "common/base/GenericErrors.h"
#include "common/registry/MyRegistry.h"
#include "support/ScopedMemoryRegistry.h"
#include "support/TestSupport.h"

namespace {

using Registry::kClassesRoot;
using Registry::kCurrentUser;
using Registry::kLocalMachine;

const char kBhoKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Browser Helper Objects";

std::string ApiFailure(const std::string& subject, long error) {
  return "API Failure for <" + subject + "> is <" + std::to_string(error) + ">: <" +
         Generic::GetErrorText(static_cast<DWord>(error)) + ">\n";
}

class MemoryRegistryStoreTest : public ::testing::Test {
 protected:
  Registry::MemoryRegistryStore& Store() { return m_registry.Store(); }
  std::string Logged() const { return m_log.Messages().substr(m_nLogStart); }
  void ForgetLog() { m_nLogStart = m_log.Messages().size(); }

  test::ScopedMemoryRegistry m_registry;
  test::ScopedLog m_log;
  std::size_t m_nLogStart = m_log.Messages().size();
};

TEST_F(MemoryRegistryStoreTest, ADeniedKeyOpensForReadingOnly) {
  MyRegistry(kLocalMachine, std::string(kBhoKey) + "\\{CLSID}", true);
  ASSERT_EQ(0, Store().DenyAccess(kLocalMachine, kBhoKey));
  ForgetLog();

  long error = 0;
  EXPECT_FALSE(MyRegistry::TestOpen(kLocalMachine, kBhoKey, error));
  EXPECT_EQ(WinError::kAccessDenied, error);
  // Everything below the key is denied with it.
  EXPECT_FALSE(MyRegistry::TestOpen(kLocalMachine, std::string(kBhoKey) + "\\{CLSID}", error));
  EXPECT_EQ(WinError::kAccessDenied, error);
  EXPECT_TRUE(MyRegistry::TestOpen(kLocalMachine, "Software\\Microsoft", error));

  Registry::Handle key = 0;
  ASSERT_EQ(0, Store().OpenKey(kLocalMachine, kBhoKey, Registry::kRead, key));
  char name[64];
  std::uint32_t size = sizeof name;
  EXPECT_EQ(0, Store().EnumKey(key, 0, name, &size));
  EXPECT_STREQ("{CLSID}", name);
  EXPECT_EQ(0, Store().CloseKey(key));
  EXPECT_EQ("", Logged());

  Store().AllowAccess(kLocalMachine, kBhoKey);
  EXPECT_TRUE(MyRegistry::TestOpen(kLocalMachine, kBhoKey, error));
  EXPECT_EQ(0, error);
}

TEST_F(MemoryRegistryStoreTest, CreatingADeniedKeyLogsTheFailureAndTheConstructorBlock) {
  ASSERT_EQ(0, Store().DenyAccess(kLocalMachine, kBhoKey));
  ForgetLog();
  MyRegistry reg(kLocalMachine, kBhoKey, true);
  EXPECT_FALSE(reg.IsOpen());
  EXPECT_EQ(ApiFailure(std::string("::RegCreateKeyEx: ") + kBhoKey, 5) +
                "<bReturn> failed with error <5>: <" + Generic::GetErrorText(5) + ">.\n" +
                "   * \"Open(m_hRootKey, m_sSubKey, bCreate)\" is <Open(m_hRootKey, m_sSubKey, bCreate)>.\n"
                "   * m_hRootKey is <80000002>.\n"
                "   * m_sSubKey is <" +
                kBhoKey +
                ">.\n"
                "   * bCreate is <1>.\n",
            Logged());

  ForgetLog();
  EXPECT_FALSE(reg.Open(kLocalMachine, kBhoKey, false));
  EXPECT_EQ(ApiFailure(std::string("::RegOpenKeyEx: ") + kBhoKey, 5), Logged());
}

TEST_F(MemoryRegistryStoreTest, NothingCanBeAddedChangedOrDeletedUnderADeniedRoot) {
  MyRegistry(kLocalMachine, "Software\\Existing\\Child", true);
  ASSERT_EQ(0, Store().DenyAccess(kLocalMachine, ""));
  ForgetLog();

  MyRegistry reg(kLocalMachine, "Software\\New", true);
  EXPECT_FALSE(reg.IsOpen());
  long error = 0;
  EXPECT_FALSE(MyRegistry::TestOpen(kLocalMachine, "Software\\New", error));
  EXPECT_EQ(WinError::kFileNotFound, error);

  // The root handle itself has only the rights the key allows.
  const std::uint8_t one[4] = {1};
  EXPECT_EQ(WinError::kAccessDenied, Store().SetValue(kLocalMachine, "Value", Registry::kDWord, one, 4));
  EXPECT_EQ(WinError::kAccessDenied, Store().DeleteKey(kLocalMachine, "Software\\Existing\\Child"));

  Registry::Handle key = 0;
  ASSERT_EQ(0, Store().OpenKey(kLocalMachine, "Software", Registry::kRead, key));
  MyRegistry readOnly;
  ForgetLog();
  EXPECT_EQ(WinError::kAccessDenied, readOnly.RecursiveDelete(key, "Existing"));
  EXPECT_EQ("", Logged());  // the first open fails, which is the caller's to report
  Store().CloseKey(key);
  EXPECT_TRUE(MyRegistry::TestOpen(kCurrentUser, "", error));  // other roots are untouched
}

TEST_F(MemoryRegistryStoreTest, ADeniedChildStopsARecursiveDeleteWithTwoLines) {
  MyRegistry(kCurrentUser, "Software\\Top\\Locked\\Inner", true);
  MyRegistry(kCurrentUser, "Software\\Top\\Deletable", true);
  ASSERT_EQ(0, Store().DenyAccess(kCurrentUser, "Software\\Top\\Locked"));
  MyRegistry software(kCurrentUser, "Software", false);
  ForgetLog();

  EXPECT_FALSE(software.DeleteKey("Top"));
  EXPECT_EQ(ApiFailure("MyRegistry::RecursiveDelete: Top", 5) + ApiFailure("::RegDeleteKey: Top", 5),
            Logged());
  long error = 0;
  EXPECT_TRUE(MyRegistry::TestOpen(kCurrentUser, "Software\\Top", error));
  std::list<std::string> left;
  MyRegistry top(kCurrentUser, "Software\\Top", false);
  EXPECT_TRUE(top.EnumSubKeys(left));
  // Children before the denied one in the enumeration are gone already.
  EXPECT_EQ(std::list<std::string>{"Locked"}, left);
}

TEST_F(MemoryRegistryStoreTest, RightsAreFixedWhenAHandleIsOpened) {
  MyRegistry(kCurrentUser, "Software\\ReadOnly", true);
  Registry::Handle key = 0;
  ASSERT_EQ(0, Store().OpenKey(kCurrentUser, "Software\\ReadOnly", Registry::kRead, key));
  MyRegistry reg(key, "", false);  // a new handle to the same key, with full access
  ASSERT_TRUE(reg.IsOpen());
  ASSERT_EQ(0, Store().DenyAccess(kCurrentUser, "Software\\ReadOnly"));
  Store().CloseKey(key);
  ForgetLog();

  // Rights are fixed when a handle is opened, as on Windows.
  EXPECT_TRUE(reg.SaveValueDWord("Count", 1));
  MyRegistry later(kCurrentUser, "Software", false);
  Registry::Handle readOnly = 0;
  ASSERT_EQ(0, Store().OpenKey(later.GetHandle(), "ReadOnly", Registry::kRead, readOnly));
  const std::uint8_t one[4] = {1};
  EXPECT_EQ(WinError::kAccessDenied, Store().SetValue(readOnly, "Count", Registry::kDWord, one, 4));
  Store().CloseKey(readOnly);
  EXPECT_EQ("", Logged());
}

TEST_F(MemoryRegistryStoreTest, NamesAreOrderedAsWineOrdersThem) {
  // Lower-cased names in code order: '_' (0x5F) sorts before letters, where
  // Windows, comparing upper-cased names, puts it after them.
  for (const char* name : {"zeta", "A_", "_x", "AB", "[b", "a1", "~t"}) MyRegistry(kCurrentUser, name, true);
  MyRegistry root(kCurrentUser, "", false);
  std::list<std::string> subKeys;
  EXPECT_TRUE(root.EnumSubKeys(subKeys));
  EXPECT_EQ((std::list<std::string>{"[b", "_x", "a1", "A_", "AB", "zeta", "~t"}), subKeys);

  // Values too come sorted, not in the order they were written.
  for (const char* name : {"Gamma", "alpha", "Beta"}) root.SaveValueDWord(name, 1);
  std::list<std::string> names;
  std::vector<DWord> types;
  EXPECT_TRUE(root.EnumValues(names, types));
  EXPECT_EQ((std::list<std::string>{"alpha", "Beta", "Gamma"}), names);
}

TEST_F(MemoryRegistryStoreTest, AccentedLettersCompareWithoutCase) {
  MyRegistry(kCurrentUser, "Software\\\xC9t\xE9", true);  // "Été" in code page 1252
  long error = 0;
  EXPECT_TRUE(MyRegistry::TestOpen(kCurrentUser, "Software\\\xE9T\xC9", error));
  EXPECT_FALSE(MyRegistry::TestOpen(kCurrentUser, "Software\\Ete", error));
}

TEST_F(MemoryRegistryStoreTest, ClassesRootShowsTheMachinesClasses) {
  MyRegistry reg(kClassesRoot, "CLSID\\{1}\\InProcServer32", true);
  ASSERT_TRUE(reg.SaveValueString("", "C:\\x.dll"));
  MyRegistry machine(kLocalMachine, "Software\\Classes\\CLSID\\{1}\\InProcServer32", false);
  std::string path;
  EXPECT_TRUE(machine.ReadValueString("", path));
  EXPECT_EQ("C:\\x.dll", path);
}

TEST_F(MemoryRegistryStoreTest, EveryHandleIsClosedAgain) {
  {
    MyRegistry reg(kCurrentUser, "Software\\A\\B\\C", true);
    MyRegistry missing(kCurrentUser, "Software\\Missing", false);
    MyRegistry reused(kCurrentUser, "Software\\A", false);
    EXPECT_TRUE(reused.Open(kCurrentUser, "Software\\A\\B", false));  // without Close() first
    EXPECT_EQ(2u, Store().OpenHandleCount());
    long error = 0;
    MyRegistry::TestOpen(kCurrentUser, "Software\\A", error);
    MyRegistry software(kCurrentUser, "Software", false);
    EXPECT_TRUE(software.DeleteKey("A"));
    EXPECT_EQ(3u, Store().OpenHandleCount());
  }
  EXPECT_EQ(0u, Store().OpenHandleCount());
}

TEST_F(MemoryRegistryStoreTest, NameLengthsAreLimitedAsInTheRegistry) {
  Registry::Handle key = 0;
  EXPECT_EQ(WinError::kInvalidParameter,
            Store().CreateKey(kCurrentUser, std::string(256, 'k'), "", Registry::kAllAccess, key));
  ASSERT_EQ(0, Store().CreateKey(kCurrentUser, std::string(255, 'k'), "", Registry::kAllAccess, key));
  const std::uint8_t one[4] = {1};
  EXPECT_EQ(0, Store().SetValue(key, std::string(16383, 'v'), Registry::kDWord, one, 4));
  EXPECT_EQ(WinError::kInvalidParameter,
            Store().SetValue(key, std::string(16384, 'v'), Registry::kDWord, one, 4));
  Store().CloseKey(key);

  // A value name longer than EnumValues' buffer ends its enumeration.
  MyRegistry reg(kCurrentUser, std::string(255, 'k'), false);
  std::list<std::string> names;
  std::vector<DWord> types;
  EXPECT_FALSE(reg.EnumValues(names, types));
}

TEST(PlatformRegistryStore, IsTheCurrentStoreUnlessReplaced) {
  Registry::Store& platform = Registry::PlatformStore();
  EXPECT_EQ(&platform, &Registry::CurrentStore());
  {
    test::ScopedMemoryRegistry replaced;
    EXPECT_EQ(&replaced.Store(), &Registry::CurrentStore());
  }
  EXPECT_EQ(&platform, &Registry::CurrentStore());
}

}  // namespace
