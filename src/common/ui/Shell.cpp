#include "common/ui/Shell.h"

namespace Shell {
namespace {

Opener& CurrentOpener() {
  static Opener opener;
  return opener;
}

Executor& CurrentExecutor() {
  static Executor executor;
  return executor;
}

BrowserProbe& CurrentProbe() {
  static BrowserProbe probe;
  return probe;
}

}  // namespace

bool IsBrowserWindowOpen() { return CurrentProbe() ? CurrentProbe()() : PlatformIsBrowserWindowOpen(); }

BrowserProbe SetBrowserProbe(BrowserProbe probe) {
  BrowserProbe old = std::move(CurrentProbe());
  CurrentProbe() = std::move(probe);
  return old;
}

std::intptr_t OpenDocument(const std::string& file, const std::string& directory) {
  return CurrentOpener() ? CurrentOpener()(file, directory) : PlatformOpenDocument(file, directory);
}

std::intptr_t Navigate(const std::string& url) {
  return CurrentOpener() ? CurrentOpener()(url, "") : PlatformNavigate(url);
}

std::intptr_t Execute(const Request& request) {
  return CurrentExecutor() ? CurrentExecutor()(request) : PlatformExecute(request);
}

Executor SetExecutor(Executor executor) {
  Executor old = std::move(CurrentExecutor());
  CurrentExecutor() = std::move(executor);
  return old;
}

Opener SetOpener(Opener opener) {
  Opener old = std::move(CurrentOpener());
  CurrentOpener() = std::move(opener);
  return old;
}

}  // namespace Shell
