// The system's version functions: GetFileVersionInfoSizeA, GetFileVersionInfoA
// and VerQueryValueA, which converts string values to the ANSI code page.
#include <windows.h>

#include <cstring>

#include "common/fileinfo/VersionInfoSource.h"

namespace {

class SystemVersionSource final : public VersionInfoSource {
 public:
  DWord GetInfoSize(const std::string& path) override {
    DWORD dwHandle = 0;
    return ::GetFileVersionInfoSizeA(path.c_str(), &dwHandle);
  }

  bool GetInfo(const std::string& path, DWord size, std::uint8_t* data) override {
    return ::GetFileVersionInfoA(path.c_str(), 0, size, data) != FALSE;
  }

  bool QueryBinary(const std::uint8_t* data, DWord /*size*/, const std::string& subBlock,
                   const std::uint8_t*& value, unsigned& length) override {
    LPVOID pValue = nullptr;
    UINT nLength = 0;
    if (!::VerQueryValueA(data, subBlock.c_str(), &pValue, &nLength) || !pValue) return false;
    value = static_cast<const std::uint8_t*>(pValue);
    length = nLength;
    return true;
  }

  bool QueryString(const std::uint8_t* data, DWord /*size*/, const std::string& subBlock,
                   std::string& value) override {
    LPVOID pValue = nullptr;
    UINT nLength = 0;
    if (!::VerQueryValueA(data, subBlock.c_str(), &pValue, &nLength)) return false;
    const char* text = static_cast<const char*>(pValue);
    value.assign(text ? text : "", text ? strnlen(text, nLength) : 0);
    return true;
  }
};

}  // namespace

VersionInfoSource& VersionInfoSource::Default() {
  static SystemVersionSource source;
  return source;
}
