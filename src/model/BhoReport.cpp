// The readable report file of one BHO record.
#include <algorithm>

#include "common/base/ErrorCheck.h"
#include "common/base/GenericPaths.h"
#include "common/base/GenericStrings.h"
#include "common/fileinfo/ProgramVersion.h"
#include "common/files/GenericFiles.h"
#include "common/files/GenericIni.h"
#include "common/files/StdioFile.h"
#include "common/ui/WaitCursor.h"
#include "model/Bho.h"

namespace {

// Text-mode output on every platform: each line feed is written as CR LF.
bool WriteText(StdioFile& file, const std::string& text) {
  std::string out;
  out.reserve(text.size() + 16);
  for (char c : text) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return file.Write(out);
}

std::string AttributeLine(size_t width, const std::string& name, const std::string& value) {
  return std::string(width > name.size() ? width - name.size() : 0, ' ') + name + ": " + value + "\n";
}

}  // namespace

HResult BHO::SaveToFile(const std::string& sSavePath) const {
  LOG_ENTRY("BHO::SaveToFile");
  WaitCursor wait;
  HResult hr = kSOk;

  const std::string sVersion = GetRunningVersion(hr);

  const std::string sDir = Generic::GetDirectory(sSavePath);
  if (!Generic::IsDirectory(sDir)) EC_B(hr, 0 == Generic::CreateDirectory(sDir));

  StdioFile file;
  EC_B(hr, file.Open(sSavePath, "wb"));
  if (Failed(hr)) EC_VAR(sSavePath, "%s");

  const std::string sHeader = "\nTarvolin " + sVersion + " Report File:\n   " + sSavePath + "\n\n";
  EC_B(hr, WriteText(file, sHeader));

  // Every present attribute sets the width, also those too empty to write.
  size_t nWidth = 0;
  m_mapAttrVals.ForEach(
      [&](const std::string& name, const std::string&) { nWidth = std::max(nWidth, name.size()); });

  m_mapAttrVals.ForEach([&](const std::string& name, const std::string& value) {
    if (!value.empty()) EC_B(hr, WriteText(file, AttributeLine(nWidth, name, value)));
  });

  std::string sMD5;
  if (m_mapAttrVals.Lookup("MD5 Checksum", sMD5) && Succeeded(hr)) {
    const std::string sPathIni = GetProgramDirectory() + "\\Tarvolin.ini";
    std::string sNotation;
    Generic::GetFromIniFile(sPathIni, sMD5, "Notation", "", sNotation, Generic::MAX_NOTATION_LEN_);
    sNotation = Generic::Trim(sNotation);
    if (!sNotation.empty() && sNotation != NOTATION_PROMPT)
      EC_B(hr, WriteText(file, AttributeLine(nWidth, "Notation", sNotation)));
  }

  // A full disk may show only when the last bytes are flushed.
  EC_B(hr, file.Close());
  return hr;
}
