// A hyperlink's address, its visited state and colour, and which addresses
// it refuses to hand to the shell; the about dialog's texts and links.
#include "controls/Hyperlink.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/registry/MyRegistry.h"
#include "common/registry/RegistryKeys.h"
#include "common/ui/Shell.h"
#include "dialogs/AboutCore.h"
#include "support/ScopedMemoryRegistry.h"
#include "support/TestSupport.h"

namespace {

class HyperlinkFollow : public ::testing::Test {
 protected:
  HyperlinkFollow() {
    Shell::SetOpener([this](const std::string& file, const std::string& directory) {
      opened.push_back(file);
      EXPECT_EQ("", directory);
      return static_cast<std::intptr_t>(nAnswer);
    });
  }
  ~HyperlinkFollow() override { Shell::SetOpener(nullptr); }
  test::ScopedLog log;
  std::vector<std::string> opened;
  int nAnswer = 42;
};

TEST_F(HyperlinkFollow, OpensWebAndMailAddressesOnlyAndThenCountsAsVisited) {
  const struct {
    const char* address;
    bool bOpens;
  } cases[] = {
      {"https://www.kestrove.com/", true},
      {"HTTP://www.kestrove.com/files/TarvolinWhatsNew.html", true},
      {"mailto:support@kestrove.com", true},
      {"", false},
      {"https://", false},
      {"C:\\Windows\\system32\\calc.exe", false},
      {"file:///C:/evil.exe", false},
      {"\\\\server\\share\\evil.exe", false},
      {"javascript:alert(1)", false},
      {"https://a.example/ \"C:\\evil.exe\"", false},
      {"https://a.example/\r\nx", false},
      {"ftp://ftp.kestrove.com/", false},
  };
  for (const auto& c : cases) {
    opened.clear();
    Hyperlink link;
    link.SetAddress(c.address);
    EXPECT_EQ(Hyperlink::kLinkColour, link.GetColour());
    EXPECT_EQ(c.bOpens, link.Follow()) << c.address;
    EXPECT_EQ(c.bOpens, link.IsVisited());
    EXPECT_EQ(c.bOpens ? 1u : 0u, opened.size()) << c.address;
    if (c.bOpens) {
      EXPECT_EQ(c.address, opened.front());
      EXPECT_EQ(Hyperlink::kVisitedColour, link.GetColour());
    }
  }
}

TEST_F(HyperlinkFollow, AShellThatFailsLeavesItUnvisitedAndTheTextDefaultsToTheAddress) {
  nAnswer = 2;  // file not found
  Hyperlink link;
  link.SetAddress("https://www.kestrove.com/");
  EXPECT_EQ("https://www.kestrove.com/", link.GetText());
  link.SetText("Click here");
  EXPECT_EQ("Click here", link.GetText());
  EXPECT_FALSE(link.Follow());
  EXPECT_FALSE(link.IsVisited());
  EXPECT_EQ(Hyperlink::kLinkColour, link.GetColour());
  nAnswer = 33;
  EXPECT_TRUE(link.Follow());
  EXPECT_TRUE(link.IsVisited());
}

TEST(AboutCore, VersionLineAndLinksFollowTheWebServerSetting) {
  test::ScopedMemoryRegistry registry;
  EXPECT_EQ("Tarvolin Version 2.0.0.23", AboutCore::VersionLine("2.0.0.23"));
  EXPECT_EQ("Tarvolin Version ", AboutCore::VersionLine(""));
  EXPECT_EQ("mailto:support@kestrove.com", AboutCore::SupportMailUrl());
  EXPECT_EQ("https://www.kestrove.com/", AboutCore::WebSiteUrl());
  EXPECT_EQ("https://www.kestrove.com/files/TarvolinWhatsNew.html", AboutCore::ReleaseHistoryUrl());
  ASSERT_TRUE(MyRegistry(Registry::kCurrentUser, REGKEY_PROGRAM, true)
                  .SaveValueString("WebServerURL", "http://127.0.0.1:8000"));
  EXPECT_EQ("http://127.0.0.1:8000/files/TarvolinWhatsNew.html", AboutCore::ReleaseHistoryUrl());
  EXPECT_TRUE(Hyperlink::IsWebOrMailAddress(AboutCore::kDownloadSiteUrl));
}

}  // namespace
