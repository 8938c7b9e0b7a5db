#include "common/ui/RegistryWatch.h"

namespace {

RegistryWatch*& CurrentWatch() {
  static RegistryWatch* pWatch = nullptr;
  return pWatch;
}

}  // namespace

RegistryWatch* RegistryWatch::Current() { return CurrentWatch(); }

RegistryWatch* RegistryWatch::SetCurrent(RegistryWatch* pWatch) {
  RegistryWatch* pPrevious = CurrentWatch();
  CurrentWatch() = pWatch;
  return pPrevious;
}
