// Operations on one BHO beyond loading: the per-DLL flags in the program INI
// file, removal of orphaned registry entries, and readable-text extraction.
#include <cstdio>
#include <vector>

#include "common/ErrorCheck.h"
#include "common/Generic.h"
#include "common/PrivateProfile.h"
#include "common/MyRegistry.h"
#include "common/ProgramVersion.h"
#include "common/SystemApi.h"
#include "common/UserMessage.h"
#include "common/WaitCursor.h"
#include "model/Bho.h"
#include "model/RegistryKeys.h"

HResult BHO::SetReportedFlag(bool bReported) const {
  LOG_ENTRY("BHO::SetReportedFlag");
  WaitCursor wait;
  HResult hr = kSOk;

  std::string sAppPath;
  EC_B(hr, !(sAppPath = SystemApi::GetModuleFileName()).empty());
  if (Failed(hr)) EC_VAR(sAppPath, "%s");
  const std::string sPathIni = Generic::GetDirectory(sAppPath) + "\\Tarvolin.ini";
  if (Failed(hr)) EC_VAR(sPathIni, "%s");

  std::string sMD5;
  EC_B(hr, m_mapAttrVals.Lookup("MD5 Checksum", sMD5));
  EC_B(hr, PrivateProfile::WriteString(sMD5, "IsReported", bReported ? "Yes" : "No", sPathIni));
  return hr;
}

HResult BHO::DeleteFromRegistry() const {
  LOG_ENTRY("BHO::DeleteFromRegistry");
  WaitCursor wait;
  HResult hr = kSOk;

  MyRegistry regClsid(Registry::kLocalMachine, REGKEY_BHO, true);
  EC_B(hr, regClsid.IsOpen());
  std::string sClsid;
  EC_B(hr, m_mapAttrVals.Lookup("Clsid", sClsid));
  EC_B(hr, !sClsid.empty());
  EC_B(hr, regClsid.DeleteKey(sClsid));
  if (Failed(hr)) {
    EC_VAR(sClsid, "%s");
    LOGE("Could not delete the CLSID <%s> for this BHO.  Do you have administrator rights (not applicable for "
         "Windows 95/98)?\n",
         sClsid);
    UserMessage::Show(MyLog::Current().GetLastLogText(), UserMessage::kIconError);
    return hr;
  }

  // The class registration goes too when it can; one that cannot be deleted
  // is left in place.
  MyRegistry regProgId;
  EC_B(hr, regProgId.Open(Registry::kClassesRoot, "CLSID", false));
  if (Succeeded(hr)) regProgId.DeleteKey(sClsid);
  return hr;
}

namespace {

// Printable, non-blank characters of the C locale.
bool IsWordChar(unsigned char c) { return c >= 0x21 && c <= 0x7E; }

bool IsKeptSingleLetter(const std::string& word) { return word == "A" || word == "a" || word == "I"; }

}  // namespace

HResult BHO::_ViewTextParse(std::FILE* filIn, std::string& sUserReadable) {
  LOG_ENTRY("BHO::_ViewTextParse");
  WaitCursor wait;
  std::vector<unsigned char> block(65536);
  std::string sWord;
  std::string sLastKept;

  auto endWord = [&]() {
    if (sWord.empty()) return;
    const bool bKeep = (sWord.size() >= 2 || IsKeptSingleLetter(sWord)) && !Generic::IsAllPunctuation(sWord) &&
                       sWord != sLastKept;
    if (bKeep) {
      sUserReadable += sWord;
      sLastKept = sWord;
    }
    sWord.clear();
  };

  size_t nRead = 0;
  while ((nRead = std::fread(block.data(), 1, block.size(), filIn)) > 0) {
    for (size_t i = 0; i < nRead; ++i) {
      const unsigned char c = block[i];
      if (!IsWordChar(c)) {
        endWord();
        continue;
      }
      if (sWord.empty() && (sUserReadable.empty() || sUserReadable.back() != ' ')) sUserReadable += ' ';
      sWord += static_cast<char>(c);
    }
  }
  endWord();
  return kSOk;
}
