#include "lists/BHOListKst.h"

#include "common/base/ErrorCheck.h"
#include "common/files/GenericFiles.h"
#include "common/files/GenericIni.h"
#include "common/files/IniFileIndex.h"
#include "common/net/MakerServers.h"
#include "common/ui/WaitCursor.h"
#include "model/Bho.h"

namespace {

constexpr int kValueBufferLength = 260;

// Only the program itself writes its list files, so they are read through the
// cached reader on every platform: one parse of the file serves every lookup
// for as long as the file stays as it is. The values of one record are read
// from one version of the file, taken once for the record.
std::string ReadListValue(const IniFileIndex* pList, const std::string& sSection, const std::string& sKey,
                          const std::string& sDefault) {
  std::string sValue = sDefault;
  Generic::GetFromCachedIniFile(pList, sSection, sKey, sDefault, sValue, kValueBufferLength);
  return sValue;
}

}  // namespace

BHOListKst::BHOListKst() {
  WaitCursor wait;
  LocateList(MakerServers::FilesUrl());
  if (!Generic::FileExists(m_sListPath)) {
    HResult hr = kSOk;
    EC_H(hr, DownloadBHOList("Kestrove BHO List not found... downloading... please wait...", true));
  }
}

std::string BHOListKst::GetBHOListTimestamp() {
  return ReadListValue(IniFileIndex::OfFile(m_sListPath).get(), "General", "Timestamp", "");
}

HResult BHOListKst::PopulateBHO(BHO* pBHO) {
  LOG_ENTRY("BHOListKst::PopulateBHO");
  WaitCursor wait;
  HResult hr = kSOk;

  std::string sMD5;
  EC_B(hr, pBHO->m_mapAttrVals.Lookup("MD5 Checksum", sMD5));

  // A missing file or section gives the defaults: an unknown BHO.
  static const struct {
    const char* key;
    const char* defaultValue;
  } kKeys[] = {{"Status", "Unknown"}, {"Desc", ""}, {"URL", ""}, {"ReportsCount", ""}, {"EnabledCount", ""}};
  const std::shared_ptr<const IniFileIndex> pList = IniFileIndex::OfFile(m_sListPath);
  for (const auto& key : kKeys)
    pBHO->m_mapAttrVals.SetAt(key.key, ReadListValue(pList.get(), sMD5, key.key, key.defaultValue));
  return hr;
}
