// Without a system registry the process keeps its registry in memory, for
// as long as it runs.
#include "common/registry/MemoryRegistryStore.h"

namespace Registry {

Store& PlatformStore() {
  static MemoryRegistryStore store;
  return store;
}

}  // namespace Registry
