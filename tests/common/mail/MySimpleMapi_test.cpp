// The Simple MAPI calls and their log lines against a library of the test's
// own: what is called in which order, with what, and each result's text.
#include "common/mail/MySimpleMapi.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/ScopedUserAnswers.h"
#include "support/TestSupport.h"

namespace {

struct Calls {
  std::vector<std::string> names;
  MapiMail mail;
  unsigned long logonFlags = 99;
};

class FakeMapi : public MapiLibrary {
 public:
  FakeMapi(Calls& calls) : m_calls(calls) {}
  bool bPresent = true;
  std::vector<std::string> missing;
  unsigned long logonResult = 0, sendResult = 0, logoffResult = 0;
  std::uintptr_t session = 0x1234;

  bool Load(const char* name) override {
    m_calls.names.push_back(std::string("Load ") + name);
    return m_bLoaded = bPresent;
  }
  bool IsLoaded() const override { return m_bLoaded; }
  bool HasFunction(const char* name) override {
    for (const auto& m : missing)
      if (m == name) return false;
    return true;
  }
  unsigned long Logon(unsigned long flags, std::uintptr_t& s) override {
    m_calls.names.push_back("Logon");
    m_calls.logonFlags = flags;
    s = session;
    return logonResult;
  }
  unsigned long SendMail(std::uintptr_t s, const MapiMail& mail, unsigned long) override {
    m_calls.names.push_back("SendMail " + std::to_string(s));
    m_calls.mail = mail;
    return sendResult;
  }
  unsigned long Logoff(std::uintptr_t s) override {
    m_calls.names.push_back("Logoff " + std::to_string(s));
    return logoffResult;
  }
  bool Free() override {
    m_calls.names.push_back("Free");
    m_bLoaded = false;
    return true;
  }

