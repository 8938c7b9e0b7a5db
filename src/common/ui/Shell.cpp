#include "common/ui/Shell.h"

namespace Shell {
namespace {

Opener& CurrentOpener() {
  static Opener opener;
  return opener;
}

}  // namespace

std::intptr_t OpenDocument(const std::string& file, const std::string& directory) {
  return CurrentOpener() ? CurrentOpener()(file, directory) : PlatformOpenDocument(file, directory);
}

Opener SetOpener(Opener opener) {
  Opener old = std::move(CurrentOpener());
  CurrentOpener() = std::move(opener);
  return old;
}

}  // namespace Shell
