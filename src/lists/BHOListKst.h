// The maker's list: an INI file with one section per DLL checksum.
#pragma once

#include "lists/IBHOList.h"

class BHOListKst : public IBHOList {
 public:
  BHOListKst();

  HResult PopulateBHO(BHO* pBHO) override;
  std::string GetBHOListTimestamp() override;
  std::string GetBHOListFileName() const override { return "Tarvolin20List.ini"; }
};
