// What the program relies on from the registry, run against every store:
// a fresh in-memory registry and the platform's own (the real registry on
// Windows, the process's in-memory one elsewhere). Passing on both under
// Windows keeps the in-memory registry true to the real one.
#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <functional>
#include <memory>
#include <ostream>
#include <random>

#include "common/base/GenericErrors.h"
#include "common/base/SystemApi.h"
#include "common/registry/MemoryRegistryStore.h"
#include "common/registry/MyRegistry.h"
#include "support/TestSupport.h"

namespace {

using Registry::kCurrentUser;

struct StoreKind {
  const char* name;
  // Null: the platform's store.
  std::function<std::unique_ptr<Registry::Store>()> make;
};

void PrintTo(const StoreKind& kind, std::ostream* os) { *os << kind.name; }

const StoreKind kMemory{"Memory", [] { return std::make_unique<Registry::MemoryRegistryStore>(); }};
const StoreKind kPlatform{"Platform", nullptr};

const char kTestRoot[] = "Software\\TarvolinTest";

std::string ApiFailure(const std::string& subject, long error) {
  return "API Failure for <" + subject + "> is <" + std::to_string(error) + ">: <" +
         Generic::GetErrorText(static_cast<DWord>(error)) + ">\n";
}

class RegistryBehaviour : public ::testing::TestWithParam<StoreKind> {
 protected:
  void SetUp() override {
    if (GetParam().make) m_pOwnedStore = GetParam().make();
    m_pPrevious = Registry::SetCurrentStore(m_pOwnedStore ? m_pOwnedStore.get() : &Registry::PlatformStore());
    std::random_device random;
    m_sLeaf = "Run" + std::to_string(random()) + std::to_string(random());
    m_sBase = std::string(kTestRoot) + "\\" + m_sLeaf;
    MyRegistry base(kCurrentUser, m_sBase, true);
    ASSERT_TRUE(base.IsOpen());
    m_nLogStart = m_log.Messages().size();
  }

  void TearDown() override {
    {
      MyRegistry testRoot(kCurrentUser, kTestRoot, false);
      testRoot.DeleteKey(m_sLeaf);
    }
    // Other runs may share the test root: remove it only once it is empty.
    Store().DeleteKey(kCurrentUser, kTestRoot);
    Registry::SetCurrentStore(m_pPrevious);
  }

  Registry::Store& Store() { return Registry::CurrentStore(); }
  std::string Path(const std::string& relative) const { return m_sBase + "\\" + relative; }
  // The messages logged since the test's key was made.
  std::string Logged() const { return m_log.Messages().substr(m_nLogStart); }

  bool KeyExists(const std::string& relative) {
    long error = -1;
    return MyRegistry::TestOpen(kCurrentUser, Path(relative), error);
  }

  // The value as the store holds it.
  std::string Raw(const std::string& name, std::uint32_t& type) {
    Registry::Handle key = 0;
    EXPECT_EQ(0, Store().OpenKey(kCurrentUser, m_sBase, Registry::kRead, key));
    std::uint32_t size = 0;
    EXPECT_EQ(0, Store().QueryValue(key, name, &type, nullptr, &size));
    std::string bytes(size, '\0');
    EXPECT_EQ(0, Store().QueryValue(key, name, &type, reinterpret_cast<std::uint8_t*>(&bytes[0]), &size));
    Store().CloseKey(key);
    return bytes;
  }

  test::ScopedLog m_log;
  std::string m_sBase;
  std::string m_sLeaf;

