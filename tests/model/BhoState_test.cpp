// Enabling and disabling BHOs, run against a fresh in-memory registry and
// against the platform's own (the real registry under Windows).
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <memory>
#include <ostream>
#include <random>
#include <vector>

#include "common/registry/MemoryRegistryStore.h"
#include "common/registry/MyRegistry.h"
#include "common/registry/RegistryKeys.h"
#include "common/ui/MyMessageBox.h"
#include "common/ui/RegistryWatch.h"
#include "model/Bho.h"
#include "res/resource.h"
#include "support/FakeWatch.h"
#include "support/ScopedUserAnswers.h"
#include "support/TestSupport.h"

namespace {

struct StoreKind {
  const char* name;
  std::function<std::unique_ptr<Registry::Store>()> make;  // null: the platform's store
};

void PrintTo(const StoreKind& kind, std::ostream* os) { *os << kind.name; }

const StoreKind kMemory{"Memory", [] { return std::make_unique<Registry::MemoryRegistryStore>(); }};
const StoreKind kPlatform{"Platform", nullptr};

// Records what the operations ask of the main window's watch.
using test::FakeWatch;

struct BoxShown {
  std::string text;
  unsigned captionId;
  unsigned style;
  std::string valueName;
};

class BhoState : public ::testing::TestWithParam<StoreKind> {
 public:
  void SetUp() override {
    if (GetParam().make) m_pOwnedStore = GetParam().make();
    m_pPreviousStore =
        Registry::SetCurrentStore(m_pOwnedStore ? m_pOwnedStore.get() : &Registry::PlatformStore());
    m_pPreviousWatch = RegistryWatch::SetCurrent(&m_watch);
    m_previousPresenter = MyMessageBox::SetPresenter([this](const MyMessageBox& box, int& nCheckShow) {
      m_boxes.push_back({box.GetText(), box.GetCaptionId(), box.GetStyle(), box.GetValueName()});
      nCheckShow = 1;
      return 1;
    });
    std::random_device random;
    char szClsid[64];
    std::snprintf(szClsid, sizeof szClsid, "{%08X-7E57-4000-8000-%012X}", random(), random());
    m_sClsid = szClsid;
    m_sDll = m_dir.File("Helper Object.dll");
    test::WriteFile(m_sDll, "hello");
  }

  void TearDown() override {
    RemoveKeys();
    MyMessageBox::SetPresenter(m_previousPresenter);
    RegistryWatch::SetCurrent(m_pPreviousWatch);
    Registry::SetCurrentStore(m_pPreviousStore);
  }

  void RemoveKeys() {
    { MyRegistry(Registry::kLocalMachine, REGKEY_BHO, false).DeleteKey(m_sClsid); }
    { MyRegistry(Registry::kClassesRoot, "CLSID", false).DeleteKey(m_sClsid); }
    { MyRegistry(Registry::kCurrentUser, REGKEY_BHO_DISABLED, false).DeleteKey(m_sClsid); }
  }

  std::string ServerKey() const { return "CLSID\\" + m_sClsid + "\\InProcServer32"; }
  std::string BhoKey() const { return std::string(REGKEY_BHO) + "\\" + m_sClsid; }
  std::string ReadMeKey() const { return BhoKey() + "\\ReadMe-Tarvolin"; }
  std::string SettingKey() const { return std::string(REGKEY_BHO_DISABLED) + "\\" + m_sClsid; }

  void Register(const std::string& path, std::uint32_t type = Registry::kSz) {
    MyRegistry bho(Registry::kLocalMachine, BhoKey(), true);
    MyRegistry server(Registry::kClassesRoot, ServerKey(), true);
    ASSERT_TRUE(server.SaveValueString("", path, type));
  }

