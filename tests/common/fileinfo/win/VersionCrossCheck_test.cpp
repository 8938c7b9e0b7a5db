// The portable PE reader against the system's version functions, on the
// real DLLs of the Windows directory: both must read the same fixed
// information, the same first translation and the same strings.
#include <windows.h>
#include <gtest/gtest.h>

#include <iostream>
#include <string>
#include <vector>

#include "common/fileinfo/MyFileVersion.h"
#include "common/fileinfo/PeVersionSource.h"

namespace {

const char* const kNames[] = {"Comments",         "CompanyName",  "FileDescription",
                              "FileVersion",      "InternalName", "LegalCopyright",
                              "OriginalFilename", "ProductName",  "ProductVersion"};

std::vector<std::string> SystemDlls() {
  char dir[MAX_PATH] = {};
  const UINT n = ::GetSystemDirectoryA(dir, MAX_PATH);
  std::vector<std::string> paths;
  if (n == 0 || n >= MAX_PATH) return paths;
  WIN32_FIND_DATAA found;
  HANDLE find = ::FindFirstFileA((std::string(dir) + "\\*.dll").c_str(), &found);
  if (find == INVALID_HANDLE_VALUE) return paths;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
      paths.push_back(std::string(dir) + "\\" + found.cFileName);
  } while (::FindNextFileA(find, &found));
  ::FindClose(find);
  return paths;
}

// Everything the program reads from one file, as text for comparison.
std::string Describe(VersionInfoSource& source, const std::string& path, bool& bHasVersionInfo) {
  MyFileVersion version(source);
  bHasVersionInfo = false;
  const HResult hr = version.Open(path, bHasVersionInfo);
  std::string text = "open=" + std::to_string(hr) + " has=" + std::to_string(bHasVersionInfo);
  if (Failed(hr) || !bHasVersionInfo) return text;
  char lang[16];
  std::snprintf(lang, sizeof(lang), "%08lx", static_cast<unsigned long>(version.GetLangCharset()));
  text += std::string(" lang=") + lang;
  FixedFileInfo info;
  if (version.GetFixedInfo(info)) {
    const DWord fields[] = {info.dwSignature,     info.dwStrucVersion,     info.dwFileVersionMS,
                            info.dwFileVersionLS, info.dwProductVersionMS, info.dwProductVersionLS,
                            info.dwFileFlagsMask, info.dwFileFlags,        info.dwFileOS,
                            info.dwFileType,      info.dwFileSubtype,      info.dwFileDateMS,
                            info.dwFileDateLS};
    text += " fixed=";
    for (DWord f : fields) text += std::to_string(f) + ",";
  } else {
    text += " fixed=none";
  }
  text += " version=" + version.GetFileVersion();
  for (const char* name : kNames) text += std::string("\n  ") + name + "=<" + version.QueryValue(name) + ">";
  return text;
}

TEST(VersionCrossCheckTest, PeReaderAgreesWithTheSystemOnSystemDlls) {
  const std::vector<std::string> dlls = SystemDlls();
  ASSERT_GE(dlls.size(), 100u) << "too few DLLs in the system directory";
  PeVersionSource pe;
  int nCompared = 0, nWithVersion = 0, nWithCompany = 0, nMismatches = 0;
  for (const std::string& path : dlls) {
    bool bSystemHas = false, bPeHas = false;
    const std::string system = Describe(VersionInfoSource::Default(), path, bSystemHas);
    const std::string portable = Describe(pe, path, bPeHas);
    ++nCompared;
    if (bSystemHas) ++nWithVersion;
    if (bSystemHas && system.find("CompanyName=<>") == std::string::npos) ++nWithCompany;
    if (system != portable) {
      ++nMismatches;
      ADD_FAILURE() << path << "\nsystem:   " << system << "\nportable: " << portable;
    }
  }
  std::cout << "Compared " << nCompared << " DLLs, " << nWithVersion << " with version information ("
            << nWithCompany << " naming their company), " << nMismatches << " mismatches\n";
  RecordProperty("compared", nCompared);
  RecordProperty("with_version", nWithVersion);
  EXPECT_GE(nWithVersion, 100);
  EXPECT_GE(nWithCompany, 100);  // the strings were really compared, not just found empty
}

}  // namespace
