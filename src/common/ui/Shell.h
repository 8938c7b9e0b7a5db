// Opening a document with the shell's "open" verb (its associated viewer),
// any other shell verb or program, and whether a browser window is open.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace Shell {

// The shell's result: greater than 32 on success.
std::intptr_t OpenDocument(const std::string& file, const std::string& directory);

// Opens a web address in the default browser (tests' openers see it with
// an empty directory).
std::intptr_t Navigate(const std::string& url);
std::intptr_t PlatformNavigate(const std::string& url);

// Tests stand in for the shell; an empty function restores it. Returns the
// previous one.
using Opener = std::function<std::intptr_t(const std::string& file, const std::string& directory)>;
Opener SetOpener(Opener opener);

// The platform's own opener (win/ and posix/).
std::intptr_t PlatformOpenDocument(const std::string& file, const std::string& directory);

// One shell launch: a verb ("open", "explore") on a file, folder or
// program, with its parameters, working folder and show command.
constexpr int kShowNormal = 1;     // SW_SHOWNORMAL
constexpr int kShowMaximized = 3;  // SW_SHOWMAXIMIZED
struct Request {
  std::string verb;
  std::string file;
  std::string parameters;
  std::string directory;
  int show = kShowNormal;
};

// The shell's result for `request`: greater than 32 on success.
std::intptr_t Execute(const Request& request);
std::intptr_t PlatformExecute(const Request& request);
// Tests stand in for the launches of Execute; returns the previous one.
using Executor = std::function<std::intptr_t(const Request& request)>;
Executor SetExecutor(Executor executor);

// True while a top-level window of Internet Explorer ("IEFrame") or of
// Windows Explorer ("ExploreWClass") exists: a BHO can live on in them.
bool IsBrowserWindowOpen();
using BrowserProbe = std::function<bool()>;
// Tests stand in for the window search; returns the previous one.
BrowserProbe SetBrowserProbe(BrowserProbe probe);
bool PlatformIsBrowserWindowOpen();

}  // namespace Shell
