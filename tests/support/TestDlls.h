// The small PE DLLs with version resources that the build makes with
// MinGW-w64 (tools/testdlls). Header-only: TARVOLIN_TEST_DLLS is defined for
// the test executable only, where the cross tools were found.
#pragma once

#include <string>

namespace test {

#ifdef TARVOLIN_TEST_DLLS
inline const char* const kDllDir = TARVOLIN_TEST_DLLS;
#else
inline const char* const kDllDir = nullptr;
#endif

// Path of one test DLL (program path form).
inline std::string TestDll(const std::string& name) { return std::string(kDllDir) + "\\" + name; }

}  // namespace test
