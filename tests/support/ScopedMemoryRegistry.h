// A fresh in-memory registry that MyRegistry uses while this object lives.
#pragma once

#include "common/registry/MemoryRegistryStore.h"

namespace test {

class ScopedMemoryRegistry {
 public:
  ScopedMemoryRegistry() : m_pPrevious(Registry::SetCurrentStore(&m_store)) {}
  ~ScopedMemoryRegistry() { Registry::SetCurrentStore(m_pPrevious); }
  ScopedMemoryRegistry(const ScopedMemoryRegistry&) = delete;
  ScopedMemoryRegistry& operator=(const ScopedMemoryRegistry&) = delete;

  Registry::MemoryRegistryStore& Store() { return m_store; }

 private:
  Registry::MemoryRegistryStore m_store;
  Registry::Store* m_pPrevious;
};

}  // namespace test
