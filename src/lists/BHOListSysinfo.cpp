#include "lists/BHOListSysinfo.h"

#include "common/base/ErrorCheck.h"
#include "common/base/GenericPaths.h"
#include "common/files/GenericFiles.h"
#include "common/net/MakerServers.h"
#include "common/ui/WaitCursor.h"
#include "lists/CommunityList.h"
#include "model/Bho.h"

namespace {

void RemoveTrailing(std::string& text, const char* characters) {
  const auto last = text.find_last_not_of(characters);
  text.erase(last == std::string::npos ? 0 : last + 1);
}

}  // namespace

BHOListSysinfo::BHOListSysinfo() {
  WaitCursor wait;
  LocateList(MakerServers::FilesUrl());
  if (!Generic::FileExists(m_sListPath)) {
    HResult hr = kSOk;
    EC_H(hr, DownloadBHOList("SysInfo.org BHO List not found... downloading... please wait...", true));
  }
}

HResult BHOListSysinfo::PopulateBHO(BHO* pBHO) {
  LOG_ENTRY("BHOListSysinfo::PopulateBHO");
  return CommunityList::PopulateBHO(
      pBHO, m_sListPath,
      [this](const std::string& sClsid, std::string& sStatus, std::string& sDesc, std::string& sURL,
             bool& bFound) {
        HResult hr = kSOk;
        EC_B(hr, m_lines.Refresh(m_sListPath));
        if (Failed(hr)) EC_VAR(m_sListPath, "%s");
        // The first line that holds the CLSID decides.
        const size_t nLine = Succeeded(hr) ? m_lines.FindLine(sClsid) : ListFileLines::npos;
        bFound = nLine != ListFileLines::npos;
        if (bFound) EC_H(hr, ReadDataFromText(m_lines.Lines()[nLine], sStatus, sDesc, sURL));
        return hr;
      });
}

HResult BHOListSysinfo::ReadDataFromText(const std::string& sBuffer, std::string& sStatus, std::string& sDesc,
                                         std::string& sURL) {
  sStatus.clear();
  sDesc.clear();
  sURL.clear();

  const std::string sCode = sBuffer.substr(0, 1);
  if (sCode == "X") {
    sStatus = "Malware";
  } else if (sCode == "L") {
    sStatus = "Benign";
  } else if (sCode == "O" || sCode == "?") {
    sStatus = "Investigating";
  } else {
    sStatus = "? " + sCode + " ?";
    LOGE("Unexpected case <%s> found.\n", sCode);
  }

  const auto colon = sBuffer.find(':');
  if (colon == std::string::npos) return kSOk;
  sDesc = sBuffer.substr(colon + 1);
  const auto firstText = sDesc.find_first_not_of(" \t\r\n\v\f");
  sDesc.erase(0, firstText == std::string::npos ? sDesc.size() : firstText);

  const auto descHttp = sDesc.find("http://");
  if (descHttp == std::string::npos) return kSOk;
  sDesc.erase(descHttp);
  const int anchor = Generic::FindNoCase(sDesc, "<a href");
  if (anchor >= 0) sDesc.erase(static_cast<size_t>(anchor));
  RemoveTrailing(sDesc, ", ");

  sURL = sBuffer.substr(sBuffer.find("http://"));
  const auto quote = sURL.find('"');
  if (quote != std::string::npos) sURL.erase(quote);
  RemoveTrailing(sURL, " \"");
  return kSOk;
}