  // The stored default value of InProcServer32 and its type.
  std::string Stored(DWord& type) {
    MyRegistry reg(Registry::kClassesRoot, ServerKey(), false);
    std::string value = "<absent>";
    type = 0;
    reg.ReadValueString("", value, type);
    return value;
  }
  std::string Stored() {
    DWord type = 0;
    return Stored(type);
  }
  std::string Note() {
    MyRegistry reg;
    std::string value = "<absent>";
    if (reg.Open(Registry::kLocalMachine, ReadMeKey(), false)) reg.ReadValueString("", value);
    return value;
  }
  bool Exists(Registry::Handle root, const std::string& key) {
    long error = 0;
    return MyRegistry::TestOpen(root, key, error);
  }
  std::vector<std::string> WatchCalls() const { return m_watch.m_calls; }

  std::unique_ptr<Registry::Store> m_pOwnedStore;
  Registry::Store* m_pPreviousStore = nullptr;
  RegistryWatch* m_pPreviousWatch = nullptr;
  MyMessageBox::Presenter m_previousPresenter;
  FakeWatch m_watch;
  std::vector<BoxShown> m_boxes;
  test::ScopedUserAnswers m_answers;
  test::ScopedLog m_log;
  test::TempDir m_dir;
  std::string m_sClsid;
  std::string m_sDll;

