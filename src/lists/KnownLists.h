// The three known-BHO lists for as long as their owner (the silent output
// mode or the main dialog) lives; they are reachable through the
// application's static members meanwhile. Creating a list fetches its file
// when it is missing.
#pragma once

#include <memory>

#include "lists/IBHOList.h"

class KnownLists {
 public:
  KnownLists();
  ~KnownLists();
  KnownLists(const KnownLists&) = delete;
  KnownLists& operator=(const KnownLists&) = delete;

 private:
  std::unique_ptr<IBHOList> m_pKst;
  std::unique_ptr<IBHOList> m_pSysinfo;
  std::unique_ptr<IBHOList> m_pCops;
};
