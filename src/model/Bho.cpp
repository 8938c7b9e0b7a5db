#include "model/Bho.h"

#include "app/Tarvolin.h"
#include "common/base/DateText.h"
#include "common/base/ErrorCheck.h"
#include "common/base/GenericPaths.h"
#include "common/base/GenericPlatform.h"
#include "common/base/GenericStrings.h"
#include "common/base/SystemApi.h"
#include "common/fileinfo/MD5Checksum.h"
#include "common/fileinfo/MyFileVersion.h"
#include "common/files/GenericFiles.h"
#include "common/registry/GenericRegistryLog.h"
#include "common/registry/MyRegistry.h"
#include "common/registry/RegistryKeys.h"
#include "common/ui/UserMessage.h"
#include "common/ui/WaitCursor.h"
#include "lists/IBHOList.h"
#include "model/BhoRegistryPaths.h"
#include "model/ClassRegistry.h"

namespace {

using BhoPaths::InProcServerKey;
using BhoPaths::ReadStoredPath;
using BhoPaths::StoredPath;

std::string TypeText(DWord dwType) {
  const std::string sName = Generic::RegistryTypeName(dwType);
  return sName.empty() ? std::to_string(dwType) : sName;
}

bool CutAtMark(std::string& sPath, const char* mark) {
  const auto pos = sPath.find(mark);
  if (pos == std::string::npos) return false;
  sPath.erase(pos);
  return true;
}

// The nine version strings, attribute name and resource name, in loading order.
const struct {
  const char* attribute;
  const char* resourceName;
} kVersionStrings[] = {
    {"Comments", "Comments"},
    {"File Description", "FileDescription"},
    {"File Version", "FileVersion"},
    {"Internal Name", "InternalName"},
    {"Company Name", "CompanyName"},
    {"Legal Copyright", "LegalCopyright"},
    {"Original Filename", "OriginalFilename"},
    {"Product Name", "ProductName"},
    {"Product Version", "ProductVersion"},
};

}  // namespace

BHO::BHO(const std::string& sClsid) {
  LOGA("Instantiating BHO <%s>.\n", sClsid);
  m_mapAttrVals.SetAt("Clsid", sClsid);
}

BHO::~BHO() = default;

bool BHO::IsUnknown() const {
  const std::string sStatus = m_mapAttrVals.Get("Status");
  return sStatus.empty() || Generic::EqualsNoCase(sStatus, "Unknown");
}

bool BHO::IsInvestigating() const {
  return Generic::EqualsNoCase(m_mapAttrVals.Get("Status"), "Investigating");
}

bool BHO::IsDisabledClassicWay() const {
  MyRegistry reg;
  std::string sPath;
  DWord dwType = 0;
  return reg.Open(Registry::kClassesRoot, InProcServerKey(m_mapAttrVals.Get("Clsid")), false) &&
         ReadStoredPath(reg, sPath, dwType) == StoredPath::kText &&
         sPath.find(TARVOLIN_WART) != std::string::npos;
}

bool BHO::IsDisabledSP2Way() const {
  MyRegistry reg;
  return reg.Open(Registry::kCurrentUser,
                  std::string(REGKEY_BHO_DISABLED) + "\\" + m_mapAttrVals.Get("Clsid"), false);
}

std::string BHO::GetName() const {
  const std::string sProgId = m_mapAttrVals.Get("ProgID");
  if (!sProgId.empty()) return sProgId;
  std::string sDllPath;
  if (!m_mapAttrVals.Lookup("DLL Path", sDllPath)) {
    LOGE("BHO <%s> has no DLL Path to name it by.\n", m_mapAttrVals.Get("Clsid"));
    return std::string();
  }
  return Generic::GetFileName(sDllPath);
}

bool BHO::RemoveWart(std::string& sPath) { return CutAtMark(sPath, TARVOLIN_WART); }

bool BHO::RemoveSpyBotWart(std::string& sPath) { return CutAtMark(sPath, SPYBOT_WART); }