 private:
  std::unique_ptr<Registry::Store> m_pOwnedStore;
  Registry::Store* m_pPrevious = nullptr;
  std::size_t m_nLogStart = 0;
};

// --- reading and writing values ---

TEST_P(RegistryBehaviour, MissingValueKeepsTheCallersDefaultAndLogsNothing) {
  MyRegistry reg(kCurrentUser, m_sBase, false);
  std::string s = "default";
  DWord dw = 7;
  int n = -3;
  bool bTrue = true, bFalse = false;
  std::uint8_t buffer[4] = {9, 9, 9, 9};
  DWord size = sizeof buffer;

  EXPECT_FALSE(reg.ReadValueString("Missing", s));
  EXPECT_FALSE(reg.ReadValueDWord("Missing", dw));
  EXPECT_FALSE(reg.ReadValueInt("Missing", n));
  EXPECT_FALSE(reg.ReadValueBool("Missing", bTrue));
  EXPECT_FALSE(reg.ReadValueBool("Missing", bFalse));
  EXPECT_FALSE(reg.ReadValueBinary("Missing", buffer, size));
  EXPECT_FALSE(reg.ProbeValue("Missing"));
  EXPECT_FALSE(reg.ReadValueString("", s));  // a default value never set

  EXPECT_EQ("default", s);
  EXPECT_EQ(7u, dw);
  EXPECT_EQ(-3, n);
  EXPECT_TRUE(bTrue);
  EXPECT_FALSE(bFalse);
  EXPECT_EQ(9, buffer[0]);
  EXPECT_EQ("", Logged());
}

TEST_P(RegistryBehaviour, BooleansAndIntegersAreStoredAsDWords) {
  MyRegistry reg(kCurrentUser, m_sBase, false);
  ASSERT_TRUE(reg.SaveValueBool("True", true));
  ASSERT_TRUE(reg.SaveValueBool("False", false));
  ASSERT_TRUE(reg.SaveValueInt("Negative", -2));
  ASSERT_TRUE(reg.SaveValueDWord("Two", 2));
  ASSERT_TRUE(reg.SaveValueDWord("High", 0x80000001u));

  std::uint32_t type = 0;
  EXPECT_EQ(std::string("\x01\x00\x00\x00", 4), Raw("True", type));
  EXPECT_EQ(Registry::kDWord, type);
  EXPECT_EQ(std::string("\x00\x00\x00\x00", 4), Raw("False", type));
  EXPECT_EQ(std::string("\xFE\xFF\xFF\xFF", 4), Raw("Negative", type));
  EXPECT_EQ(Registry::kDWord, type);
  EXPECT_EQ(std::string("\x01\x00\x00\x80", 4), Raw("High", type));

  bool b = false;
  EXPECT_TRUE(reg.ReadValueBool("Two", b));
  EXPECT_TRUE(b);  // any non-zero number is true
  EXPECT_TRUE(reg.ReadValueBool("False", b));
  EXPECT_FALSE(b);
  int n = 5;
  EXPECT_TRUE(reg.ReadValueInt("True", n));
  EXPECT_EQ(1, n);
  EXPECT_TRUE(reg.ReadValueInt("False", n));
  EXPECT_EQ(0, n);
  EXPECT_TRUE(reg.ReadValueInt("Negative", n));
  EXPECT_EQ(-2, n);
  DWord dw = 0;
  EXPECT_TRUE(reg.ReadValueDWord("Negative", dw));
  EXPECT_EQ(0xFFFFFFFEu, dw);
  EXPECT_TRUE(reg.ReadValueDWord("High", dw));
  EXPECT_EQ(0x80000001u, dw);
  EXPECT_EQ("", Logged());
}

TEST_P(RegistryBehaviour, StringsAreStoredWithTheirZeroByteCounted) {
  const std::string cases[] = {"", "x", "Tarvolin 2.0", "C:\\Program Files\\Tarvolin\\Tarvolin.exe",
                               std::string(5000, 'w')};
  MyRegistry reg(kCurrentUser, m_sBase, false);
  for (const std::string& text : cases) {
    SCOPED_TRACE(text.substr(0, 40));
    ASSERT_TRUE(reg.SaveValueString("Text", text));
    std::uint32_t type = 0;
    EXPECT_EQ(text + '\0', Raw("Text", type));
    EXPECT_EQ(Registry::kSz, type);
    std::string read = "previous";
    EXPECT_TRUE(reg.ReadValueString("Text", read));
    EXPECT_EQ(text, read);
    EXPECT_TRUE(reg.ProbeValue("Text"));
  }
  EXPECT_EQ("", Logged());
}

TEST_P(RegistryBehaviour, StringReadEndsAtTheFirstZeroByteWhateverTheType) {
  MyRegistry reg(kCurrentUser, m_sBase, false);
  const std::uint8_t twoWords[] = {'a', 'b', 0, 'c', 'd'};
  const std::uint8_t unterminated[] = {'x', 'y', 'z'};
  ASSERT_TRUE(reg.SaveValueBinary("TwoWords", twoWords, sizeof twoWords));
  ASSERT_TRUE(reg.SaveValueBinary("Unterminated", unterminated, sizeof unterminated));
  ASSERT_TRUE(reg.SaveValueDWord("Number", 0x41));

  std::string s;
  EXPECT_TRUE(reg.ReadValueString("TwoWords", s));
  EXPECT_EQ("ab", s);
  EXPECT_TRUE(reg.ReadValueString("Unterminated", s));
  EXPECT_EQ("xyz", s);
  EXPECT_TRUE(reg.ReadValueString("Number", s));
  EXPECT_EQ("A", s);
}

// Callers that need text (a DLL path) tell it from the other types by the
// type the read reports, which is the stored one whatever the bytes are.
TEST_P(RegistryBehaviour, StringReadReportsTheStoredType) {
  const struct {
    std::uint32_t type;
    std::string bytes;
    const char* text;
  } cases[] = {
      {Registry::kSz, std::string("C:\\x.dll\0", 9), "C:\\x.dll"},
      {Registry::kExpandSz, std::string("%SystemRoot%\\x.dll\0", 19), "%SystemRoot%\\x.dll"},
      {Registry::kBinary, std::string("C:\\x.dll\0", 9), "C:\\x.dll"},
      {Registry::kDWord, "AAAA", "AAAA"},
      {Registry::kMultiSz, std::string("C:\\x.dll\0second\0\0", 17), "C:\\x.dll"},
      {Registry::kNone, std::string("C:\\x.dll\0", 9), "C:\\x.dll"},
      {Registry::kNone, "", ""},
  };
  MyRegistry reg(kCurrentUser, m_sBase, false);
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.type) + " " + c.text);
    ASSERT_EQ(0, Store().SetValue(reg.GetHandle(), "", c.type,
                                  reinterpret_cast<const std::uint8_t*>(c.bytes.data()),
                                  static_cast<std::uint32_t>(c.bytes.size())));
    std::string text = "previous";
    DWord type = 99;
    EXPECT_TRUE(reg.ReadValueString("", text, type));
    EXPECT_EQ(c.type, type);
    EXPECT_EQ(c.text, text);
  }
  // A missing value reports nothing and keeps both variables.
  std::string text = "previous";
  DWord type = 99;
  EXPECT_FALSE(reg.ReadValueString("Missing", text, type));
  EXPECT_EQ("previous", text);
  EXPECT_EQ(99u, type);
  EXPECT_EQ("", Logged());
}

