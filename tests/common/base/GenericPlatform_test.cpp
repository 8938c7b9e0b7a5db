#include "common/base/GenericPlatform.h"

#include <gtest/gtest.h>

#include "common/base/ErrorCheck.h"
#include "common/base/GenericErrors.h"
#include "common/base/SystemApi.h"
#include "support/TestSupport.h"

namespace {

TEST(IsXPServicePack2Test, DecisionTable) {
  const struct {
    SystemApi::OsVersion version;
    bool expected;
  } cases[] = {
      {{2, 5, 1, "Service Pack 2"}, true},   {{2, 5, 1, "service pack 2"}, true},
      {{2, 5, 1, "SERVICE PACK 2"}, true},   {{2, 5, 1, "Service Pack 3"}, false},
      {{2, 5, 1, "Service Pack 1"}, false},  {{2, 5, 1, ""}, false},
      {{2, 5, 1, "Service Pack 2a"}, false}, {{2, 5, 1, " Service Pack 2"}, false},
      {{1, 5, 1, "Service Pack 2"}, false},  {{2, 5, 2, "Service Pack 2"}, false},
      {{2, 6, 1, "Service Pack 2"}, false},  {{2, 5, 0, "Service Pack 2"}, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.expected, Generic::IsXPServicePack2(c.version))
        << c.version.platformId << " " << c.version.major << "." << c.version.minor << " " << c.version.csd;
  }
}

class VersionOverride {
 public:
  explicit VersionOverride(SystemApi::VersionProvider provider)
      : m_previous(SystemApi::SetVersionInfoOverride(std::move(provider))) {}
  ~VersionOverride() { SystemApi::SetVersionInfoOverride(m_previous); }
  VersionOverride(const VersionOverride&) = delete;
  VersionOverride& operator=(const VersionOverride&) = delete;

 private:
  SystemApi::VersionProvider m_previous;
};

TEST(IsXPServicePack2Test, AsksTheOverrideWhileOneIsInstalled) {
  {
    VersionOverride xp([](SystemApi::OsVersion& v) {
      v = {2, 5, 1, "Service Pack 2"};
      return true;
    });
    EXPECT_TRUE(Generic::IsXPServicePack2());
  }
  SystemApi::OsVersion system;
  ASSERT_TRUE(SystemApi::GetVersionInfo(system));
  EXPECT_EQ(Generic::IsXPServicePack2(system), Generic::IsXPServicePack2());
}

TEST(IsXPServicePack2Test, FailedVersionQueryIsLoggedAndFalse) {
  test::ScopedLog log;
  const std::string before = log.Messages();
  VersionOverride failing([](SystemApi::OsVersion&) {
    SystemApi::SetLastError(87);
    return false;
  });
  EXPECT_FALSE(Generic::IsXPServicePack2());
  EXPECT_EQ("<::GetVersionEx(&osvi)> failed with error <87>: <" + Generic::GetErrorText(87) + ">.\n",
            log.Messages().substr(before.size()));
}

}  // namespace
