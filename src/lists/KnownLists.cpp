#include "lists/KnownLists.h"

#include "app/Tarvolin.h"
#include "lists/BHOListCops.h"
#include "lists/BHOListKst.h"
#include "lists/BHOListSysinfo.h"

KnownLists::KnownLists() {
  m_pKst = std::make_unique<BHOListKst>();
  CTarvolinApp::m_pBHOListKST = m_pKst.get();
  m_pSysinfo = std::make_unique<BHOListSysinfo>();
  CTarvolinApp::m_pBHOListSysInfo = m_pSysinfo.get();
  m_pCops = std::make_unique<BHOListCops>();
  CTarvolinApp::m_pBHOListCops = m_pCops.get();
}

KnownLists::~KnownLists() {
  CTarvolinApp::m_pBHOListKST = nullptr;
  CTarvolinApp::m_pBHOListSysInfo = nullptr;
  CTarvolinApp::m_pBHOListCops = nullptr;
}
