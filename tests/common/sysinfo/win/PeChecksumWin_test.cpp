// The PE image checksum against the system's own routine, on real images:
// the system's DLLs, the test DLLs and this test program.
#include <windows.h>
#include <gtest/gtest.h>
#include <imagehlp.h>

#include <string>
#include <vector>

#include "common/base/SystemApi.h"
#include "common/sysinfo/PeChecksum.h"
#include "support/TestDlls.h"

namespace {

TEST(PeChecksumWin, AgreesWithMapFileAndCheckSum) {
  std::vector<std::string> files = {SystemApi::GetModuleFileName()};
  char szSystem[MAX_PATH] = "";
  ASSERT_NE(0u, ::GetSystemDirectoryA(szSystem, MAX_PATH));
  for (const char* name : {"kernel32.dll", "user32.dll", "imagehlp.dll", "version.dll", "shell32.dll"})
    files.push_back(std::string(szSystem) + "\\" + name);
  if (test::kDllDir)
    for (const char* name : {"plain.dll", "english.dll", "bilingual32.dll", "notranslation.dll"})
      files.push_back(test::TestDll(name));
  for (const std::string& file : files) {
    DWORD dwHeader = 0, dwSystem = 0;
    ASSERT_EQ(static_cast<DWORD>(CHECKSUM_SUCCESS),
              ::MapFileAndCheckSumA(const_cast<char*>(file.c_str()), &dwHeader, &dwSystem))
        << file;
    std::uint32_t ours = 0;
    ASSERT_TRUE(PeChecksum::OfFile(file, ours)) << file;
    EXPECT_EQ(dwSystem, ours) << file;
  }
}

}  // namespace
