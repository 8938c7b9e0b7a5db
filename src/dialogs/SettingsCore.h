// What the settings dialog shows and stores: the last update check and how
// long ago it was, the settings it reads and writes under the program key,
// the factory-defaults request, the scroll speed's steps and the donation
// page. The window only moves these between the core and its controls.
#pragma once

#include <string>

#include "common/base/Types.h"

class CGridCtrl;

namespace Settings {

constexpr DWord kDefaultHeaderColour = 0x007AA0FF;
constexpr int kDefaultSpeed = 500;
constexpr int kMinSpeed = 0;
constexpr int kMaxSpeed = 2000;
constexpr int kSpeedStep = 10;

constexpr const char* kLastCheckValue = "LastCheckForUpdate";
constexpr const char* kRestoreValue = "RestoreToFactoryDefaults";
constexpr const char* kColorHeaderValue = "ColorHeader";
constexpr const char* kSpeedValue = "ScrollingTextSpeed";
constexpr const char* kToolTipsValue = "TooltipsEnabled";
constexpr const char* kHowlValue = "HowlEnabled";

constexpr const char* kNever = "Never!";
constexpr const char* kNeverChecked =
    "Please click the 'Check for Updates' button on Tarvolin's main screen to get the latest BHO lists!";
constexpr const char* kSpyware = "Please Help us Fight Spyware!";
constexpr const char* kRestoreQuestion =
    "This will erase all settings for Tarvolin from the Registry.  Are you sure you want to do this?";
constexpr const char* kRestoreDone =
    "Tarvolin will erase all settings the next time you start it.  Please re-start this program.\n";

// A span in seconds in its largest unit with a positive whole count:
// "1 day", "36 hours" never (that is "1 day"), "59 minutes", "2 seconds".
std::string ElapsedWording(long long nSeconds);

// What 1301 and 1302 show for the stored "LastCheckForUpdate" (absent when
// !bPresent), measured against the local time `dNowDays` (DateText days).
struct LastCheck {
  std::string sWhen;   // 1301
  std::string sSince;  // 1302
};
LastCheck DescribeLastCheck(bool bPresent, const std::string& sStored, double dNowDays);

// The dialog's values as it opens and as OK stores them.
struct Values {
  LastCheck lastCheck;
  bool bRestorePending = false;
  bool bToolTips = true;
  DWord crHeader = kDefaultHeaderColour;
  int nSpeed = kDefaultSpeed;
  bool bHowl = false;
};

// Reads the program key (creating it). A key that cannot be opened leaves
// the defaults: the current tooltips switch and speed, the rest as above.
Values Load(bool bToolTipsNow, int nSpeedNow, double dNowDays);

// OK: writes "ColorHeader", "ScrollingTextSpeed", "TooltipsEnabled" (and
// switches the dialogs' tooltips at once) and "HowlEnabled".
HResult Save(const Values& values);

// The restore box was ticked: asks, and on OK stores the request at once
// and says what happens next. True when the request is stored.
bool ConfirmRestore();

// The spin moved the speed `nCurrent` by `nDelta`: false (a beep, no change)
// when that leaves 0 to 2000.
bool StepSpeed(int nCurrent, int nDelta, int& nNew);

// The donation page at the payment service; opening it, with the warning
// when the browser cannot be started.
std::string DonationUrl();
HResult OpenDonationPage();

// After OK: the stored "ColorHeader" (default 0x007AA0FF) as the background
// of every cell of row 0 and column 0, then the grid is drawn again.
void ApplyHeaderColour(CGridCtrl& grid);

// The reading of the speed box: its number held to 0 to 2000.
int ClampSpeed(long long nSpeed);

}  // namespace Settings
