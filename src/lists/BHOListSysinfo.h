// The community text list: one line per BHO, found by its CLSID.
#pragma once

#include "lists/IBHOList.h"
#include "lists/ListFileLines.h"

class BHOListSysinfo : public IBHOList {
 public:
  BHOListSysinfo();

  HResult PopulateBHO(BHO* pBHO) override;
  std::string GetBHOListFileName() const override { return "bholist.txt"; }

  // Status, description and address from one line of the list.
  static HResult ReadDataFromText(const std::string& sBuffer, std::string& sStatus, std::string& sDesc,
                                  std::string& sURL);

 private:
  ListFileLines m_lines;  // the file as the last lookup found it
};
