#include "common/registry/GenericRegistryLog.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "common/base/ErrorCheck.h"
#include "common/registry/MyRegistry.h"
#include "support/ScopedMemoryRegistry.h"
#include "support/TestSupport.h"

namespace {

const char kKey[] = "Software\\Kestrove\\LogRegistryKeyTest";

// Runs on a fresh in-memory registry and on the platform's own (the real
// registry in the Windows build).
class LogRegistryKeyTest : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override {
    if (GetParam()) m_pMemory = std::make_unique<test::ScopedMemoryRegistry>();
    DeleteTestKey();
  }
  void TearDown() override { DeleteTestKey(); }

  static void DeleteTestKey() {
    MyRegistry parent(Registry::kCurrentUser, "Software\\Kestrove", true);
    parent.RecursiveDelete(parent.GetHandle(), "LogRegistryKeyTest");
  }
  static void SetValue(MyRegistry& reg, const std::string& name, std::uint32_t type,
                       const std::vector<std::uint8_t>& data) {
    ASSERT_EQ(0, Registry::CurrentStore().SetValue(reg.GetHandle(), name, type, data.data(),
                                                   static_cast<std::uint32_t>(data.size())));
  }
  std::string Logged() const { return m_log.Messages().substr(m_sBefore.size()); }

  std::unique_ptr<test::ScopedMemoryRegistry> m_pMemory;
  test::ScopedLog m_log;
  std::string m_sBefore = m_log.Messages();
};

std::string HexBytes(std::size_t count) {
  std::string text;
  for (std::size_t i = 0; i < count; ++i) {
    static const char kDigits[] = "0123456789abcdef";
    const unsigned byte = static_cast<unsigned>(i % 256);
    text += kDigits[byte >> 4];
    text += kDigits[byte & 15];
    text += ' ';
  }
  return text;
}

std::vector<std::uint8_t> Bytes(std::size_t count) {
  std::vector<std::uint8_t> bytes(count);
  for (std::size_t i = 0; i < count; ++i) bytes[i] = static_cast<std::uint8_t>(i % 256);
  return bytes;
}

TEST_P(LogRegistryKeyTest, ValuesOfEveryTypeAndSubKeysIndented) {
  {
    MyRegistry reg(Registry::kCurrentUser, kKey, true);
    ASSERT_TRUE(reg.IsOpen());
    // Created in name order: the Windows registry lists values in the order
    // they were made, the in-memory one by name.
    SetValue(reg, "Big", Registry::kDWordBigEndian, {0, 0, 0, 1});
    ASSERT_TRUE(reg.SaveValueDWord("Count", 0xFFFFFFFFu));
    SetValue(reg, "Empty", Registry::kBinary, {});
    SetValue(reg, "Exactly512", Registry::kBinary, Bytes(512));
    SetValue(reg, "Link", Registry::kLink, {1, 2});
    SetValue(reg, "Multi", Registry::kMultiSz, {'a', 0, 'b', 0, 0});
    ASSERT_TRUE(reg.SaveValueString("Name", "Tarvolin"));
    SetValue(reg, "None", Registry::kNone, {1});
    SetValue(reg, "Odd", 11, {1, 2, 3, 4});
    SetValue(reg, "Over512", Registry::kBinary, Bytes(513));
    SetValue(reg, "Path", Registry::kExpandSz, {'%', 'T', '%', 0});
    SetValue(reg, "Resources", 8, {1});
    SetValue(reg, "Three", Registry::kBinary, {0x00, 0xAB, 0x10});
    MyRegistry sub(Registry::kCurrentUser, std::string(kKey) + "\\Sub", true);
    ASSERT_TRUE(sub.SaveValueString("", "default"));
    MyRegistry subSub(Registry::kCurrentUser, std::string(kKey) + "\\Sub\\Deeper", true);
    ASSERT_TRUE(subSub.IsOpen());
  }
  int depth = 1;
  Generic::LogRegistryKey(Registry::kCurrentUser, kKey, depth);
  EXPECT_EQ(1, depth);

  const std::string k = kKey;
  const std::string logged = Logged();
  m_sBefore = m_log.Messages();
  EXPECT_EQ("     " + k +
                "\n"
                "          Value: Big (REG_DWORD_BIG_ENDIAN): 16777216\n"
                "          Value: Count (REG_DWORD): -1\n"
                "          Value: Empty (REG_BINARY): { Zero-length }\n"
                "          Value: Exactly512 (REG_BINARY): " +
                HexBytes(512) +
                "\n"
                "          Value: Link (REG_LINK): { Undisplayable }\n"
                "          Value: Multi (REG_MULTI_SZ): \n"
                "          Value: Name (REG_SZ): Tarvolin\n"
                "          Value: None (REG_NONE): { Undisplayable }\n"
                "          Value: Odd (): \n"
                "          Value: Over512 (REG_BINARY): " +
                HexBytes(512) +
                "... { truncated } \n"
                "          Value: Path (REG_EXPAND_SZ): %T%\n"
                "          Value: Resources (REG_RESOURCE_LIST): { Undisplayable }\n"
                "          Value: Three (REG_BINARY): 00 ab 10 \n"
                "          " +
                k +
                "\\Sub\n"
                "               Value:  (REG_SZ): default\n"
                "               " +
                k + "\\Sub\\Deeper\n",
            logged);
  // Every line is an audit line.
  const std::string text = m_log.Text();
  EXPECT_EQ(std::string::npos, text.find(" @E ", text.find(k)));
}

TEST_P(LogRegistryKeyTest, MissingKeyIsCreatedEmptyAndNothingHappensWithoutRootOrPath) {
  int depth = 0;
  Generic::LogRegistryKey(0, kKey, depth);
  Generic::LogRegistryKey(Registry::kCurrentUser, "", depth);
  EXPECT_EQ("", Logged());
  Generic::LogRegistryKey(Registry::kCurrentUser, kKey, depth);
  EXPECT_EQ(std::string(kKey) + "\n", Logged());
  EXPECT_EQ(0, depth);
  long error = 0;
  EXPECT_TRUE(MyRegistry::TestOpen(Registry::kCurrentUser, kKey, error));
}

INSTANTIATE_TEST_SUITE_P(Stores, LogRegistryKeyTest, ::testing::Values(true, false),
                         [](const ::testing::TestParamInfo<bool>& info) {
                           return info.param ? "Memory" : "Platform";
                         });

}  // namespace
