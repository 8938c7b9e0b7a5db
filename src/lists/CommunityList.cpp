#include "lists/CommunityList.h"

#include "common/base/ErrorCheck.h"
#include "common/base/GenericPaths.h"
#include "common/files/GenericFiles.h"
#include "common/ui/MainWindow.h"
#include "common/ui/UserMessage.h"
#include "common/ui/WaitCursor.h"
#include "model/Bho.h"

namespace CommunityList {

void ReportMissingListFile(const std::string& sListPath) {
  LOGE(
      "File <%s> is not found!  You should have gotten it when you installed this program.  Failing that, "
      "you "
      "should have been able to download it.  Is a puzzlement...\n",
      sListPath);
  UserMessage::Show(MyLog::Current().GetLastLogText(), UserMessage::kIconError);
  MainWindow::PostClose();
}

HResult PopulateBHO(BHO* pBHO, const std::string& sListPath, const Lookup& lookup) {
  WaitCursor wait;
  HResult hr = kSOk;
  std::string sClsid;
  EC_B(hr, pBHO->m_mapAttrVals.Lookup("Clsid", sClsid));
  sClsid = Generic::ToUpper(sClsid);

  if (!Generic::FileExists(sListPath)) {
    ReportMissingListFile(sListPath);
    return kEFail;
  }

  std::string sStatus, sDesc, sURL;
  bool bFound = false;
  if (Succeeded(hr)) hr = lookup(sClsid, sStatus, sDesc, sURL, bFound);
  if (Succeeded(hr) && bFound) {
    pBHO->m_mapAttrVals.SetAt("Status", sStatus);
    pBHO->m_mapAttrVals.SetAt("Desc", sDesc);
    pBHO->m_mapAttrVals.SetAt("URL", sURL);
  }
  if (!pBHO->m_mapAttrVals.Contains("Status")) {
    pBHO->m_mapAttrVals.SetAt("Status", "Unknown");
    pBHO->m_mapAttrVals.SetAt("Desc", "");
    pBHO->m_mapAttrVals.SetAt("URL", "");
  }
  return hr;
}

}  // namespace CommunityList
