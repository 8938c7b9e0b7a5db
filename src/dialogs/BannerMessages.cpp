#include "dialogs/BannerMessages.h"

#include <cstdio>
#include <cstdlib>

namespace Banner {

namespace {

// Light-hearted appeals, jokes, hints about the program and notes from
// users, in the order they scroll by.
const char* const kFixed[kFixedCount] = {
    "Tarvolin is freeware - and freeware lives on donations.  Thanks for thinking about it!",
    "A BHO is a Browser Helper Object: a DLL that Internet Explorer loads every time it starts.",
    "Most BHOs are harmless toolbars and helpers.  Some are not.  Tarvolin helps you tell them apart.",
    "Please be sure you have the latest version of Tarvolin!  Just click the 'Check for Updates' button, and "
    "you can tell Tarvolin to do this automagically on a regular basis!",
    "Leave Tarvolin running in the System Tray: it will tell you the moment a new BHO is installed.",
    "\"Tarvolin found a BHO I never installed.  One click and it was gone.  Thanks guys!\" - Martha",
    "Why did the spyware cross the road?  It didn't - Tarvolin disabled it first.",
    "Double-click any BHO on the main screen to see everything Tarvolin knows about it.",
    "Your donation pays for the server that keeps the BHO list up to date.",
    "\"I sleep better knowing Tarvolin is watching my browser.\" - Gerald",
    "Unchecking the 'Enabled?' box stops a BHO from loading - and checking it again brings it back.",
    "Send us your BHO reports: they are anonymous, and they make the list better for everybody.",
    "Spyware never sleeps.  Neither does Tarvolin (but it uses almost no processor time).",
    "Did you know?  A BHO can see every page you visit.  Know which ones you have!",
    "\"My computer is fast again!\" - Lucille",
    "A status of 'Unknown' only means nobody has told us about that BHO yet.  Send us a report!",
    "Knock knock.  Who's there?  Adware.  Adware who?  Adware you not running Tarvolin?",
    "Even a small donation makes a big difference to a small team.",
    "Tarvolin never sends anything that could identify your PC.",
    "The 'Examine in Registry' button on the details screen takes you right to the BHO's key - be careful!",
    "\"Finally a tool that explains what all that stuff is.\" - Bernard",
    "Safe browsing tip: do not install toolbars you did not ask for.",
    "Safe browsing tip: read what you agree to before clicking 'Yes' on a web page.",
    "Safe browsing tip: keep your system and your browser patched.",
    "Please support Tarvolin - your generosity keeps it free for everyone.",
    "We checked: 9 out of 10 BHOs prefer not to be disabled.  We disabled them anyway.",
    "Press F11 on the main screen to e-mail us your log file if something goes wrong.",
    "\"Tarvolin caught a hijacker the day it was installed.\" - Annette",
    "On Windows XP Service Pack 2, Tarvolin works together with the Add-on Manager.",
    "Malicious BHOs can re-enable themselves when disabled from Internet Explorer - but not from Tarvolin.",
    "A donation of any size is a big thank-you to the people who wrote this program.",
    "Tarvolin's list of known BHOs grows every week, thanks to users like you.",
    "\"I recommended Tarvolin to my whole office.\" - Desmond",
    "Spyware is software that watches you.  Tarvolin is software that watches spyware.",
    "Tip: you can notate any BHO on its details screen - your notes help us categorize it.",
    "Tip: the 'View BHO File's Text' button shows the readable text inside a BHO's DLL.",
    "Tip: the details screen can save everything about a BHO to a text file.",
    "How many programmers does it take to change a light bulb?  None - that's a hardware problem.",
    "\"Small, fast and does exactly what it says.\" - Priscilla",
    "If you like Tarvolin, tell a friend.  If you don't, tell us!",
    "Your PayPal donation is safe, secure and much appreciated.",
    "A BHO marked 'Benign' is one we know to be harmless.",
    "A BHO marked 'Adware' shows you advertisements you did not ask for.",
    "A BHO marked 'Malware' is one you almost certainly want to disable.",
    "A BHO marked 'Investigating' is one we are still looking into.",
    "\"The tray icon is my new best friend.\" - Reginald",
    "There are 10 kinds of people: those who understand binary and those who don't.",
    "Tarvolin plays a sound when a BHO is installed - switch it on right here in the settings.",
    "Click the 'Test Message' button to see what Tarvolin shows when a new BHO appears.",
    "Supporting freeware is good karma.  Just saying.",
    "\"I found three BHOs from programs I uninstalled years ago.\" - Winifred",
    "Orphaned registry entries can be removed from the details screen.",
    "The header colour of the main list is yours to choose - look just above this text.",
    "Don't like tooltips?  Switch them off right here in the settings.",
    "Too fast?  Too slow?  Change the speed of this text with the arrows below it.",
    "Set the speed to zero and this text stops bothering you.  We'll miss you.",
    "\"Tarvolin is the first program I open on a new PC.\" - Cornelius",
    "I would tell you a UDP joke, but you might not get it.",
    "Every report you send makes the 'Unknown' column a little shorter.",
    "Please donate - our coffee budget is running dangerously low.",
    "Safe browsing tip: be wary of 'free' screensavers and smiley packs.",
    "Safe browsing tip: a pop-up saying your PC is infected is usually the infection.",
    "\"Simple enough for my mother, thorough enough for me.\" - Ignatius",
    "Tarvolin checks for new BHO lists automatically if you ask it to.",
    "There's no place like 127.0.0.1.",
    "The statistics button shows which BHOs Tarvolin users report most often.",
    "\"Thank you for keeping this program free!\" - Henrietta",
    "Your donations fund new features - and the occasional pizza.",
    "Restoring the factory defaults erases Tarvolin's settings the next time it starts.",
    "A BHO without its DLL shows 'No - file is missing' - something removed the file but not the entry.",
    "A computer without spyware is a happy computer.",
    "\"Tarvolin told me what my antivirus didn't.\" - Ambrose",
    "Tip: click a column heading on the main screen to sort the list.",
    "Tip: the main window remembers its size and position.",
    "To err is human; to really foul things up takes a BHO.",
    "Please consider a donation - even the price of a cup of coffee helps.",
    "\"I love the status colours - I can see the bad ones at a glance.\" - Philippa",
    "Tarvolin runs in the background and uses a tiny amount of system resources.",
    "Windows Explorer loads BHOs too - that's why Tarvolin asks you to close it before changes.",
    "Real programmers count from zero.  This is message seventy-nine.",
    "\"The best free program on my machine.\" - Leopold",
    "We read every e-mail you send us.  Really.",
    "Thanks for reading this far - you are a patient person.",
    "\"I donated, and it felt great.\" - Rosalind",
    "The end is near...  of the messages, that is.",
    "Almost done.  Just a few more surprises.",
    "Thank you for using Tarvolin!",
};

}  // namespace

std::string Message::Text() const {
  std::string text;
  for (const Item& item : items) text += item.text;
  return text;
}

const std::vector<std::string>& FixedTexts() {
  static const std::vector<std::string> texts(std::begin(kFixed), std::end(kFixed));
  return texts;
}

Sequence::Sequence(Clock clock, Random random) : m_clock(std::move(clock)), m_random(std::move(random)) {}

Sequence& Sequence::Current() {
  static Sequence sequence([] { return std::time(nullptr); }, [] { return std::rand(); });
  return sequence;
}

bool Sequence::TakeEndFlag() {
  const bool bEnd = m_bEnd;
  m_bEnd = false;
  return bEnd;
}

Message Sequence::Next() {
  ++m_nMsg;
  if (m_nMsg >= 0 && m_nMsg < kFixedCount) {
    Message message;
    message.items.push_back({FixedTexts()[static_cast<std::size_t>(m_nMsg)]});
    return message;
  }
  return Generated(m_nMsg - kFixedCount);
}

std::string Sequence::LocalTime(const char* format, std::time_t time) const {
  char text[128] = "";
  if (const std::tm* pTm = std::localtime(&time)) std::strftime(text, sizeof text, format, pTm);
  return text;
}

Message Sequence::Generated(int k) {
  Message message;
  auto add = [&message](std::string text, Colour crText = kDefaultColour, Colour crBack = kDefaultColour) {
    message.items.push_back({std::move(text), crText, crBack});
  };
  auto randomColour = [this] {
    const Colour r = static_cast<Colour>(m_random() % 256);
    const Colour g = static_cast<Colour>(m_random() % 256);
    const Colour b = static_cast<Colour>(m_random() % 256);
    return r | (g << 8) | (b << 16);
  };
  switch (k) {
    case 0: add(LocalTime("It's %H:%M - time to support excellent freeware, no?", m_clock())); break;
    case 1:
      add("An important message from the Department of Homela-", 0x00FFFFFF, 0x00800000);
      add("    What?  Oops, wrong switch.");
      break;
    case 2:
      add("Today is " + LocalTime("%A, %B %d, %Y", m_clock() + 24 * 60 * 60) +
          ".                         Just kidding!");
      break;
    case 3:
      message.nSpeed = 100;
      add("If you don't press the PayPal button, I'll play the rest of the messages    at      this       "
          "speed.");
      break;
    case 4: {
      std::string text =
          "Next up: Twenty-five random numbers between 1066 and 1588 (inclusive on both ends): ";
      for (int n = 0; n < 25; ++n) {
        if (n > 0) text += ", ";
        text += std::to_string(m_random() % 523 + 1066);
      }
      add(text + ".");
      break;
    }
    case 5:
      message.cx = kStandardCx;
      message.cy = 30;
      add("*WE* control the vertical...");
      break;
    case 6:
      message.cx = 40;
      message.cy = 16;
      message.nSpeed = 50;
      add("*WE* control the horizontal...");
      break;
    case 7:
      for (const char* word : {"*WE* ", "have ", "a ", "very ", "poor ", "sense ", "of ", "color."}) {
        const Colour crText = randomColour();
        add(word, crText, randomColour());
      }
      message.cx = kStandardCx;
      message.cy = kStandardCy;
      break;
    case 8: add("SLOWER TRAFFIC KEEP RIGHT", 0x000000FF); break;
    case 9:
      add("Well, you've done it - you've reached the end.  Congratulations!                            Now "
          "SEND "
          "US YOUR MONEY!!");
      m_bEnd = true;
      m_nMsg = -1;
      break;
    default: {
      char text[512];
      std::snprintf(text, sizeof text,
                    "Hey, tell tech support there's a bug in '%s()' at line %d.  No, seriously.  (Tell them "
                    "'nMsg' is %d; they'll know what that means.  Ask for Rerize.",
                    "SettingsDlg::BannerTextFinished", 620, m_nMsg);
      add(text);
      m_nMsg = -1;
      break;
    }
  }
  return message;
}

}  // namespace Banner
