#include "lists/IBHOList.h"

#include "common/base/ErrorCheck.h"
#include "common/base/GenericPaths.h"
#include "common/base/SystemApi.h"
#include "common/files/MyCompress.h"
#include "common/net/MyFtp.h"
#include "common/ui/ProgressWindow.h"
#include "common/ui/UserMessage.h"
#include "common/ui/WaitCursor.h"

IBHOList::IBHOList() {
  WaitCursor wait;
  HResult hr = kSOk;
  std::string sAppPath;
  EC_B(hr, !(sAppPath = SystemApi::GetModuleFileName()).empty());
  m_sListPath = Generic::GetDirectory(sAppPath) + "\\";
}

IBHOList::~IBHOList() = default;

std::string IBHOList::GetBHOListTimestamp() { return std::string(); }

void IBHOList::LocateList(const std::string& sBaseUrl) {
  m_sListPath += GetBHOListFileName();
  m_sBHOListURL = sBaseUrl + GetBHOListFileName();
}

HResult IBHOList::DownloadBHOList(const std::string& sMessage, bool bZip) {
  LOG_ENTRY("IBHOList::DownloadBHOList");
  WaitCursor wait;
  HResult hr = kSOk;
  {
    const std::unique_ptr<ProgressWindow> pdlgModeless = ProgressWindow::Create();
    pdlgModeless->SetMessage(sMessage);

    EC_B(hr, !m_sBHOListURL.empty());
    EC_B(hr, !m_sListPath.empty());
    if (!bZip) {
      EC_H(hr, MyFtp::URLDownloadToFile(m_sBHOListURL, m_sListPath, pdlgModeless.get()));
      if (Failed(hr)) {
        EC_VAR(m_sBHOListURL, "%s");
        EC_VAR(m_sListPath, "%s");
      }
    } else {
      const std::string sZipURL = m_sBHOListURL.substr(0, m_sBHOListURL.size() - 3) + "zip";
      const std::string sZipPath =
          Generic::GetDirectory(m_sListPath) + "\\" + Generic::GetFileTitle(m_sListPath) + ".zip";
      MyFtp mftp;
      EC_H(hr, mftp.DownloadFile(sZipURL, sZipPath, pdlgModeless.get(), true));
      if (Failed(hr)) {
        EC_VAR(sZipURL, "%s");
        EC_VAR(sZipPath, "%s");
      }
      if (Succeeded(hr)) pdlgModeless->SetMessage("Unzipping...");
      MyCompress mc;
      EC_B(hr, mc.Uncompress(m_sListPath, sZipPath));
    }
  }

  if (Failed(hr)) {
    LOGE("%s",
         "Tarvolin could not download the '" + GetBHOListFileName() +
             "' BHO list.  There are many possible causes for this:\n\no  Maybe you're not connected to the "
             "internet?\n\no  Maybe you have a download 'helper' program that is unZIPing the file?\n\no  "
             "Maybe your firewall is blocking Tarvolin from connecting?\n\no  Maybe you are on a LAN, or "
             "behind a proxy server?\n\no  Maybe our website is down?  Please try again later.");
    UserMessage::Show(MyLog::Current().GetLastLogText(), UserMessage::kIconError);
  } else {
    LOGT("Successfully downloaded <%s> to <%s>.\n", m_sBHOListURL, m_sListPath);
  }
  return hr;
}