 private:
  Calls& m_calls;
  bool m_bLoaded = false;
};

class SimpleMapiTest : public ::testing::Test {
 protected:
  std::unique_ptr<FakeMapi> Make() { return std::make_unique<FakeMapi>(calls); }
  Calls calls;
  test::ScopedLog log;
  test::ScopedUserAnswers answers;
  const std::list<std::string> recipients{"first@example.org", "second@example.org"};
  const std::list<std::string> docs{"C:\\Program Files\\Tarvolin\\_Tarvolin_PC.log.txt"};
};

TEST_F(SimpleMapiTest, SendsToEveryRecipientWithTheAttachmentsAndLogsOff) {
  {
    MySimpleMapi msm(Make());
    ASSERT_EQ(kSOk, msm.Initialize());
    EXPECT_EQ(kSOk, msm.SendMail("Subject", "Text", recipients, docs));
  }
  EXPECT_EQ((std::vector<std::string>{"Load MAPI32.DLL", "Logon", "SendMail 4660", "Logoff 4660", "Free"}),
            calls.names);
  EXPECT_EQ(MySimpleMapi::MAPI_LOGON_UI, calls.logonFlags);
  EXPECT_EQ("Subject", calls.mail.subject);
  EXPECT_EQ("Text", calls.mail.note);
  EXPECT_EQ((std::vector<std::string>{"first@example.org", "second@example.org"}), calls.mail.recipients);
  ASSERT_EQ(1u, calls.mail.attachments.size());
  EXPECT_EQ(docs.front(), calls.mail.attachments[0].path);
  EXPECT_EQ("_Tarvolin_PC.log.txt", calls.mail.attachments[0].fileName);
  const std::string text = log.Messages();
  const std::vector<std::string> inOrder = {">>> MySimpleMapi::Initialize()\n",
                                            "MAPILogon successful.\n",
                                            ">>> MySimpleMapi::SendMail()\n",
                                            "Added recipient <first@example.org>.\n",
                                            "Added recipient <second@example.org>.\n",
                                            "Added document <" + docs.front() + ">.\n",
                                            "MAPISendMail successful.\n",
                                            "MAPILogoff successful.\n"};
  std::size_t at = 0;
  for (const auto& line : inOrder) {
    const std::size_t found = text.find(line, at);
    ASSERT_NE(std::string::npos, found) << line << "\n" << text;
    at = found + line.size();
  }
  EXPECT_TRUE(answers.Shown().empty());
}

TEST_F(SimpleMapiTest, EachSendResultHasItsText) {
  const struct {
    unsigned long result;
    bool bShown;
  } cases[] = {{26, true}, {1, false}, {2, false}};
  for (const auto& c : cases) {
    auto p = Make();
    p->sendResult = c.result;
    MySimpleMapi msm(std::move(p));
    ASSERT_EQ(kSOk, msm.Initialize());
    const std::string before = log.Messages();
    const std::size_t shownBefore = answers.Shown().size();
    EXPECT_EQ(kEFail, msm.SendMail("S", "M", recipients, docs));
    const std::string text = log.Messages().substr(before.size());
    const std::string notSupported =
        "Got error MAPI_E_NOT_SUPPORTED.  Either you canceled the email, or your email program does not "
        "allow you "
        "to do this!\n";
    if (c.bShown) {
      EXPECT_NE(std::string::npos, text.find(notSupported));
      ASSERT_EQ(shownBefore + 1, answers.Shown().size());
      EXPECT_EQ(notSupported, answers.Shown().back());
      EXPECT_EQ(std::string::npos, text.find("MAPISendMail failed"));
    } else {
      EXPECT_NE(std::string::npos,
                text.find("MAPISendMail failed with MAPI error <" + std::to_string(c.result) +
                          ">.\n   See MAPI errors like MAPI_E_FAILURE in MAPI.H.\n"));
      EXPECT_NE(std::string::npos, text.find("   (Was the attached file open?)\n"));
      EXPECT_EQ(shownBefore, answers.Shown().size());
    }
  }
}

TEST_F(SimpleMapiTest, LogonResults) {
  const struct {
    unsigned long result;
    std::uintptr_t session;
    const char* line;
  } cases[] = {{3, 0, "MAPILogon failed with error <3>: MAPI_E_LOGON_FAILURE.\n"},
               {2, 0, "MAPILogon failed with error <2>.\n"},
               {0, 0, "<NULL != m_hMapiSession> failed with error"}};
  for (const auto& c : cases) {
    calls.names.clear();
    {
      auto p = Make();
      p->logonResult = c.result;
      p->session = c.session;
      MySimpleMapi msm(std::move(p));
      const std::string before = log.Messages();
      EXPECT_EQ(kEFail, msm.Initialize());
      const std::string text = log.Messages().substr(before.size());
      EXPECT_NE(std::string::npos, text.find(c.line)) << text;
      if (c.result != 0) {
        EXPECT_NE(std::string::npos, text.find("EC_ skipped executing <NULL != m_hMapiSession>.\n"));
      }
      EXPECT_EQ(kEFail, msm.SendMail("S", "M", recipients, docs));
    }
    EXPECT_EQ((std::vector<std::string>{"Load MAPI32.DLL", "Logon", "Free"}), calls.names) << c.result;
  }
}

TEST_F(SimpleMapiTest, NoLibraryNoFunctionAndAFailedLogoff) {
  {
    auto p = Make();
    p->bPresent = false;
    MySimpleMapi msm(std::move(p));
    EXPECT_EQ(kEFail, msm.Initialize());
  }
  std::string text = log.Messages();
  EXPECT_NE(std::string::npos,
            text.find("<NULL != (m_hInstMapi32 = AfxLoadLibrary(\"MAPI32.DLL\"))> failed with error"));
  EXPECT_NE(std::string::npos, text.find("EC_ skipped executing <pMAPILogon>.\n"));
  EXPECT_NE(std::string::npos, text.find("EC_ skipped executing <ul = (*pMAPILogon) ("));
  EXPECT_NE(std::string::npos, text.find("MAPILogon failed with error <0>.\n"));
  EXPECT_EQ((std::vector<std::string>{"Load MAPI32.DLL"}), calls.names);

  calls.names.clear();
  {
    auto p = Make();
    p->missing = {"MAPISendMail"};
    p->logoffResult = 1;
    MySimpleMapi msm(std::move(p));
    ASSERT_EQ(kSOk, msm.Initialize());
    EXPECT_EQ(kEFail, msm.SendMail("S", "M", recipients, docs));
  }
  text = log.Messages();
  EXPECT_NE(std::string::npos, text.find("<pMAPISendMail> failed with error"));
  EXPECT_NE(std::string::npos, text.find("MAPILogoff failed with error <1>.\n"));
  EXPECT_NE(std::string::npos, text.find("EC_ skipped executing <FreeLibrary(m_hInstMapi32)>.\n"));
  // The library stays loaded: the mail program may still hold the session.
  EXPECT_EQ((std::vector<std::string>{"Load MAPI32.DLL", "Logon", "Logoff 4660"}), calls.names);
}

}  // namespace
