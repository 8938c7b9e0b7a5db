#include "common/registry/RegistryStore.h"

namespace Registry {
namespace {

Store* g_pStore = nullptr;

}  // namespace

Store& CurrentStore() { return g_pStore ? *g_pStore : PlatformStore(); }

Store* SetCurrentStore(Store* store) {
  Store* previous = &CurrentStore();
  g_pStore = store;
  return previous;
}

}  // namespace Registry
