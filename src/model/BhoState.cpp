// Enabling and disabling a BHO: the classic method (a mark on the DLL path
// registered for the class, and a note beside the BHO's entry) and the
// method of Windows XP SP2 (the add-on manager's per-user setting).
#include <cstdlib>
#include <ctime>

#include "common/base/ErrorCheck.h"
#include "common/files/GenericFiles.h"
#include "common/registry/MyRegistry.h"
#include "common/registry/RegistryKeys.h"
#include "common/ui/MyMessageBox.h"
#include "common/ui/RegistryWatch.h"
#include "common/ui/UserMessage.h"
#include "common/ui/WaitCursor.h"
#include "model/Bho.h"
#include "model/BhoRegistryPaths.h"
#include "res/resource.h"

namespace {

const char kRemoveAdvice[] =
    "\n\nIf you intend to remove this BHO, we strongly advise that you do not simply delete the file that "
    "houses the BHO, as this will leave behind 'orphaned' traces in the Registry.  ";

// The path stored for the class without the program's mark, in its long
// form. A REG_EXPAND_SZ text with variables keeps its unexpanded form: its
// long form would be the expansion, which is not what the installer wrote.
std::string CleanPath(const std::string& sStored, DWord dwType) {
  std::string sPath = sStored;
  BHO::RemoveWart(sPath);
  if (dwType == Registry::kExpandSz && sPath.find('%') != std::string::npos) return sPath;
  std::string sLongPath;
  if (Succeeded(Generic::GetLongPathName(sPath, sLongPath)) && !sLongPath.empty()) sPath = sLongPath;
  return sPath;
}

// Steps common to changing and stripping the classic state: open the
// class's InProcServer32 key and read the path it holds.
void ReadServerPath(const std::string& sServerKey, MyRegistry& regServer, std::string& sPath, DWord& dwType,
                    HResult& hr) {
  if (Succeeded(hr)) regServer.Open(Registry::kClassesRoot, sServerKey, false);
  EC_B(hr, regServer.IsOpen());
  EC_B(hr, BhoPaths::ReadStoredPath(regServer, sPath, dwType) == BhoPaths::StoredPath::kText);
  if (Failed(hr)) EC_VAR(sServerKey, "%s");
  if (Succeeded(hr)) sPath = CleanPath(sPath, dwType);
}

}  // namespace

void BHO::AddWart(std::string& sPath) {
  std::srand(static_cast<unsigned>(std::time(nullptr)));
  sPath += TARVOLIN_WART;
  sPath += '_';
  const int nLetters = std::rand() % 17 + 16;
  for (int i = 0; i < nLetters; ++i) sPath += static_cast<char>('A' + std::rand() % 26);
}

HResult BHO::ChangeStateClassic(bool bEnable) const {
  LOG_ENTRY("BHO::ChangeStateClassic");
  WaitCursor wait;
  HResult hr = kSOk;
  WatchSuspension watch(hr);

  std::string sClsid;
  EC_B(hr, m_mapAttrVals.Lookup("Clsid", sClsid));

  const std::string sServerKey = BhoPaths::InProcServerKey(sClsid);
  MyRegistry regServer;
  std::string sPath;
  DWord dwType = Registry::kSz;
  ReadServerPath(sServerKey, regServer, sPath, dwType, hr);
  if (!bEnable && Succeeded(hr)) AddWart(sPath);
  EC_B(hr, regServer.SaveValueString("", sPath, dwType));

  const std::string sBhoKey = std::string(REGKEY_BHO) + "\\" + sClsid;
  const std::string sReadMeKey = sBhoKey + "\\" + README_MESSAGE;
  const char* const szNote =
      bEnable ? "This BHO has been enabled by Tarvolin." : "This BHO has been disabled by Tarvolin.";
  MyRegistry regBho;
  if (Succeeded(hr)) regBho.Open(Registry::kLocalMachine, sBhoKey, true);
  EC_B(hr, regBho.IsOpen());
  MyRegistry regReadMe;
  if (Succeeded(hr)) regReadMe.Open(Registry::kLocalMachine, sReadMeKey, true);
  EC_B(hr, regReadMe.IsOpen());
  EC_B(hr, regReadMe.SaveValueString("", szNote));

  if (Failed(hr)) {
    LOGE("Tarvolin was unable to modify this BHO!\n");
    UserMessage::Show(MyLog::Current().GetLastLogText(), UserMessage::kIconError);
  } else {
    LOGA("%s\n", szNote);
    const char* const szState = bEnable ? "enabled" : "disabled";
    LOGA(
        "This BHO has been %s by Tarvolin.  Two changes have been made to the Registry for you.\n\nFirst, "
        "the "
        "file name that houses this BHO has been set (in the Registry only, not on your disk) to '%s'.  This "
        "change will %s to work.  Reference: 'HKCR\\%s'\n\nSecond, a 'comment' has been added to the "
        "Registry "
        "for this BHO.  This comment is simply to alert anyone reading the Registry that the BHO has been %s "
        "by Tarvolin.  Reference: 'HKLM\\%s'\n\n%sYou may need to reboot for this change to take effect.",
        szState, sPath, bEnable ? "allow this BHO" : "not allow *most* BHOs", sServerKey, szState, sReadMeKey,
        bEnable ? ""
                : "Be advised that disabling BHOs in this way may cause certain programs to stop "
                  "functioning.\n\n");
    std::string sShown = MyLog::Current().GetLastLogText();
    if (!bEnable) {
      sShown += kRemoveAdvice;
      sShown +=
          "Rather, you should use a program such as 'SpyBot Search & Destroy' to completely remove this BHO, "
          "if so desired.";
    }
    MyMessageBox box(sShown, "Bho", bEnable ? 680 : 695,
                     bEnable ? IDS_BHO_ENABLED_CAPTION : IDS_BHO_DISABLED_CAPTION,
                     UserMessage::kIconInformation);
    box.DoModal();
  }

  watch.Restore(hr);
  return hr;
}

