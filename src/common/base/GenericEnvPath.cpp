// Variables in command-line paths: *TEMP*\out names the environment
// variable TEMP; a one-letter name unknown to the environment is a prompt
// code as in the command interpreter's PROMPT ($D date, $P directory, ...).
#include "common/base/GenericEnvPath.h"

#include <cctype>
#include <cstdio>

#include "common/base/ErrorCheck.h"
#include "common/base/SystemApi.h"

namespace Generic {
namespace {

constexpr DWord kMaxPath = 260;

// Replaces every occurrence; returns how many were replaced.
int ReplaceAll(std::string& text, const std::string& from, const std::string& to) {
  int count = 0;
  for (std::size_t pos = 0; (pos = text.find(from, pos)) != std::string::npos; pos += to.size()) {
    text.replace(pos, from.size(), to);
    ++count;
  }
  return count;
}

std::string FormatThree(const char* format, int a, int b, int c) {
  char text[32];
  std::snprintf(text, sizeof text, format, a, b, c);
  return text;
}

// The replacement for prompt code `code`; false for an unsupported code.
bool TranslatePromptCode(char code, HResult& hr, std::string& sTranslation) {
  switch (code) {
    case '$': sTranslation = "$"; return true;
    case 'A': sTranslation = "&"; return true;
    case 'B': sTranslation = "|"; return true;
    case 'C': sTranslation = "("; return true;
    case 'F': sTranslation = ")"; return true;
    case 'G': sTranslation = ">"; return true;
    case 'L': sTranslation = "<"; return true;
    case 'Q': sTranslation = "="; return true;
    case 'S': sTranslation = " "; return true;
    case '_': sTranslation = "\r\n"; return true;
    case 'D': {
      const SystemApi::LocalTime t = SystemApi::GetLocalTime();
      sTranslation = FormatThree("%04d-%02d-%02d", t.year, t.month, t.day);
      return true;
    }
    case 'T': {
      const SystemApi::LocalTime t = SystemApi::GetLocalTime();
      sTranslation = FormatThree("%02d-%02d-%02d", t.hour, t.minute, t.second);
      return true;
    }
    case 'N':
    case 'P': {
      const std::string directory = SystemApi::GetCurrentDirectory();
      EC_B_TEXT(hr, "::GetCurrentDirectory(MAX_PATH + 1, sTranslation.GetBuffer(MAX_PATH + 1))",
                !directory.empty() && directory.size() <= kMaxPath);
      if (Succeeded(hr)) sTranslation = code == 'N' ? directory.substr(0, 1) : directory;
      return true;
    }
    default: return false;
  }
}

}  // namespace

HResult TranslateEnvPath(const std::string& sIn, std::string& sOut, char separator) {
  LOG_ENTRY("Generic::TranslateEnvPath");
  HResult hr = kSOk;
  const std::string sSepChar(1, separator);
  sOut = sIn;
  std::size_t start = 0;
  while (Succeeded(hr) && (start = sOut.find(separator)) != std::string::npos) {
    const std::size_t end = sOut.find(separator, start + 1);
    const std::string sVariable =
        sOut.substr(start + 1, end == std::string::npos ? std::string::npos : end - start - 1);

    // The lookup answers as GetEnvironmentVariable with a 128-character
    // buffer: the length, the size needed when it does not fit, 0 if unknown.
    const DWord dwBufferSize = 128;
    std::string sTranslation;
    SystemApi::SetLastError(0);
    DWord dwRet = 0;
    if (SystemApi::GetEnvironmentVariable(sVariable, sTranslation)) {
      dwRet = static_cast<DWord>(sTranslation.size());
      if (dwRet >= dwBufferSize) ++dwRet;
      EC_B(hr, dwBufferSize > dwRet);
    } else {
      const DWord error = SystemApi::GetLastError();
      if (error == WinError::kEnvVarNotFound && sVariable.size() == 1) {
        const char code = static_cast<char>(std::toupper(static_cast<unsigned char>(sVariable[0])));
        if (!TranslatePromptCode(code, hr, sTranslation)) {
          LOGE("The PROMPT char <%s> is either illegal or unsupported.\n", sVariable);
          hr = kEFail;
        }
      } else if (error == WinError::kEnvVarNotFound) {
        LOGW("<%s> is neither an environment variable, nor a PROMPT variable.\n", sVariable);
        hr = kEFail;
        EC_VAR(sIn, "%s");
        EC_VAR(sVariable, "%s");
        EC_VAR(sSepChar, "%s");
        EC_VAR(dwRet, "%d");
      } else {
        LOGE("GetEnvironmentVariable() failed with error <%d>!\n", error);
        hr = kEFail;
      }
    }
    if (Failed(hr)) break;
    EC_B_TEXT(hr, "0 < sOut.Replace(sSepChar + sVariable + sSepChar, sTranslation)",
              0 < ReplaceAll(sOut, sSepChar + sVariable + sSepChar, sTranslation));
  }
  if (Failed(hr)) sOut.clear();
  return hr;
}

}  // namespace Generic
