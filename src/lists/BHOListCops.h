// The community HTML list: a table row per BHO, found by its CLSID.
#pragma once

#include <string>
#include <vector>

#include "lists/IBHOList.h"
#include "lists/ListFileLines.h"

class BHOListCops : public IBHOList {
 public:
  BHOListCops();

  HResult PopulateBHO(BHO* pBHO) override;
  std::string GetBHOListFileName() const override { return "bhotb-all.html"; }

  HResult ReadDataFromHtml(const std::string& sClsid, std::string& sStatus, std::string& sDesc,
                           std::string& sURL, bool& bFound);

  // The row text of the BHO whose CLSID without braces is `sKey`.
  static bool FindRow(const ListFileLines& lines, const std::string& sKey, std::string& sRow);
  static bool FindRow(const std::vector<std::string>& lines, const std::string& sKey, std::string& sRow);
  // The fields of a row whose text starts at the line holding `sKey`.
  static void ParseRow(std::string sRow, const std::string& sKey, std::string& sStatus, std::string& sDesc,
                       std::string& sURL);

 private:
  ListFileLines m_lines;  // the file as the last lookup found it
};
