#include "dialogs/EmailCore.h"

#include <algorithm>
#include <cctype>

#include "common/net/MakerServers.h"
#include "common/ui/UserMessage.h"

namespace {

constexpr int IDC_COMPLAINT = 1600;
constexpr int IDC_FRIEND_EMAIL = 1800;
constexpr int IDC_FRIEND_MESSAGE = 1802;
constexpr int IDC_FRIEND_SUBJECT = 1806;

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

}  // namespace

namespace EmailCore {

Verdict CheckComplaint(const std::string& sComplaint) {
  if (!sComplaint.empty() && Lower(sComplaint) != Lower(kComplaintPrompt)) return {};
  return {
      "You must enter a description of the problem you're having in the field on this dialog.  Otherwise, "
      "we'll have no idea what you're talking about!",
      UserMessage::kIconExclamation, IDC_COMPLAINT};
}

Verdict CheckFriendMail(const std::string& sEmail, const std::string& sSubject, const std::string& sMessage) {
  if (sEmail.empty())
    return {"Please specify an email address.", UserMessage::kIconExclamation, IDC_FRIEND_EMAIL};
  if (sSubject.empty())
    return {"Please specify a subject.", UserMessage::kIconExclamation, IDC_FRIEND_SUBJECT};
  if (sMessage.empty())
    return {"Please specify a message.", UserMessage::kIconExclamation, IDC_FRIEND_MESSAGE};
  if (Lower(sEmail).find(std::string("@") + kMailDomain) != std::string::npos)
    return {"Thanks, but we already know how great Tarvolin is!", UserMessage::kIconError,
            IDC_FRIEND_MESSAGE};
  return {};
}

std::string FriendMessage() {
  return "Just wanted to tell you about a great free software program called 'Tarvolin'.  I use it to help "
         "keep "
         "the bad BHO's from hijacking Internet Explorer, or showing me ads, or doing other evil things!  "
         "You can "
         "download it at:\r\n\r\n" +
         MakerServers::WebServerUrl() + "Tarvolin.html\r\n\r\nSee ya!";
}

std::string LogMailSubject(const std::string& sVersion) {
  return "Here is my Tarvolin " + sVersion + " log file!";
}

}  // namespace EmailCore