TEST_P(RegistryBehaviour, BinaryRoundTripAndSizeProbe) {
  std::vector<std::uint8_t> data(300);
  for (std::size_t i = 0; i < data.size(); ++i) data[i] = static_cast<std::uint8_t>(i * 7);
  MyRegistry reg(kCurrentUser, m_sBase, false);
  ASSERT_TRUE(reg.SaveValueBinary("Blob", data.data(), static_cast<DWord>(data.size())));
  ASSERT_TRUE(reg.SaveValueBinary("Empty", nullptr, 0));

  DWord size = 0;
  EXPECT_TRUE(reg.ReadValueBinary("Blob", nullptr, size));
  EXPECT_EQ(300u, size);
  std::vector<std::uint8_t> read(size);
  EXPECT_TRUE(reg.ReadValueBinary("Blob", read.data(), size));
  EXPECT_EQ(data, read);
  size = 99;
  EXPECT_TRUE(reg.ReadValueBinary("Empty", nullptr, size));
  EXPECT_EQ(0u, size);
  std::uint32_t type = 0;
  Raw("Blob", type);
  EXPECT_EQ(Registry::kBinary, type);
  EXPECT_EQ("", Logged());

  std::uint8_t small[10] = {};
  size = sizeof small;
  EXPECT_FALSE(reg.ReadValueBinary("Blob", small, size));
  EXPECT_EQ(300u, size);
  EXPECT_EQ(ApiFailure("::RegQueryValueEx: Blob", 234), Logged());
}

TEST_P(RegistryBehaviour, DWordReadTakesAtMostFourBytesIntoTheVariable) {
  MyRegistry reg(kCurrentUser, m_sBase, false);
  const std::uint8_t twoBytes[] = {0x01, 0x02};
  ASSERT_TRUE(reg.SaveValueBinary("Short", twoBytes, sizeof twoBytes));
  ASSERT_TRUE(reg.SaveValueString("Long", "hello"));

  DWord dw = 0xAABBCCDDu;
  EXPECT_TRUE(reg.ReadValueDWord("Short", dw));
  EXPECT_EQ(0xAABB0201u, dw);
  dw = 17;
  EXPECT_FALSE(reg.ReadValueDWord("Long", dw));
  EXPECT_EQ(17u, dw);
  EXPECT_EQ(ApiFailure("::RegQueryValueEx: Long", 234), Logged());
}