HResult BHO::LoadBHOAttrs() {
  LOG_ENTRY("BHO::LoadBHOAttrs");
  WaitCursor wait;
  HResult hr = kSOk;

  std::string sClsid;
  EC_B(hr, m_mapAttrVals.Lookup("Clsid", sClsid) && !sClsid.empty());

  m_mapAttrVals.SetAt("Enabled?", IsDisabledClassicWay() || IsDisabledSP2Way() ? "No" : "Yes");

  std::string sProgId;
  if (ClassRegistry::ProgIDFromCLSID(sClsid, sProgId)) m_mapAttrVals.SetAt("ProgID", sProgId);

  if (Generic::IsXPServicePack2()) LoadStatistics(sClsid);

  const std::string sKey = InProcServerKey(sClsid);
  MyRegistry regServer;
  std::string sStoredPath;
  DWord dwType = Registry::kSz;
  if (!regServer.Open(Registry::kClassesRoot, sKey, false)) {
    LOGW(
        "The Registry key:\n\n%s\n\nfor BHO <%s> could not be found!  This could be caused, for example, by "
        "SpyBot disabling the BHO.\n",
        sKey, sClsid);
  } else if (const StoredPath stored = ReadStoredPath(regServer, sStoredPath, dwType);
             stored != StoredPath::kText) {
    LOGE("The Registry key:\n\n%s\n\nfor BHO <%s> had no default value!\n", sKey, sClsid);
    if (stored == StoredPath::kNotText)
      LOGE("The default value of <%s> for BHO <%s> is of type %s, which cannot hold a DLL path.\n", sKey,
           sClsid, TypeText(dwType));
  } else {
    // Installers often register "%SystemRoot%\..." as REG_EXPAND_SZ; the
    // file can only be found once the variables are expanded.
    if (dwType == Registry::kExpandSz) sStoredPath = SystemApi::ExpandEnvironmentStrings(sStoredPath);
    std::string sDllPath = sStoredPath;
    if (Succeeded(hr)) RemoveWart(sDllPath);
    std::string sLongPath;
    if (Succeeded(hr) && Succeeded(Generic::GetLongPathName(sDllPath, sLongPath)) && !sLongPath.empty())
      sDllPath = sLongPath;
    m_mapAttrVals.SetAt("DLL Path", sDllPath);
    LOGA("Loading DLL Path <%s> for this BHO.\n", sDllPath);

    if (!Generic::FileExists(sDllPath) && Succeeded(hr)) RemoveSpyBotWart(sDllPath);
    if (!Generic::FileExists(sDllPath)) {
      LOGW(
          "The file for this BHO (%s) could not be found on your disk, so we cannot load certain info about "
          "it.\n",
          sDllPath.empty() ? sClsid : sDllPath);
      m_mapAttrVals.SetAt("Enabled?", "No - file is missing");
    } else {
      LoadFileAttrs(sDllPath, hr);
    }
  }

  // The community lists decide only what the maker's list left unknown.
  if (IsUnknown()) {
    EC_B(hr, nullptr != CTarvolinApp::m_pBHOListSysInfo);
    EC_H(hr, CTarvolinApp::m_pBHOListSysInfo->PopulateBHO(this));
  }
  if (IsUnknown()) {
    EC_B(hr, nullptr != CTarvolinApp::m_pBHOListCops);
    EC_H(hr, CTarvolinApp::m_pBHOListCops->PopulateBHO(this));
  }
  return hr;
}

