#include <windows.h>
#include <shellapi.h>

#include "common/ui/Shell.h"

namespace Shell {

std::intptr_t PlatformOpenDocument(const std::string& file, const std::string& directory) {
  const HINSTANCE hInst = ::ShellExecuteA(::GetActiveWindow(), "open", file.c_str(), nullptr,
                                          directory.c_str(), SW_SHOWMAXIMIZED);
  return reinterpret_cast<std::intptr_t>(hInst);
}

std::intptr_t PlatformNavigate(const std::string& url) {
  const HINSTANCE hInst = ::ShellExecuteA(nullptr, "open", url.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
  return reinterpret_cast<std::intptr_t>(hInst);
}

std::intptr_t PlatformExecute(const Request& request) {
  const HINSTANCE hInst =
      ::ShellExecuteA(::GetActiveWindow(), request.verb.empty() ? nullptr : request.verb.c_str(),
                      request.file.c_str(), request.parameters.empty() ? nullptr : request.parameters.c_str(),
                      request.directory.empty() ? nullptr : request.directory.c_str(), request.show);
  return reinterpret_cast<std::intptr_t>(hInst);
}

bool PlatformIsBrowserWindowOpen() {
  return ::FindWindowA("IEFrame", nullptr) != nullptr || ::FindWindowA("ExploreWClass", nullptr) != nullptr;
}

}  // namespace Shell
