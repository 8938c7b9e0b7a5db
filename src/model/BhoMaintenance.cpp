// Operations on one BHO beyond loading: the per-DLL flags in the program INI
// file, removal of orphaned registry entries, and readable-text extraction.
#include <cstdint>
#include <cstdio>
#include <vector>

#include "common/base/ErrorCheck.h"
#include "common/base/GenericPaths.h"
#include "common/base/GenericStrings.h"
#include "common/base/SystemApi.h"
#include "common/fileinfo/ProgramVersion.h"
#include "common/files/GenericFiles.h"
#include "common/files/PrivateProfile.h"
#include "common/files/StdioFile.h"
#include "common/registry/MyRegistry.h"
#include "common/registry/RegistryKeys.h"
#include "common/ui/MyMessageBox.h"
#include "common/ui/Shell.h"
#include "common/ui/UserMessage.h"
#include "common/ui/WaitCursor.h"
#include "model/Bho.h"
#include "res/resource.h"

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
    LOGE(
        "Could not delete the CLSID <%s> for this BHO.  Do you have administrator rights (not applicable for "
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
    const bool bKeep = (sWord.size() >= 2 || IsKeptSingleLetter(sWord)) &&
                       !Generic::IsAllPunctuation(sWord) && sWord != sLastKept;
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

void BHO::ViewText() const {
  LOG_ENTRY("BHO::ViewText");
  WaitCursor wait;
  HResult hr = kSOk;

  MyMessageBox explanation(
      "This feature will scan the BHO's housing file, and display everything that looks like it might be "
      "user-readable text.  By viewing this text, you can sometimes learn something about the origin of a "
      "BHO.\n\n"
      "Please note that this will usually be a last resort: the text in the file will mostly appear to be "
      "'garbage', but close inspection may reveal useful information.",
      "Bho", 991, IDS_VIEW_TEXT_CAPTION, UserMessage::kIconInformation);
  explanation.DoModal();

  std::string sDllPath;
  if (!m_mapAttrVals.Lookup("DLL Path", sDllPath))
    LOGE("BHO <%s> has no DLL Path.\n", m_mapAttrVals.Get("Clsid"));

  if (!Generic::FileExists(sDllPath)) {
    LOGA(
        "The file <%s> does not exist, possibly because:\n\n     o  The BHO may have been only partially "
        "uninstalled.\n     o  Someone, or some program, may have deleted or renamed the file "
        "manually.\n\nTry "
        "opening the containing folder and looking for a similarly named file.\n",
        sDllPath);
    UserMessage::Show(MyLog::Current().GetLastLogText(), UserMessage::kIconInformation);
    return;
  }

  StdioFile filIn;
  if (!filIn.Open(sDllPath, "rb")) {
    LOGE("Failed to open BHO file <%s>!\n", sDllPath);
    UserMessage::Show(MyLog::Current().GetLastLogText(), UserMessage::kIconError);
    return;
  }

  std::string sUserReadable;
  EC_H(hr, _ViewTextParse(filIn.Get(), sUserReadable));
  std::string sAppPath;
  EC_B(hr, !(sAppPath = SystemApi::GetModuleFileName()).empty());
  const std::string sPathOut =
      Generic::GetDirectory(sAppPath) + "\\~" + Generic::GetFileName(sDllPath) + ".tmp.txt";
  StdioFile filOut;
  EC_B(hr, filOut.Open(sPathOut, "w"));
  EC_B(hr, filOut.Write(sUserReadable));
  EC_B(hr, filIn.Close());
  EC_B(hr, filOut.Close());

  std::intptr_t hInst = 0;
  if (Succeeded(hr)) hInst = Shell::OpenDocument(sPathOut, Generic::GetDirectory(sPathOut));
  EC_B(hr, 32 < hInst);
  if (Failed(hr)) {
    LOGE("Failed to open file <%s>: error is <%d>\n!", sPathOut, static_cast<int>(hInst));
    UserMessage::Show(MyLog::Current().GetLastLogText(), UserMessage::kIconExclamation);
  }
}