TEST_P(RegistryBehaviour, WritingReplacesAValueOfAnyType) {
  MyRegistry reg(kCurrentUser, m_sBase, false);
  ASSERT_TRUE(reg.SaveValueString("Value", "text"));
  ASSERT_TRUE(reg.SaveValueDWord("Value", 5));
  std::uint32_t type = 0;
  EXPECT_EQ(std::string("\x05\x00\x00\x00", 4), Raw("Value", type));
  EXPECT_EQ(Registry::kDWord, type);
  ASSERT_TRUE(reg.SaveValueString("", "the default"));
  std::string s;
  EXPECT_TRUE(reg.ReadValueString("", s));
  EXPECT_EQ("the default", s);
}

TEST_P(RegistryBehaviour, NamesCompareWithoutCaseAndKeepTheirFirstSpelling) {
  {
    MyRegistry reg(kCurrentUser, Path("Mixed\\Case"), true);
    ASSERT_TRUE(reg.SaveValueDWord("Value", 1));
  }
  MyRegistry reg(kCurrentUser, Path("mIXED\\cASE"), false);
  ASSERT_TRUE(reg.IsOpen());
  ASSERT_TRUE(reg.SaveValueDWord("VALUE", 2));
  DWord dw = 0;
  EXPECT_TRUE(reg.ReadValueDWord("value", dw));
  EXPECT_EQ(2u, dw);
  std::list<std::string> names;
  std::vector<DWord> types;
  EXPECT_TRUE(reg.EnumValues(names, types));
  EXPECT_EQ(std::list<std::string>{"Value"}, names);

  MyRegistry base(kCurrentUser, m_sBase, false);
  std::list<std::string> subKeys;
  EXPECT_TRUE(base.EnumSubKeys(subKeys));
  EXPECT_EQ(std::list<std::string>{"Mixed"}, subKeys);
}

// --- sub-keys and values ---

TEST_P(RegistryBehaviour, EnumSubKeysAppendsDirectChildrenSortedWithoutCase) {
  for (const char* name : {"zeta", "Alpha", "beta", "a1", "Beta2", "Alpha\\Grandchild"}) {
    MyRegistry child(kCurrentUser, Path(name), true);
    ASSERT_TRUE(child.IsOpen());
  }
  MyRegistry reg(kCurrentUser, m_sBase, false);
  std::list<std::string> subKeys{"kept"};
  EXPECT_TRUE(reg.EnumSubKeys(subKeys));
  EXPECT_EQ((std::list<std::string>{"kept", "a1", "Alpha", "beta", "Beta2", "zeta"}), subKeys);
  EXPECT_EQ("", Logged());
}

TEST_P(RegistryBehaviour, EnumSubKeysOfAKeyWithoutSubKeysIsEmpty) {
  MyRegistry reg(kCurrentUser, m_sBase, false);
  ASSERT_TRUE(reg.SaveValueDWord("NotAKey", 1));
  std::list<std::string> subKeys;
  EXPECT_TRUE(reg.EnumSubKeys(subKeys));
  EXPECT_TRUE(subKeys.empty());
  EXPECT_EQ("", Logged());
}

TEST_P(RegistryBehaviour, EnumValuesKeepsNamesAndTypesSideBySide) {
  MyRegistry reg(kCurrentUser, m_sBase, false);
  std::list<std::string> names;
  std::vector<DWord> types;
  EXPECT_TRUE(reg.EnumValues(names, types));
  EXPECT_TRUE(names.empty());

  // Created in name order: the order real registries agree on.
  const std::uint8_t byte = 1;
  ASSERT_TRUE(reg.SaveValueString("", "default"));
  ASSERT_TRUE(reg.SaveValueString("Alpha", "a"));
  ASSERT_TRUE(reg.SaveValueBinary("Beta", &byte, 1));
  ASSERT_TRUE(reg.SaveValueDWord("Gamma", 3));
  MyRegistry(kCurrentUser, Path("SubKeysAreNotValues"), true);
  EXPECT_TRUE(reg.EnumValues(names, types));
  EXPECT_EQ((std::list<std::string>{"", "Alpha", "Beta", "Gamma"}), names);
  EXPECT_EQ((std::vector<DWord>{Registry::kSz, Registry::kSz, Registry::kBinary, Registry::kDWord}), types);
  EXPECT_EQ("", Logged());
}

