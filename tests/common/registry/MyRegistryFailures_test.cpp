// MyRegistry's handling of registry errors that a healthy registry does not
// produce on demand: a store that fails chosen calls, over the in-memory one.
#include <gtest/gtest.h>

#include <functional>
#include <map>

#include "common/base/GenericErrors.h"
#include "common/registry/MemoryRegistryStore.h"
#include "common/registry/MyRegistry.h"
#include "support/TestSupport.h"

namespace {

using Registry::Handle;
using Registry::kCurrentUser;

class FailingStore : public Registry::Store {
 public:
  long OpenKey(Handle parent, const std::string& path, std::uint32_t access, Handle& key) override {
    return m_store.OpenKey(parent, path, access, key);
  }
  long CreateKey(Handle parent, const std::string& path, const std::string& className, std::uint32_t access,
                 Handle& key) override {
    return m_store.CreateKey(parent, path, className, access, key);
  }
  long CloseKey(Handle key) override {
    const long result = m_store.CloseKey(key);
    return closeError ? closeError : result;
  }
  long QueryValue(Handle key, const std::string& name, std::uint32_t* type, std::uint8_t* data,
                  std::uint32_t* size) override {
    const long result = m_store.QueryValue(key, name, type, data, size);
    if (data && dataReadError) return dataReadError;
    // The value grows between the size query and the data read.
    if (!data && size && growAfterSizeQuery) {
      const std::string longer(*size + 8, 'g');
      m_store.SetValue(key, name, Registry::kSz, reinterpret_cast<const std::uint8_t*>(longer.c_str()),
                       static_cast<std::uint32_t>(longer.size() + 1));
    }
    return result;
  }
  long SetValue(Handle key, const std::string& name, std::uint32_t type, const std::uint8_t* data,
                std::uint32_t size) override {
    return setError ? setError : m_store.SetValue(key, name, type, data, size);
  }
  long EnumKey(Handle key, std::uint32_t index, char* name, std::uint32_t* nameSize) override {
    const long result = m_store.EnumKey(key, index, name, nameSize);
    const auto it = enumKeyErrors.find(index);
    return it != enumKeyErrors.end() ? it->second : result;
  }
  long EnumValue(Handle key, std::uint32_t index, char* name, std::uint32_t* nameSize,
                 std::uint32_t* type) override {
    return m_store.EnumValue(key, index, name, nameSize, type);
  }
  long DeleteKey(Handle parent, const std::string& name) override {
    return deleteError ? deleteError : m_store.DeleteKey(parent, name);
  }

  std::size_t OpenHandleCount() const { return m_store.OpenHandleCount(); }
  void Heal() {
    closeError = dataReadError = setError = deleteError = 0;
    growAfterSizeQuery = false;
    enumKeyErrors.clear();
  }

  long closeError = 0;
  long dataReadError = 0;
  bool growAfterSizeQuery = false;
  long setError = 0;
  long deleteError = 0;
  std::map<std::uint32_t, long> enumKeyErrors;  // by index; the name is still filled in

 private:
  Registry::MemoryRegistryStore m_store;
};

std::string ErrorText(long error) { return Generic::GetErrorText(static_cast<DWord>(error)); }

std::string ApiFailure(const std::string& subject, long error) {
  return "API Failure for <" + subject + "> is <" + std::to_string(error) + ">: <" + ErrorText(error) + ">\n";
}

class MyRegistryFailures : public ::testing::Test {
 protected:
  MyRegistryFailures() : m_pPrevious(Registry::SetCurrentStore(&m_store)) {
    for (const char* path :
         {"Software\\Test\\Alpha", "Software\\Test\\Beta\\Inner", "Software\\Test\\Gamma"}) {
      MyRegistry reg(kCurrentUser, path, true);
    }
    m_nLogStart = m_log.Messages().size();
  }
  ~MyRegistryFailures() override { Registry::SetCurrentStore(m_pPrevious); }

  std::string Logged() const { return m_log.Messages().substr(m_nLogStart); }

  FailingStore m_store;
  test::ScopedLog m_log;

 private:
  Registry::Store* m_pPrevious;
  std::size_t m_nLogStart = 0;
};

TEST_F(MyRegistryFailures, EnumSubKeysStopsOnErrorsButIgnoresAnInconsistentEaList) {
  struct Case {
    long error;
    bool result;
    std::list<std::string> names;
    std::string line;
    char level;
  };
  const Case cases[] = {
      {255,
       true,
       {"Alpha", "Beta", "Gamma"},
       "RegEnumKeyEx: Error ERROR_EA_LIST_INCONSISTENT for subkey <1> ignored.\n",
       'W'},
      {234, false, {"Alpha"}, "RegEnumKeyEx: Error <234> for subkey <1>: buffer too small.\n", 'E'},
      {5, false, {"Alpha"}, "RegEnumKeyEx: Error <5> for subkey <1>.\n", 'E'},
  };
  MyRegistry reg(kCurrentUser, "Software\\Test", false);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.error);
    m_store.enumKeyErrors = {{1, c.error}};
    const std::size_t before = Logged().size();
    std::list<std::string> names;
    EXPECT_EQ(c.result, reg.EnumSubKeys(names));
    EXPECT_EQ(c.names, names);
    EXPECT_EQ(c.line, Logged().substr(before));
    EXPECT_NE(std::string::npos, m_log.Text().find(std::string(" @") + c.level + " ")) << m_log.Text();
  }
}

