// A list of known BHOs: a file beside the executable, fetched from the web
// when missing, asked for the status of a BHO record.
#pragma once

#include <string>

#include "common/base/Types.h"

class BHO;

class IBHOList {
 public:
  virtual ~IBHOList();

  // Looks the record up and sets "Status", "Desc" and "URL" (and for the
  // maker's list "ReportsCount" and "EnabledCount").
  virtual HResult PopulateBHO(BHO* pBHO) = 0;
  // The publication stamp of the list ("" unless the list carries one).
  virtual std::string GetBHOListTimestamp();
  virtual std::string GetBHOListFileName() const = 0;

  const std::string& GetBHOListPathName() const { return m_sListPath; }
  const std::string& GetBHOListURL() const { return m_sBHOListURL; }

  // Fetches the list file, plain or as a zip that is then unpacked over it.
  HResult DownloadBHOList(const std::string& sMessage, bool bZip);

 protected:
  IBHOList();
  // The derived constructor's part: file name, URL, and a download when the
  // file is missing.
  void LocateList(const std::string& sBaseUrl);

  std::string m_sListPath;
  std::string m_sBHOListURL;
};