TEST_P(RegistryBehaviour, DeleteKeyRemovesEveryLevelBelowIt) {
  for (const char* path : {"Top\\One\\Two\\Three", "Top\\One\\Two\\Other", "Top\\Side", "Keep"}) {
    MyRegistry reg(kCurrentUser, Path(path), true);
    ASSERT_TRUE(reg.SaveValueString("Note", path));
  }
  MyRegistry reg(kCurrentUser, m_sBase, false);
  EXPECT_TRUE(reg.DeleteKey("Top"));
  EXPECT_FALSE(KeyExists("Top"));
  EXPECT_TRUE(KeyExists("Keep"));
  std::list<std::string> subKeys;
  EXPECT_TRUE(reg.EnumSubKeys(subKeys));
  EXPECT_EQ(std::list<std::string>{"Keep"}, subKeys);
  EXPECT_EQ("", Logged());
}

TEST_P(RegistryBehaviour, DeleteKeyOfAMissingKeyFailsSilently) {
  MyRegistry reg(kCurrentUser, m_sBase, false);
  EXPECT_FALSE(reg.DeleteKey("Missing"));
  EXPECT_EQ(WinError::kFileNotFound, reg.RecursiveDelete(reg.GetHandle(), "Missing"));
  EXPECT_TRUE(KeyExists(""));
  EXPECT_EQ("", Logged());
}

TEST_P(RegistryBehaviour, AClosedObjectRefusesEveryOperation) {
  struct Case {
    const char* what;
    std::function<bool(MyRegistry&)> call;
    std::string line;
  };
  const Case cases[] = {
      {"EnumSubKeys",
       [](MyRegistry& r) {
         std::list<std::string> l;
         return r.EnumSubKeys(l);
       },
       "RegEnumKeyEx: Registry not open!\n"},
      {"EnumValues",
       [](MyRegistry& r) {
         std::list<std::string> l;
         std::vector<DWord> t;
         return r.EnumValues(l, t);
       },
       "The Registry is not open on key <MyRegistry::EnumValues>.\n"},
      {"ReadValueString",
       [](MyRegistry& r) {
         std::string s = "kept";
         return r.ReadValueString("Name", s) || s != "kept";
       },
       "The Registry is not open on key <Name>.\n"},
      {"ReadValueBool",
       [](MyRegistry& r) {
         bool b = true;
         return r.ReadValueBool("Flag", b) || !b;
       },
       "The Registry is not open on key <Flag>.\n"},
      {"ProbeValue", [](MyRegistry& r) { return r.ProbeValue("Multi"); },
       "The Registry is not open on key <Multi>.\n"},
      {"SaveValueDWord", [](MyRegistry& r) { return r.SaveValueDWord("Count", 1); },
       "The Registry is not open on key <Count>.\n"},
      {"SaveValueString", [](MyRegistry& r) { return r.SaveValueString("Text", "t"); },
       "The Registry is not open on key <Text>.\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    for (int closedBy = 0; closedBy < 2; ++closedBy) {
      const std::size_t before = Logged().size();
      MyRegistry never;
      MyRegistry closed(kCurrentUser, m_sBase, false);
      closed.Close();
      MyRegistry& reg = closedBy ? closed : never;
      EXPECT_FALSE(c.call(reg));
      EXPECT_EQ(c.line, Logged().substr(before));
    }
  }
}

// --- opening and closing ---

TEST_P(RegistryBehaviour, OpeningAMissingKeyWithoutCreateFails) {
  MyRegistry reg(kCurrentUser, Path("Missing"), false);
  EXPECT_FALSE(reg.IsOpen());
  // The error's text is the system's own wording, which differs between systems.
  EXPECT_EQ("<bReturn> failed with error <2>: <" + Generic::GetErrorText(2) + ">.\n" +
                "   * \"Open(m_hRootKey, m_sSubKey, bCreate)\" is <Open(m_hRootKey, m_sSubKey, bCreate)>.\n"
                "   * m_hRootKey is <80000001>.\n"
                "   * m_sSubKey is <" +
                Path("Missing") + ">.\n" + "   * bCreate is <0>.\n",
            Logged());

  const std::size_t before = Logged().size();
  MyRegistry later;
  EXPECT_FALSE(later.Open(kCurrentUser, Path("Missing\\Deeper"), false));
  EXPECT_EQ(2u, SystemApi::GetLastError());
  EXPECT_FALSE(later.IsOpen());
  EXPECT_EQ(Path("Missing\\Deeper"), later.GetSubKey());  // kept for the caller's log line
  EXPECT_FALSE(KeyExists("Missing"));
  EXPECT_EQ("", Logged().substr(before));
}