  BHO Bho() const { return BHO(m_sClsid); }
};

const std::vector<std::string> kSuspended{"Unhook", "Hook"};

// "__TarvolinDisabled_" and 16 to 32 capitals after `base`.
::testing::AssertionResult IsMarked(const std::string& value, const std::string& base) {
  const std::string prefix = base + "__TarvolinDisabled_";
  if (value.compare(0, prefix.size(), prefix) != 0)
    return ::testing::AssertionFailure() << "<" << value << "> does not start with <" << prefix << ">";
  const std::string letters = value.substr(prefix.size());
  if (letters.size() < 16 || letters.size() > 32)
    return ::testing::AssertionFailure() << letters.size() << " letters in <" << value << ">";
  for (const char c : letters)
    if (c < 'A' || c > 'Z') return ::testing::AssertionFailure() << "<" << c << "> in <" << value << ">";
  return ::testing::AssertionSuccess();
}

TEST_P(BhoState, ClassicDisableTwiceThenEnable) {
  Register(m_sDll);
  const BHO bho = Bho();

  ASSERT_EQ(kSOk, bho.ChangeStateClassic(false));
  ASSERT_EQ(kSOk, bho.ChangeStateClassic(false));
  EXPECT_TRUE(IsMarked(Stored(), m_sDll));  // one mark: the first is cut before the second
  EXPECT_EQ(Stored().find("__TarvolinDisabled"), Stored().rfind("__TarvolinDisabled"));
  EXPECT_TRUE(bho.IsDisabledClassicWay());
  EXPECT_EQ("This BHO has been disabled by Tarvolin.", Note());
  ASSERT_EQ(2u, m_boxes.size());
  EXPECT_EQ(unsigned(IDS_BHO_DISABLED_CAPTION), m_boxes[1].captionId);
  EXPECT_EQ(unsigned(UserMessage::kIconInformation), m_boxes[1].style);
  EXPECT_EQ(0u, m_boxes[1].valueName.find("Bho_695_"));
  const std::string& disabled = m_boxes[1].text;
  EXPECT_EQ(
      0u, disabled.find("This BHO has been disabled by Tarvolin.  Two changes have been made to the "
                        "Registry for you.\n\nFirst, the file name that houses this BHO has been set (in "
                        "the Registry only, not on your disk) to '" +
                        Stored() + "'.  This change will not allow *most* BHOs to work.  Reference: 'HKCR\\" +
                        ServerKey() + "'\n\nSecond,"))
      << disabled;
  EXPECT_NE(std::string::npos, disabled.find("Reference: 'HKLM\\" + ReadMeKey() + "'\n\nBe advised that "));
  EXPECT_NE(std::string::npos, disabled.find("take effect.\n\nIf you intend to remove this BHO"));
  EXPECT_NE(std::string::npos, m_log.Messages().find("This BHO has been disabled by Tarvolin.\n"));

  ASSERT_EQ(kSOk, bho.ChangeStateClassic(true));
  EXPECT_EQ(m_sDll, Stored());
  EXPECT_FALSE(bho.IsDisabledClassicWay());
  EXPECT_EQ("This BHO has been enabled by Tarvolin.", Note());
  ASSERT_EQ(3u, m_boxes.size());
  EXPECT_EQ(unsigned(IDS_BHO_ENABLED_CAPTION), m_boxes[2].captionId);
  EXPECT_EQ(0u, m_boxes[2].valueName.find("Bho_680_"));
  EXPECT_EQ(
      "This BHO has been enabled by Tarvolin.  Two changes have been made to the Registry for you.\n\n"
      "First, the file name that houses this BHO has been set (in the Registry only, not on your disk) "
      "to '" +
          m_sDll + "'.  This change will allow this BHO to work.  Reference: 'HKCR\\" + ServerKey() +
          "'\n\nSecond, a 'comment' has been added to the Registry for this BHO.  This comment is simply to "
          "alert anyone reading the Registry that the BHO has been enabled by Tarvolin.  Reference: 'HKLM\\" +
          ReadMeKey() + "'\n\nYou may need to reboot for this change to take effect.",
      m_boxes[2].text);
  EXPECT_TRUE(m_answers.Shown().empty());
  EXPECT_EQ((std::vector<std::string>{"Unhook", "Hook", "Unhook", "Hook", "Unhook", "Hook"}), WatchCalls());
}

// What an installer wrote comes back as it was written, type and text.
TEST_P(BhoState, ClassicKeepsTheStoredTypeAndUnexpandedText) {
  const struct {
    std::string path;
    std::uint32_t type;
  } cases[] = {
      {"%SystemRoot%\\system32\\Helper Object.dll", Registry::kExpandSz},
      {m_sDll, Registry::kExpandSz},
      {m_sDll, Registry::kSz},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    Register(c.path, c.type);
    const BHO bho = Bho();
    ASSERT_EQ(kSOk, bho.ChangeStateClassic(false));
    DWord type = 0;
    EXPECT_TRUE(IsMarked(Stored(type), c.path));
    EXPECT_EQ(c.type, type);
    ASSERT_EQ(kSOk, bho.ChangeStateClassic(true));
    EXPECT_EQ(c.path, Stored(type));
    EXPECT_EQ(c.type, type);
    ASSERT_EQ(kSOk, bho.StripStateClassic());
    EXPECT_EQ(c.path, Stored(type));
    EXPECT_EQ(c.type, type);
  }
}

// Any failure shows one message and switches the watch on again.
TEST_P(BhoState, FailuresShowTheMessageAndRestoreTheWatch) {
  const std::string kUnable = "Tarvolin was unable to modify this BHO!\n";
  const struct {
    const char* name;
    std::function<void(BhoState&)> arrange;
    bool bEnable;
  } cases[] = {
      {"no class registration", [](BhoState& t) { MyRegistry(Registry::kLocalMachine, t.BhoKey(), true); },
       false},
      {"no default value", [](BhoState& t) { MyRegistry(Registry::kClassesRoot, t.ServerKey(), true); },
       true},
      {"a DWORD for a path",
       [](BhoState& t) {
         MyRegistry reg(Registry::kClassesRoot, t.ServerKey(), true);
         reg.SaveValueDWord("", 7);
       },
       false},
      {"unhooking fails",
       [](BhoState& t) {
         t.Register(t.m_sDll);
         t.m_watch.m_hrUnhook = kEFail;
       },
       false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    RemoveKeys();
    m_watch = FakeWatch();
    const size_t nShown = m_answers.Shown().size();
    c.arrange(*this);
    const BHO bho = Bho();
    EXPECT_EQ(kEFail, bho.ChangeStateClassic(c.bEnable));
    EXPECT_EQ(std::vector<std::string>{kUnable},
              std::vector<std::string>(m_answers.Shown().begin() + nShown, m_answers.Shown().end()));
    EXPECT_TRUE(m_boxes.empty());
    EXPECT_EQ(kSuspended, WatchCalls());
    EXPECT_TRUE(m_watch.IsActive());
    EXPECT_EQ("<absent>", Note());
    EXPECT_EQ(kEFail, bho.StripStateClassic());
    EXPECT_TRUE(m_watch.IsActive());
  }
  EXPECT_NE(
      std::string::npos,
      m_log.Messages().find("<((CTarvolinDlg*) AfxGetMainWnd())->UnhookTheRegistry()> failed with error"));
}

TEST_P(BhoState, AFailedHookFailsTheChange) {
  Register(m_sDll);
  m_watch.m_hrHook = kEFail;
  EXPECT_EQ(kEFail, Bho().ChangeStateSP2(false, true));
  EXPECT_TRUE(Exists(Registry::kCurrentUser, SettingKey()));
  EXPECT_NE(
      std::string::npos,
      m_log.Messages().find("<((CTarvolinDlg*) AfxGetMainWnd())->HookTheRegistry()> failed with error"));
}

TEST_P(BhoState, WithoutAnActiveWatchNothingIsHooked) {
  Register(m_sDll);
  m_watch.m_bActive = false;
  EXPECT_EQ(kSOk, Bho().ChangeStateSP2(false, true));
  EXPECT_TRUE(WatchCalls().empty());
  RegistryWatch::SetCurrent(nullptr);
  EXPECT_EQ(kSOk, Bho().ChangeStateSP2(true, true));
}

TEST_P(BhoState, Sp2DisableWritesTheSettingAndEnableDeletesItWhole) {
  Register(m_sDll);
  const BHO bho = Bho();
  ASSERT_EQ(kSOk, bho.ChangeStateSP2(false, false));
  {
    MyRegistry reg(Registry::kCurrentUser, SettingKey(), false);
    ASSERT_TRUE(reg.IsOpen());
    DWord dwFlags = 0;
    std::string sVersion;
    DWord type = 0;
    EXPECT_TRUE(reg.ReadValueDWord("Flags", dwFlags));
    EXPECT_EQ(1u, dwFlags);
    EXPECT_TRUE(reg.ReadValueString("Version", sVersion, type));
    EXPECT_EQ("*", sVersion);
    EXPECT_EQ(Registry::kSz, type);
  }
  EXPECT_TRUE(bho.IsDisabledSP2Way());
  { MyRegistry deeper(Registry::kCurrentUser, SettingKey() + "\\Sub\\Deeper", true); }

  ASSERT_EQ(kSOk, bho.ChangeStateSP2(true, false));
  EXPECT_FALSE(Exists(Registry::kCurrentUser, SettingKey()));
  EXPECT_FALSE(bho.IsDisabledSP2Way());
  ASSERT_EQ(2u, m_answers.Shown().size());
  EXPECT_EQ(
      "This BHO has been disabled by Tarvolin.  \n\nIf you intend to remove this BHO, we strongly advise "
      "that "
      "you do not simply delete the file that houses the BHO, as this will leave behind 'orphaned' traces in "
      "the Registry.  Also, that method may not be completely successful.  Rather, you should use a program "
      "such as 'SpyBot Search & Destroy' to completely remove this BHO, if so desired.",
      m_answers.Shown()[0]);
  EXPECT_EQ(
      "This BHO has been enabled by Tarvolin.  \n\nAccording to Microsoft, you may need to restart all "
      "instances of Internet Explorer for this change to take effect.",
      m_answers.Shown()[1]);
  EXPECT_EQ((std::vector<std::string>{"Unhook", "Hook", "Unhook", "Hook"}), WatchCalls());
}

// An absent setting is the enabled state, not a failure.
TEST_P(BhoState, Sp2EnableWithoutASettingSucceeds) {
  const BHO bho = Bho();
  EXPECT_EQ(kSOk, bho.ChangeStateSP2(true, true));
  EXPECT_FALSE(Exists(Registry::kCurrentUser, SettingKey()));
  EXPECT_TRUE(m_answers.Shown().empty());
  EXPECT_EQ(kSuspended, WatchCalls());
}

TEST_P(BhoState, StripRemovesTheMarkAndTheNote) {
  Register(m_sDll);
  const BHO bho = Bho();
  ASSERT_EQ(kSOk, bho.ChangeStateClassic(false));
  m_boxes.clear();
  ASSERT_EQ(kSOk, bho.StripStateClassic());
  EXPECT_EQ(m_sDll, Stored());
  EXPECT_FALSE(Exists(Registry::kLocalMachine, ReadMeKey()));
  EXPECT_TRUE(Exists(Registry::kLocalMachine, BhoKey()));
  EXPECT_TRUE(m_boxes.empty());
  EXPECT_TRUE(m_answers.Shown().empty());
  EXPECT_NE(std::string::npos, m_log.Messages().find("Deleting class ReadMe key for <" + BhoKey() + ">.\n"));
}

TEST_P(BhoState, ConversionLeavesOnlyTheSetting) {
  Register(m_sDll);
  const BHO bho = Bho();
  EXPECT_EQ(kSOk, bho.ConvertIfDisabledToSP2Way());  // enabled: nothing to do
  EXPECT_FALSE(Exists(Registry::kCurrentUser, SettingKey()));
  EXPECT_TRUE(WatchCalls().empty());

  ASSERT_EQ(kSOk, bho.ChangeStateClassic(false));
  m_boxes.clear();
  m_watch.m_calls.clear();
  ASSERT_EQ(kSOk, bho.ConvertIfDisabledToSP2Way());
  EXPECT_EQ(m_sDll, Stored());
  EXPECT_FALSE(Exists(Registry::kLocalMachine, ReadMeKey()));
  MyRegistry reg(Registry::kCurrentUser, SettingKey(), false);
  ASSERT_TRUE(reg.IsOpen());
  DWord dwFlags = 0;
  std::string sVersion;
  EXPECT_TRUE(reg.ReadValueDWord("Flags", dwFlags));
  EXPECT_EQ(1u, dwFlags);
  EXPECT_TRUE(reg.ReadValueString("Version", sVersion));
  EXPECT_EQ("*", sVersion);
  EXPECT_TRUE(m_boxes.empty());
  EXPECT_TRUE(m_answers.Shown().empty());
  EXPECT_EQ((std::vector<std::string>{"Unhook", "Hook", "Unhook", "Hook"}), WatchCalls());
  EXPECT_TRUE(m_watch.IsActive());
}

// A marked path whose note key is gone still converts only as far as the
// strip goes: the failure is logged, nothing shown, the watch restored.
TEST_P(BhoState, FailedConversionIsSilentAndRestoresTheWatch) {
  Register(m_sDll + "__TarvolinDisabled_ABCDEFGHIJKLMNOP");
  EXPECT_EQ(kEFail, Bho().ConvertIfDisabledToSP2Way());
  EXPECT_FALSE(Exists(Registry::kCurrentUser, SettingKey()));
  EXPECT_TRUE(m_answers.Shown().empty());
  EXPECT_TRUE(m_boxes.empty());
  EXPECT_TRUE(m_watch.IsActive());
  EXPECT_EQ(kSuspended, WatchCalls());
}

INSTANTIATE_TEST_SUITE_P(Stores, BhoState, ::testing::Values(kMemory, kPlatform),
                         [](const ::testing::TestParamInfo<StoreKind>& info) { return info.param.name; });

TEST(BhoWart, MarkIsTheFixedBeginningAndSixteenToThirtyTwoCapitals) {
  const std::string bases[] = {"", "C:\\Program Files\\Helper.dll", "%SystemRoot%\\x.dll",
                               "a__TarvolinDisabled"};
  for (const auto& base : bases) {
    std::string path = base;
    BHO::AddWart(path);
    EXPECT_TRUE(IsMarked(path, base));
    std::string cut = path;
    EXPECT_TRUE(BHO::RemoveWart(cut));
    EXPECT_EQ(base.substr(0, base.find("__TarvolinDisabled")), cut);
  }
}

}  // namespace
