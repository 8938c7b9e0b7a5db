// What the e-mail dialogs decide: which field is refused with which
// message, and the texts of the mails they send.
#pragma once

#include <string>

namespace EmailCore {

constexpr const char* kSupportAddress = "support@kestrove.com";
constexpr const char* kMailDomain = "kestrove.com";

// One refusal of an OK press: the message, its icon (UserMessage style)
// and the control that gets the focus; an empty message accepts.
struct Verdict {
  std::string sMessage;
  unsigned nIcon = 0;
  int nFocusId = 0;
  bool Accepted() const { return sMessage.empty(); }
};

// The log mail's description box: neither empty nor the prompt it starts with.
constexpr const char* kComplaintPrompt = "Please describe the problem here.";
Verdict CheckComplaint(const std::string& sComplaint);

// The friend mail: address, subject and message, in that order; the maker's
// own domain in the address (any case) is refused last.
Verdict CheckFriendMail(const std::string& sEmail, const std::string& sSubject, const std::string& sMessage);

constexpr const char* kFriendSubject = "Hey!  You should try Tarvolin!  It's free!";
std::string FriendMessage();  // with the program's page on the maker's site

// "Here is my Tarvolin 2.0.0.23 log file!" for the given version.
std::string LogMailSubject(const std::string& sVersion);

constexpr const char* kPaddingLine =
    "This text is padding to ensure that we get all the information before the log is emailed.  Is there a "
    "more "
    "elegant way to do this?  Probably.\n";
constexpr int kPaddingLines = 20;

constexpr const char* kAskBeforeMailing =
    "Please don't email us your log file unless we ask you to!\n\nMost problems can be solved without having "
    "to "
    "see your logfile.  Also, sending us your logfile DOES NOT report unknown BHOs to us - Tarvolin does "
    "that "
    "automatically.  Thanks!\n\nAre you sure you want to email us your logfile?";
constexpr const char* kLogMailFailed = "Failed to email logfile!  See the logfile for more info!\n";
constexpr const char* kFriendMailSent = "Your e-mail has been sent.  Thanks!";

}  // namespace EmailCore