TEST_P(RegistryBehaviour, CreateMakesEveryMissingLevel) {
  MyRegistry reg(kCurrentUser, Path("One\\Two\\Three"), true);
  EXPECT_TRUE(reg.IsOpen());
  EXPECT_TRUE(KeyExists("One"));
  EXPECT_TRUE(KeyExists("One\\Two"));
  EXPECT_TRUE(KeyExists("One\\Two\\Three"));
  // Creating an existing key opens it with its values.
  ASSERT_TRUE(reg.SaveValueDWord("Kept", 4));
  MyRegistry again(kCurrentUser, Path("One\\Two\\Three"), true);
  DWord dw = 0;
  EXPECT_TRUE(again.ReadValueDWord("Kept", dw));
  EXPECT_EQ(4u, dw);
  EXPECT_EQ("", Logged());
}

TEST_P(RegistryBehaviour, CloseEmptiesTheObjectAndMayBeRepeated) {
  MyRegistry never;
  EXPECT_TRUE(never.Close());
  {
    MyRegistry reg(kCurrentUser, m_sBase, false);
    ASSERT_TRUE(reg.IsOpen());
    EXPECT_TRUE(reg.Close());
    EXPECT_FALSE(reg.IsOpen());
    EXPECT_EQ("", reg.GetSubKey());
    EXPECT_TRUE(reg.Close());
    // Reused the way the main window reuses its object.
    EXPECT_TRUE(reg.Open(kCurrentUser, Path("Reopened"), true));
    EXPECT_TRUE(reg.SaveValueBool("Flag", true));
    EXPECT_TRUE(reg.Close());
  }
  EXPECT_TRUE(KeyExists("Reopened"));
  EXPECT_EQ("", Logged());
}

TEST_P(RegistryBehaviour, TestOpenReportsTheRegistryError) {
  long error = -1;
  EXPECT_TRUE(MyRegistry::TestOpen(kCurrentUser, m_sBase, error));
  EXPECT_EQ(0, error);
  EXPECT_FALSE(MyRegistry::TestOpen(kCurrentUser, Path("Missing"), error));
  EXPECT_EQ(WinError::kFileNotFound, error);
  EXPECT_EQ("", Logged());
}

TEST_P(RegistryBehaviour, AKeyDeletedUnderAnOpenObjectFailsWithKeyDeleted) {
  MyRegistry reg(kCurrentUser, Path("Doomed"), true);
  ASSERT_TRUE(reg.IsOpen());
  MyRegistry(kCurrentUser, m_sBase, false).DeleteKey("Doomed");
  ASSERT_FALSE(KeyExists("Doomed"));

  std::string s = "kept";
  std::list<std::string> subKeys;
  EXPECT_FALSE(reg.SaveValueDWord("Count", 1));
  EXPECT_FALSE(reg.ReadValueString("Count", s));
  EXPECT_FALSE(reg.EnumSubKeys(subKeys));
  EXPECT_EQ("kept", s);
  EXPECT_EQ(ApiFailure("::RegSetValueEx: Count", 1018) + ApiFailure("::RegQueryValueEx: Count", 1018) +
                "RegEnumKeyEx: Error <1018> for subkey <0>.\n",
            Logged());
  EXPECT_TRUE(reg.Close());
}

TEST_P(RegistryBehaviour, ConstructorReseedsTheRandomGeneratorFromTheClock) {
  // Retried in case the clock's second turns between the two seeds.
  bool same = false;
  for (int attempt = 0; attempt < 3 && !same; ++attempt) {
    std::srand(12345);
    MyRegistry reg(kCurrentUser, m_sBase, false);
    const int afterConstructor = std::rand();
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    same = afterConstructor == std::rand();
  }
  EXPECT_TRUE(same);
}

// --- the store operations underneath ---

