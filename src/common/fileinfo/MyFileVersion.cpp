#include "common/fileinfo/MyFileVersion.h"

#include <cstdio>

#include "common/base/ErrorCheck.h"

namespace {

// The texts of the guarded steps of Open, as the log has always named them.
const char kGetInfoStep[] =
    "::GetFileVersionInfo((LPTSTR) (char*) (const char*) sModuleName, dwHandle, dwDataSize, (PVOID*) "
    "m_lpVersionData)";
const char kTranslationStep[] =
    "::VerQueryValue(m_lpVersionData, _T(\"\\\\VarFileInfo\\\\Translation\"), (PVOID*) &pTransTable, "
    "&nQuerySize)";
const char kLangCharsetStep[] = "m_dwLangCharset = MAKELONG(HIWORD(pTransTable[0]), LOWORD(pTransTable[0]))";

// A translation entry holds language and code page as two 16-bit words,
// language first; the program keeps the language in the high half. An empty
// table counts as the entry 0, which the caller treats as a failure.
DWord LangCharsetOf(const std::uint8_t* table, unsigned size) {
  if (!table || size < 4) return 0;
  const DWord language = table[0] | table[1] << 8;
  const DWord codePage = table[2] | table[3] << 8;
  return language << 16 | codePage;
}

}  // namespace

MyFileVersion::MyFileVersion() : MyFileVersion(VersionInfoSource::Default()) {}

MyFileVersion::MyFileVersion(VersionInfoSource& source) : m_source(source) {}

MyFileVersion::~MyFileVersion() { Close(); }

void MyFileVersion::Close() {
  m_lpVersionData.reset();
  m_dwDataSize = 0;
  m_dwLangCharset = 0;
}

HResult MyFileVersion::Open(const std::string& sModuleName, bool& bHasVersionInfo) {
  LOG_ENTRY("MyFileVersion::Open");
  HResult hr = kSOk;
  bHasVersionInfo = false;
  Close();

  const DWord dwDataSize = m_source.GetInfoSize(sModuleName);
  if (dwDataSize == 0) return hr;  // no version information: not an error
  bHasVersionInfo = true;

  EC_TRY {
    m_lpVersionData = std::make_unique<std::uint8_t[]>(dwDataSize);
    m_dwDataSize = dwDataSize;
  }
  EC_CATCH(hr, "EC_VEM")

  EC_B_TEXT(hr, kGetInfoStep, m_source.GetInfo(sModuleName, dwDataSize, m_lpVersionData.get()));

  const std::uint8_t* pTransTable = nullptr;
  unsigned nQuerySize = 0;
  EC_B_TEXT(hr, kTranslationStep,
            m_source.QueryBinary(m_lpVersionData.get(), m_dwDataSize, "\\VarFileInfo\\Translation",
                                 pTransTable, nQuerySize));

  EC_B_TEXT(hr, kLangCharsetStep, (m_dwLangCharset = LangCharsetOf(pTransTable, nQuerySize)) != 0);

  if (Failed(hr)) Close();
  return hr;
}

std::string MyFileVersion::QueryValue(const std::string& sValueName, DWord dwLangCharset) {
  if (!m_lpVersionData) {
    LOGE("Error: m_lpVersionData - Null pointer\n");
    return "";
  }
  if (dwLangCharset == 0) dwLangCharset = m_dwLangCharset;

  char sLangCharset[9];
  std::snprintf(sLangCharset, sizeof(sLangCharset), "%08lx", static_cast<unsigned long>(dwLangCharset));
  const std::string sSubBlock = std::string("\\StringFileInfo\\") + sLangCharset + "\\" + sValueName;

  std::string sValue;
  if (!m_source.QueryString(m_lpVersionData.get(), m_dwDataSize, sSubBlock, sValue)) return "";
  return sValue;
}

bool MyFileVersion::GetFixedInfo(FixedFileInfo& vsffi) {
  if (!m_lpVersionData) {
    LOG_ST(10020, "m_lpVersionData", 0, "Null pointer");
    return false;
  }
  const std::uint8_t* pValue = nullptr;
  unsigned nLength = 0;
  if (!m_source.QueryBinary(m_lpVersionData.get(), m_dwDataSize, "\\", pValue, nLength)) return false;
  return vsffi.Decode(pValue, nLength);
}

std::string MyFileVersion::GetFileVersion() {
  FixedFileInfo vsffi;
  if (!GetFixedInfo(vsffi)) return "";
  char sVersion[64];
  std::snprintf(sVersion, sizeof(sVersion), "%u.%u.%u.%u", vsffi.dwFileVersionMS >> 16,
                vsffi.dwFileVersionMS & 0xFFFFu, vsffi.dwFileVersionLS >> 16,
                vsffi.dwFileVersionLS & 0xFFFFu);
  return sVersion;
}