HResult BHO::ChangeStateSP2(bool bEnable, bool bSilent) const {
  LOG_ENTRY("BHO::ChangeStateSP2");
  WaitCursor wait;
  HResult hr = kSOk;
  WatchSuspension watch(hr);

  std::string sClsid;
  EC_B(hr, m_mapAttrVals.Lookup("Clsid", sClsid));

  if (!bEnable) {
    MyRegistry regSetting;
    EC_B(hr, regSetting.Open(Registry::kCurrentUser, std::string(REGKEY_BHO_DISABLED) + "\\" + sClsid, true));
    EC_B(hr, regSetting.IsOpen());
    EC_B(hr, regSetting.SaveValueDWord("Flags", 1));
    EC_B(hr, regSetting.SaveValueString("Version", "*"));
  } else {
    MyRegistry regSettings;
    EC_B(hr, regSettings.Open(Registry::kCurrentUser, REGKEY_BHO_DISABLED, true));
    EC_B(hr, regSettings.IsOpen());
    // A setting that is already absent leaves nothing to delete: the BHO
    // is enabled as far as this method goes.
    long lnError = 0;
    const bool bPresent = MyRegistry::TestOpen(Registry::kCurrentUser,
                                               std::string(REGKEY_BHO_DISABLED) + "\\" + sClsid, lnError) ||
                          lnError != 2 /* ERROR_FILE_NOT_FOUND */;
    if (Succeeded(hr) && !bPresent) LOGT("BHO <%s> has no add-on setting to delete.\n", sClsid);
    if (bPresent) EC_B(hr, regSettings.DeleteKey(sClsid));
  }

  if (bEnable) {
    LOGA(
        "This BHO has been enabled by Tarvolin.  \n\nAccording to Microsoft, you may need to restart all "
        "instances of Internet Explorer for this change to take effect.");
  } else {
    LOGA(
        "This BHO has been disabled by Tarvolin.  \n\nIf you intend to remove this BHO, we strongly advise "
        "that you do not simply delete the file that houses the BHO, as this will leave behind 'orphaned' "
        "traces in the Registry.  Also, that method may not be completely successful.  Rather, you should "
        "use a program such as 'SpyBot Search & Destroy' to completely remove this BHO, if so desired.");
  }
  if (!bSilent) UserMessage::Show(MyLog::Current().GetLastLogText(), UserMessage::kIconInformation);

  watch.Restore(hr);
  return hr;
}

HResult BHO::StripStateClassic() const {
  LOG_ENTRY("BHO::StripStateClassic");
  WaitCursor wait;
  HResult hr = kSOk;
  WatchSuspension watch(hr);

  std::string sClsid;
  EC_B(hr, m_mapAttrVals.Lookup("Clsid", sClsid));
  EC_B(hr, !sClsid.empty());

  const std::string sServerKey = BhoPaths::InProcServerKey(sClsid);
  MyRegistry regServer;
  std::string sPath;
  DWord dwType = Registry::kSz;
  ReadServerPath(sServerKey, regServer, sPath, dwType, hr);
  EC_B(hr, regServer.SaveValueString("", sPath, dwType));

  const std::string sBhoKey = std::string(REGKEY_BHO) + "\\" + sClsid;
  MyRegistry regBho;
  if (Succeeded(hr)) regBho.Open(Registry::kLocalMachine, sBhoKey, true);
  EC_B(hr, regBho.IsOpen());
  if (Succeeded(hr)) LOGA("Deleting class ReadMe key for <%s>.\n", sBhoKey);
  EC_B(hr, regBho.DeleteKey(README_MESSAGE));

  watch.Restore(hr);
  return hr;
}

HResult BHO::ConvertIfDisabledToSP2Way() const {
  LOG_ENTRY("BHO::ConvertIfDisabledToSP2Way");
  HResult hr = kSOk;
  if (!IsDisabledClassicWay()) return hr;
  EC_H(hr, StripStateClassic());
  EC_H(hr, ChangeStateSP2(false, true));
  return hr;
}