TEST_P(RegistryBehaviour, StoreReportsSizesAndTooSmallBuffers) {
  Registry::Handle key = 0;
  ASSERT_EQ(0, Store().OpenKey(kCurrentUser, m_sBase, Registry::kAllAccess, key));
  const std::uint8_t text[] = "four";
  ASSERT_EQ(0, Store().SetValue(key, "Text", Registry::kSz, text, sizeof text));

  std::uint32_t type = 0, size = 0;
  EXPECT_EQ(0, Store().QueryValue(key, "Text", &type, nullptr, &size));
  EXPECT_EQ(Registry::kSz, type);
  EXPECT_EQ(5u, size);
  std::uint8_t buffer[8] = {};
  size = 2;
  EXPECT_EQ(WinError::kMoreData, Store().QueryValue(key, "Text", &type, buffer, &size));
  EXPECT_EQ(5u, size);
  size = 5;
  EXPECT_EQ(0, Store().QueryValue(key, "Text", nullptr, buffer, &size));
  EXPECT_STREQ("four", reinterpret_cast<const char*>(buffer));
  EXPECT_EQ(WinError::kFileNotFound, Store().QueryValue(key, "Other", &type, nullptr, &size));

  Registry::Handle child = 0;
  ASSERT_EQ(0, Store().CreateKey(key, "Longname", "", Registry::kAllAccess, child));
  Store().CloseKey(child);
  char name[8] = {};
  std::uint32_t nameSize = sizeof name;
  EXPECT_EQ(WinError::kMoreData, Store().EnumKey(key, 0, name, &nameSize));
  nameSize = 9;
  char longer[9] = {};
  EXPECT_EQ(0, Store().EnumKey(key, 0, longer, &nameSize));
  EXPECT_STREQ("Longname", longer);
  EXPECT_EQ(8u, nameSize);
  nameSize = sizeof longer;
  EXPECT_EQ(WinError::kNoMoreItems, Store().EnumKey(key, 1, longer, &nameSize));
  nameSize = sizeof longer;
  std::uint32_t valueType = 0;
  EXPECT_EQ(0, Store().EnumValue(key, 0, longer, &nameSize, &valueType));
  EXPECT_STREQ("Text", longer);
  EXPECT_EQ(Registry::kSz, valueType);
  nameSize = sizeof longer;
  EXPECT_EQ(WinError::kNoMoreItems, Store().EnumValue(key, 1, longer, &nameSize, &valueType));
  EXPECT_EQ(0, Store().CloseKey(key));
}

TEST_P(RegistryBehaviour, StoreDeletesOnlyKeysWithoutSubKeys) {
  MyRegistry(kCurrentUser, Path("Parent\\Child"), true);
  Registry::Handle base = 0;
  ASSERT_EQ(0, Store().OpenKey(kCurrentUser, m_sBase, Registry::kAllAccess, base));
  EXPECT_EQ(WinError::kAccessDenied, Store().DeleteKey(base, "Parent"));
  EXPECT_EQ(WinError::kFileNotFound, Store().DeleteKey(base, "Missing"));
  EXPECT_EQ(0, Store().DeleteKey(base, "Parent\\Child"));
  EXPECT_EQ(0, Store().DeleteKey(base, "Parent"));
  EXPECT_EQ(0, Store().CloseKey(base));
}

TEST_P(RegistryBehaviour, StoreChecksHandlesPathsAndRights) {
  Registry::Handle key = 0;
  EXPECT_EQ(WinError::kInvalidHandle, Store().CloseKey(0x12344));
  EXPECT_EQ(161, Store().OpenKey(kCurrentUser, "\\" + m_sBase, Registry::kAllAccess, key));
  ASSERT_EQ(0, Store().OpenKey(kCurrentUser, m_sBase + "\\", Registry::kRead, key));
  const std::uint8_t one[4] = {1};
  EXPECT_EQ(WinError::kAccessDenied, Store().SetValue(key, "Denied", Registry::kDWord, one, 4));
  Store().CloseKey(key);
  ASSERT_EQ(0, Store().OpenKey(kCurrentUser, m_sBase, 0x0002 /* KEY_SET_VALUE */, key));
  EXPECT_EQ(0, Store().SetValue(key, "Allowed", Registry::kDWord, one, 4));
  std::uint32_t size = 4;
  EXPECT_EQ(WinError::kAccessDenied, Store().QueryValue(key, "Allowed", nullptr, nullptr, &size));
  Store().CloseKey(key);
}

INSTANTIATE_TEST_SUITE_P(Stores, RegistryBehaviour, ::testing::Values(kMemory, kPlatform),
                         [](const ::testing::TestParamInfo<StoreKind>& info) { return info.param.name; });

}  // namespace