TEST_F(MyRegistryFailures, AFailedCloseIsLoggedAndStillEmptiesTheObject) {
  {
    MyRegistry reg(kCurrentUser, "Software\\Test", false);
    m_store.closeError = 6;
    EXPECT_FALSE(reg.Close());
    EXPECT_FALSE(reg.IsOpen());
    EXPECT_EQ("", reg.GetSubKey());
    EXPECT_EQ("<ERROR_SUCCESS == (lnReturn = ::RegCloseKey(m_hSubKey))> failed with error <6>: <" +
                  ErrorText(6) +
                  ">.\n"
                  "   * m_sSubKey is <Software\\Test>.\n"
                  "   * lnReturn is <00000006>.\n",
              Logged());
    EXPECT_TRUE(reg.Close());
  }
  EXPECT_EQ(0u, m_store.OpenHandleCount());
}

TEST_F(MyRegistryFailures, TheDestructorReportsAFailedClose) {
  {
    MyRegistry reg(kCurrentUser, "Software\\Test", false);
    m_store.closeError = 6;
  }
  EXPECT_EQ("<ERROR_SUCCESS == (lnReturn = ::RegCloseKey(m_hSubKey))> failed with error <6>: <" +
                ErrorText(6) +
                ">.\n"
                "   * m_sSubKey is <Software\\Test>.\n"
                "   * lnReturn is <00000006>.\n"
                "<Close()> failed with error <6>: <" +
                ErrorText(6) + ">.\n",
            Logged());
}

TEST_F(MyRegistryFailures, AFailedDataReadLogsTheCheckedStepAndTheApiFailure) {
  MyRegistry reg(kCurrentUser, "Software\\Test", false);
  ASSERT_TRUE(reg.SaveValueString("Name", "short"));
  m_store.growAfterSizeQuery = true;

  std::string value = "kept";
  EXPECT_FALSE(reg.ReadValueString("Name", value));
  EXPECT_EQ("kept", value);
  EXPECT_FALSE(reg.ProbeValue("Name"));
  EXPECT_EQ(
      "<ERROR_SUCCESS == (lnReturn = ::RegQueryValueEx( m_hSubKey, sValueName, NULL, &dwType, pData, "
      "&dwDataSize))> failed with error <234>: <" +
          ErrorText(234) + ">.\n" + ApiFailure("::RegQueryValueEx: Name", 234) +
          "<ERROR_SUCCESS == (lnReturn = ::RegQueryValueEx( m_hSubKey, sValueName, NULL, &dwType, pbyData, "
          "&dwDataSize))> failed with error <234>: <" +
          ErrorText(234) + ">.\n" + ApiFailure("::RegQueryValueEx: Name", 234),
      Logged());
}

TEST_F(MyRegistryFailures, WriteFailuresAreLoggedWithTheValueName) {
  MyRegistry reg(kCurrentUser, "Software\\Test", false);
  m_store.setError = 5;
  const std::uint8_t byte = 1;
  EXPECT_FALSE(reg.SaveValueString("Text", "t"));
  EXPECT_FALSE(reg.SaveValueInt("Number", 1));
  EXPECT_FALSE(reg.SaveValueBool("Flag", true));
  EXPECT_FALSE(reg.SaveValueBinary("Blob", &byte, 1));
  EXPECT_EQ(ApiFailure("::RegSetValueEx: Text", 5) + ApiFailure("::RegSetValueEx: Number", 5) +
                ApiFailure("::RegSetValueEx: Flag", 5) + ApiFailure("::RegSetValueEx: Blob", 5),
            Logged());
}

TEST_F(MyRegistryFailures, AnErrorWithoutSystemTextIsLoggedWithAnEmptyText) {
  MyRegistry reg(kCurrentUser, "Software\\Test", false);
  m_store.setError = 0x2FFFF;
  EXPECT_FALSE(reg.SaveValueDWord("Count", 1));
  // The failed text lookup writes its own line before the failure is logged.
  EXPECT_EQ(
      "\n::FormatMessage() failed for error <196607>.API Failure for <::RegSetValueEx: Count> is <196607>: "
      "<>\n",
      Logged());
}

TEST_F(MyRegistryFailures, RecursiveDeleteReturnsTheFailingCallsError) {
  struct Case {
    const char* what;
    std::function<void(FailingStore&)> arrange;
    long result;
    std::string log;
    bool deleted;
  };
  const Case cases[] = {
      {"enumeration",
       [](FailingStore& s) {
         s.enumKeyErrors = {{0, 1018}};
       },
       1018, ApiFailure("::RegEnumKeyEx: Beta", 1018), false},
      {"close", [](FailingStore& s) { s.closeError = 6; }, 6,
       ApiFailure("::RegCloseKey: Inner", 6) + ApiFailure("MyRegistry::RecursiveDelete: Beta", 6) +
           ApiFailure("::RegCloseKey: Beta", 6),
       false},
      {"delete", [](FailingStore& s) { s.deleteError = 5; }, 5,
       ApiFailure("::RegDeleteKey: Inner", 5) + ApiFailure("MyRegistry::RecursiveDelete: Beta", 5) +
           ApiFailure("::RegDeleteKey: Beta", 5),
       false},
      {"none", [](FailingStore&) {}, 0, "", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    MyRegistry(kCurrentUser, "Software\\Test\\Beta\\Inner", true);
    MyRegistry reg(kCurrentUser, "Software\\Test", false);
    const std::size_t before = Logged().size();
    const std::size_t handles = m_store.OpenHandleCount();
    c.arrange(m_store);
    EXPECT_EQ(c.result, reg.RecursiveDelete(reg.GetHandle(), "Beta"));
    m_store.Heal();
    EXPECT_EQ(c.log, Logged().substr(before));
    EXPECT_EQ(handles, m_store.OpenHandleCount());
    long error = 0;
    EXPECT_EQ(!c.deleted, MyRegistry::TestOpen(kCurrentUser, "Software\\Test\\Beta", error));
  }
}

}  // namespace
