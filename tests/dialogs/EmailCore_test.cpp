// The e-mail dialogs' checks, in their order, with their messages and the
// box that gets the focus; and the texts of the mails.
#include "dialogs/EmailCore.h"

#include <gtest/gtest.h>

#include "common/ui/UserMessage.h"
#include "support/ScopedMemoryRegistry.h"

namespace {

TEST(EmailCore, TheComplaintMustSaySomethingElseThanThePrompt) {
  const char* const refused[] = {"", "Please describe the problem here.", "PLEASE DESCRIBE THE PROBLEM HERE.",
                                 "please describe the problem here."};
  for (const char* text : refused) {
    const EmailCore::Verdict v = EmailCore::CheckComplaint(text);
    EXPECT_EQ(
        "You must enter a description of the problem you're having in the field on this dialog.  Otherwise, "
        "we'll have no idea what you're talking about!",
        v.sMessage)
        << text;
    EXPECT_EQ(UserMessage::kIconExclamation, v.nIcon);
    EXPECT_EQ(1600, v.nFocusId);
  }
  for (const char* text : {"It crashes", "Please describe the problem here. It crashes.", " "})
    EXPECT_TRUE(EmailCore::CheckComplaint(text).Accepted()) << text;
}

TEST(EmailCore, TheFriendMailIsCheckedFieldByField) {
  const struct {
    const char *email, *subject, *message, *expected;
    unsigned icon;
    int focus;
  } cases[] = {
      {"", "", "", "Please specify an email address.", UserMessage::kIconExclamation, 1800},
      {"", "S", "M", "Please specify an email address.", UserMessage::kIconExclamation, 1800},
      {"a@b.org", "", "", "Please specify a subject.", UserMessage::kIconExclamation, 1806},
      {"a@b.org", "S", "", "Please specify a message.", UserMessage::kIconExclamation, 1802},
      {"me@KESTROVE.COM", "S", "M", "Thanks, but we already know how great Tarvolin is!",
       UserMessage::kIconError, 1802},
      {"x <sales@Kestrove.com>", "S", "M", "Thanks, but we already know how great Tarvolin is!",
       UserMessage::kIconError, 1802},
      {"kestrove.com@b.org", "S", "M", "", 0, 0},
      {"a@b.org", "S", "M", "", 0, 0},
  };
  for (const auto& c : cases) {
    const EmailCore::Verdict v = EmailCore::CheckFriendMail(c.email, c.subject, c.message);
    EXPECT_EQ(c.expected, v.sMessage) << c.email;
    EXPECT_EQ(c.icon, v.nIcon) << c.email;
    EXPECT_EQ(c.focus, v.nFocusId) << c.email;
  }
}

TEST(EmailCore, MailTexts) {
  test::ScopedMemoryRegistry registry;
  EXPECT_EQ("Here is my Tarvolin 2.0.0.23 log file!", EmailCore::LogMailSubject("2.0.0.23"));
  const std::string message = EmailCore::FriendMessage();
  EXPECT_EQ(0u,
            message.find("Just wanted to tell you about a great free software program called 'Tarvolin'."));
  EXPECT_NE(std::string::npos, message.find("You can download it at:\r\n\r\nhttps://www.kestrove.com/"));
  EXPECT_EQ(message.size() - 11, message.find("\r\n\r\nSee ya!"));
}

}  // namespace
