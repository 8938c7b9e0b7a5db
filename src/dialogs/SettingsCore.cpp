#include "dialogs/SettingsCore.h"

#include <cmath>
#include <cstdio>

#include "common/base/DateText.h"
#include "common/base/ErrorCheck.h"
#include "common/registry/MyRegistry.h"
#include "common/registry/RegistryKeys.h"
#include "common/ui/DialogDefaults.h"
#include "common/ui/Shell.h"
#include "common/ui/UserMessage.h"
#include "controls/GridCtrl.h"

namespace Settings {

namespace {

constexpr long long kMinute = 60;
constexpr long long kHour = 60 * kMinute;
constexpr long long kDay = 24 * kHour;

// The maker's account at the payment service and the service's host.
constexpr const char* kPaymentHost = "https://www.paypal.com/cgi-bin/webscr";
constexpr const char* kPaymentAccount = "donations%40kestrove.example";

}  // namespace

std::string ElapsedWording(long long nSeconds) {
  const struct {
    long long size;
    const char* format;
  } units[] = {{kDay, "%g day%s"}, {kHour, "%g hour%s"}, {kMinute, "%g minute%s"}};
  long long nCount = nSeconds;
  const char* format = "%g second%s";
  for (const auto& unit : units) {
    if (nSeconds / unit.size > 0) {
      nCount = nSeconds / unit.size;
      format = unit.format;
      break;
    }
  }
  char text[64];
  std::snprintf(text, sizeof text, format, static_cast<double>(nCount), nCount == 1 ? "" : "s");
  return text;
}

LastCheck DescribeLastCheck(bool bPresent, const std::string& sStored, double dNowDays) {
  LastCheck last;
  if (!bPresent) {
    last.sWhen = kNever;
    last.sSince = kNeverChecked;
    return last;
  }
  last.sWhen = sStored;
  std::string sWording = "a while";
  HResult hr = kSOk;
  double dSince = 0;
  EC_B_TEXT(hr, "timSince.ParseDateTime(sDateCheck)", DateText::ParseDateTime(sStored, dSince));
  if (Succeeded(hr)) {
    const double dSeconds = std::round((dNowDays - dSince) * static_cast<double>(kDay));
    // A stamp beyond the day-count range cannot come from the parser, but
    // the conversion stays defined whatever the clock says.
    if (std::fabs(dSeconds) < 1e15) sWording = ElapsedWording(static_cast<long long>(dSeconds));
  }
  last.sSince = "It has been " + sWording + " since you last successfully ran 'Check for Updates'.";
  LOGA("%s\n", last.sSince);
  return last;
}

Values Load(bool bToolTipsNow, int nSpeedNow, double dNowDays) {
  LOG_ENTRY("SettingsDlg::OnInitDialog");
  Values values;
  values.bToolTips = bToolTipsNow;
  values.nSpeed = nSpeedNow;
  HResult hr = kSOk;
  MyRegistry regCheck(Registry::kCurrentUser, REGKEY_PROGRAM, true);
  EC_B(hr, regCheck.IsOpen());
  std::string sDateCheck;
  const bool bPresent = Succeeded(hr) && regCheck.ReadValueString(kLastCheckValue, sDateCheck);
  values.lastCheck = DescribeLastCheck(bPresent, sDateCheck, dNowDays);
  if (Failed(hr)) return values;
  regCheck.ReadValueBool(kRestoreValue, values.bRestorePending);
  regCheck.ReadValueDWord(kColorHeaderValue, values.crHeader);
  int nSpeed = values.nSpeed;
  if (regCheck.ReadValueInt(kSpeedValue, nSpeed)) values.nSpeed = ClampSpeed(nSpeed);
  regCheck.ReadValueBool(kHowlValue, values.bHowl);
  return values;
}

HResult Save(const Values& values) {
  LOG_ENTRY("SettingsDlg::OnBnClickedOk");
  HResult hr = kSOk;
  MyRegistry reg(Registry::kCurrentUser, REGKEY_PROGRAM, true);
  EC_B(hr, reg.IsOpen());
  EC_B(hr, reg.SaveValueDWord(kColorHeaderValue, values.crHeader));
  EC_B(hr, reg.SaveValueInt(kSpeedValue, values.nSpeed));
  EC_B(hr, reg.SaveValueBool(kToolTipsValue, values.bToolTips));
  DialogDefaults::s_bToolTipsEnabled = values.bToolTips;
  EC_B(hr, reg.SaveValueBool(kHowlValue, values.bHowl));
  return hr;
}

bool ConfirmRestore() {
  LOG_ENTRY("SettingsDlg::OnBnClickedSettingsCheckRestore");
  LOGA("%s\n", kRestoreQuestion);
  const int nAnswer = UserMessage::Show(
      kRestoreQuestion, UserMessage::kOkCancel | UserMessage::kIconQuestion | UserMessage::kDefButton2);
  if (nAnswer != UserMessage::kIdOk) return false;
  HResult hr = kSOk;
  MyRegistry reg(Registry::kCurrentUser, REGKEY_PROGRAM, true);
  EC_B(hr, reg.IsOpen());
  EC_B(hr, reg.SaveValueBool(kRestoreValue, true));
  if (Failed(hr)) {
    UserMessage::Show(MyLog::Current().GetLastLogText(), UserMessage::kIconExclamation);
    return false;
  }
  LOGA(kRestoreDone);
  UserMessage::Show(MyLog::Current().GetLastLogText(), UserMessage::kIconInformation);
  return true;
}

bool StepSpeed(int nCurrent, int nDelta, int& nNew) {
  const long long nStepped = static_cast<long long>(nCurrent) + nDelta;
  if (nStepped < kMinSpeed || nStepped > kMaxSpeed) return false;
  nNew = static_cast<int>(nStepped);
  return true;
}

void ApplyHeaderColour(CGridCtrl& grid) {
  DWord dwHeader = kDefaultHeaderColour;
  {
    MyRegistry reg(Registry::kCurrentUser, REGKEY_PROGRAM, true);
    reg.ReadValueDWord(kColorHeaderValue, dwHeader);
  }
  for (int nCol = 0; nCol < grid.GetColumnCount(); ++nCol) grid.SetItemBkColour(0, nCol, dwHeader);
  for (int nRow = 0; nRow < grid.GetRowCount(); ++nRow) grid.SetItemBkColour(nRow, 0, dwHeader);
  grid.Invalidate();
}

int ClampSpeed(long long nSpeed) {
  if (nSpeed < kMinSpeed) return kMinSpeed;
  if (nSpeed > kMaxSpeed) return kMaxSpeed;
  return static_cast<int>(nSpeed);
}

std::string DonationUrl() {
  return std::string(kPaymentHost) + "/xclick/business=" + kPaymentAccount +
         "&item_name=Donation+for+Tarvolin+-+Thanks%21&page_style=Primary&no_shipping=1&cn=%28Optional%29+"
         "Send+a+"
         "message+to+the+Tarvolin+team%21&tax=0&currency_code=USD&lc=US";
}

HResult OpenDonationPage() {
  LOG_ENTRY("SettingsDlg::OnBnClickedSettingsButtonPaypal");
  const std::string sURL = DonationUrl();
  if (Shell::Navigate(sURL) > 32) return kSOk;
  LOGW("Cannot navigate to <%s>!  Please try again later!\n", sURL);
  UserMessage::Show(MyLog::Current().GetLastLogText(), UserMessage::kIconExclamation);
  return kEFail;
}

}  // namespace Settings
