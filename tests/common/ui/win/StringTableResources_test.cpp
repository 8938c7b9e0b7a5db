// The executable's string table holds exactly the texts the code uses.
#include <windows.h>
#include <gtest/gtest.h>

#include "common/base/GenericPaths.h"
#include "common/base/SystemApi.h"
#include "common/ui/StringTable.h"

namespace {

struct ModuleDeleter {
  void operator()(HMODULE h) const { ::FreeLibrary(h); }
};

TEST(StringTableResources, MatchTheBuiltInTable) {
  // Tests run from <build>\tests; the program is <build>\Tarvolin.exe.
  const std::string exe =
      Generic::GetDirectory(Generic::GetDirectory(SystemApi::GetModuleFileName())) + "\\Tarvolin.exe";
  const std::unique_ptr<std::remove_pointer_t<HMODULE>, ModuleDeleter> module(
      ::LoadLibraryExA(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
  ASSERT_TRUE(module) << exe;
  for (const auto& [id, text] : StringTable::Entries()) {
    char buffer[1024] = {};
    ASSERT_GT(::LoadStringA(module.get(), id, buffer, sizeof buffer), 0) << id;
    EXPECT_STREQ(text, buffer) << id;
  }
}

}  // namespace
