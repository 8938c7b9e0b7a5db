#include <windows.h>
#include <shellapi.h>

#include "common/ui/Shell.h"

namespace Shell {

std::intptr_t PlatformOpenDocument(const std::string& file, const std::string& directory) {
  const HINSTANCE hInst = ::ShellExecuteA(::GetActiveWindow(), "open", file.c_str(), nullptr,
                                          directory.c_str(), SW_SHOWMAXIMIZED);
  return reinterpret_cast<std::intptr_t>(hInst);
}

}  // namespace Shell