// Internet Explorer's add-on statistics exist only on Windows XP SP2.
void BHO::LoadStatistics(const std::string& sClsid) {
  MyRegistry reg;
  if (!reg.Open(Registry::kCurrentUser, std::string(REGKEY_BHO_STATS) + "\\" + sClsid + "\\iexplore", false))
    return;
  DWord dwCount = 0;
  DWord dwBlocked = 0;
  reg.ReadValueDWord("Count", dwCount);
  reg.ReadValueDWord("Blocked", dwBlocked);
  m_mapAttrVals.SetAt("Load Attempts", Generic::FormatThousands(dwCount));
  m_mapAttrVals.SetAt("Blocked Load Attempts", Generic::FormatThousands(dwBlocked));

  std::uint8_t abyTime[16] = {};
  DWord cbTime = sizeof abyTime;
  std::string sTime;
  if (!reg.ReadValueBinary("Time", abyTime, cbTime) || cbTime != sizeof abyTime ||
      !DateText::FromSystemTime(abyTime, sTime))
    sTime = "Invalid DateTime";
  m_mapAttrVals.SetAt("Last Load Time", sTime);
}

void BHO::LoadFileAttrs(const std::string& sDllPath, HResult& hr) {
  if (Succeeded(hr)) _AlertIfStupidBHO(m_mapAttrVals.Get("Clsid"), sDllPath);

  EC_TRY { m_mapAttrVals.SetAt("MD5 Checksum", CMD5Checksum::GetMD5(sDllPath)); }
  EC_CATCH(hr, "EC_VEF")

  // The maker's list knows files by their checksum, so it is asked first.
  if (IsUnknown()) {
    EC_B(hr, nullptr != CTarvolinApp::m_pBHOListKST);
    EC_H(hr, CTarvolinApp::m_pBHOListKST->PopulateBHO(this));
  }

  DWord dwSize = 0;
  if (Generic::GetFileSize(sDllPath, dwSize))
    m_mapAttrVals.SetAt("Size (bytes)", Generic::FormatThousands(dwSize));
  std::time_t tCreated = 0;
  if (Succeeded(Generic::GetFileCreatedTime(sDllPath, tCreated)))
    m_mapAttrVals.SetAt("Created Date", DateText::LongDateTime(tCreated));
  std::time_t tModified = 0;
  if (Succeeded(Generic::GetFileModifiedTime(sDllPath, tModified)))
    m_mapAttrVals.SetAt("Modified Date", DateText::LongDateTime(tModified));

  MyFileVersion fileVersion;
  bool bHasVersionInfo = false;
  EC_H(hr, fileVersion.Open(sDllPath, bHasVersionInfo));
  if (Failed(hr)) {
    LOGA("Resetting hr after version info failed to open.\n");
    hr = kSOk;
  } else if (bHasVersionInfo) {
    for (const auto& entry : kVersionStrings)
      m_mapAttrVals.SetAt(entry.attribute, fileVersion.QueryValue(entry.resourceName));
  }
}

// Two harmless BHOs write to the watched BHO key while they run, which would
// raise the change alert again and again; the user is told why.
void BHO::_AlertIfStupidBHO(const std::string& sClsid, const std::string& sDllPath) const {
  static const struct {
    const char* clsid;
    const char* fileName;
    const char* maker;
  } kNuisances[] = {
      {"{C41A1C0E-EA6C-11D4-B1B8-444553540000}", "gbieh.dll", "Banco do Brasil"},
      {"{FFFFFEF0-5B30-21D4-945D-000000000000}", "BrowserHelper.dll", "StarDownloader"},
  };
  const std::string sFileName = Generic::GetFileName(sDllPath);
  for (const auto& nuisance : kNuisances) {
    if (!Generic::EqualsNoCase(sClsid, nuisance.clsid) ||
        !Generic::EqualsNoCase(sFileName, nuisance.fileName))
      continue;
    LOGE(
        "Tarvolin has detected the '%s' BHO from '%s'.  While this is not malware, for some reason it writes "
        "data to the standard BHO location in the Registry, which Tarvolin monitors for changes.  This "
        "causes "
        "Tarvolin to alert you that a BHO is being modified or installed.\n\nThis is not a bug in Tarvolin.  "
        "It "
        "is the result of the way the '%s' BHO operates.  Please contact '%s' with any complaints.\n",
        sDllPath, nuisance.maker, sDllPath, nuisance.maker);
    UserMessage::Show(MyLog::Current().GetLastLogText(), UserMessage::kIconError);
  }
}
