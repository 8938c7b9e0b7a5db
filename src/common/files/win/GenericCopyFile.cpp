// Copying a file with the shell, as the user would in Explorer.

// clang-format off
#include "common/ui/win/GenericWin.h"  // windows.h before the headers built on it
#include <shellapi.h>
// clang-format on

#include <cstring>

#include "common/base/ErrorCheck.h"

namespace Generic {
namespace {

// The shell takes lists of paths ended by two zeros: up to 260 characters
// in a zero-filled buffer of 262.
struct ShellPath {
  char text[MAX_PATH + 2] = {};
  explicit ShellPath(const std::string& path) { std::strncpy(text, path.c_str(), MAX_PATH); }
};

}  // namespace

HResult CopyFile(const std::string& from, const std::string& to) {
  LOG_ENTRY("Generic::CopyFile");
  HResult hr = kSOk;
  ShellPath szFrom(from);
  ShellPath szTo(to);
  SHFILEOPSTRUCTA shfos{};
  shfos.hwnd = ::GetActiveWindow();
  shfos.wFunc = FO_COPY;
  shfos.pFrom = szFrom.text;
  shfos.pTo = szTo.text;
  shfos.fFlags = FOF_ALLOWUNDO;
  EC_B_TEXT(hr, "0 == ::SHFileOperation(&shfos)", 0 == ::SHFileOperationA(&shfos));
  if (Succeeded(hr) && shfos.fAnyOperationsAborted) {
    LOGW("User aborted copy!\n");
    hr = kEFail;
  }
  if (Succeeded(hr)) {
    LOGT("Copied file <%s> to <%s>.\n", from, to);
  } else {
    LOGE("Copy of file <%s> to <%s> failed.\n", from, to);
  }
  return hr;
}

}  // namespace Generic
