// The readable report file of one BHO record.
#include <algorithm>

#include "common/base/ErrorCheck.h"
#include "common/base/GenericErrors.h"
#include "common/base/GenericPaths.h"
#include "common/base/GenericStrings.h"
#include "common/base/SystemApi.h"
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

// The system's reason of the first step that failed, kept for the last line
// of a failed save: the steps skipped after it leave their own lines.
class FirstFailure {
 public:
  void Note(HResult hr) {
    if (Failed(hr) && !m_bNoted) {
      m_dwError = SystemApi::GetLastError();
      m_bNoted = true;
    }
  }
  DWord Error() const { return m_dwError; }

 private:
  bool m_bNoted = false;
  DWord m_dwError = 0;
};

std::string AttributeLine(size_t width, const std::string& name, const std::string& value) {
  return std::string(width > name.size() ? width - name.size() : 0, ' ') + name + ": " + value + "\n";
}

}  // namespace

HResult BHO::SaveToFile(const std::string& sSavePath) const { return SaveToFile(sSavePath, TextRewrite()); }

HResult BHO::SaveToFile(const std::string& sSavePath, const TextRewrite& rewrite) const {
  LOG_ENTRY("BHO::SaveToFile");
  WaitCursor wait;
  HResult hr = kSOk;

  FirstFailure failure;

  const std::string sVersion = GetRunningVersion(hr);
  failure.Note(hr);

  const std::string sDir = Generic::GetDirectory(sSavePath);
  if (!Generic::IsDirectory(sDir)) EC_B(hr, 0 == Generic::CreateDirectory(sDir));
  failure.Note(hr);

  StdioFile file;
  EC_B(hr, file.Open(sSavePath, "wb"));
  failure.Note(hr);
  if (Failed(hr)) EC_VAR(sSavePath, "%s");

  const auto written = [&rewrite](const std::string& sText) { return rewrite ? rewrite(sText) : sText; };

  const std::string sHeader = "\nTarvolin " + sVersion + " Report File:\n   " + written(sSavePath) + "\n\n";
  EC_B(hr, WriteText(file, sHeader));
  failure.Note(hr);

  // Every present attribute sets the width, also those too empty to write.
  size_t nWidth = 0;
  m_mapAttrVals.ForEach(
      [&](const std::string& name, const std::string&) { nWidth = std::max(nWidth, name.size()); });

  m_mapAttrVals.ForEach([&](const std::string& name, const std::string& storedValue) {
    const std::string value = written(storedValue);
    if (!value.empty()) EC_B(hr, WriteText(file, AttributeLine(nWidth, name, value)));
    failure.Note(hr);
  });

  std::string sMD5;
  if (m_mapAttrVals.Lookup("MD5 Checksum", sMD5) && Succeeded(hr)) {
    const std::string sPathIni = GetProgramDirectory() + "\\Tarvolin.ini";
    std::string sNotation;
    Generic::GetFromIniFile(sPathIni, sMD5, "Notation", "", sNotation, Generic::MAX_NOTATION_LEN_);
    sNotation = Generic::Trim(sNotation);
    if (!sNotation.empty() && sNotation != NOTATION_PROMPT) {
      sNotation = written(sNotation);
      EC_B(hr, WriteText(file, AttributeLine(nWidth, "Notation", sNotation)));
    }
    failure.Note(hr);
  }

  // A full disk may show only when the last bytes are flushed.
  EC_B(hr, file.Close());
  failure.Note(hr);
  if (Failed(hr)) {
    LOGE("The report file <%s> could not be written: error <%d>: <%s>.\n", sSavePath,
         static_cast<int>(failure.Error()),
         failure.Error() ? Generic::GetErrorText(failure.Error()) : std::string());
  }
  return hr;
}
