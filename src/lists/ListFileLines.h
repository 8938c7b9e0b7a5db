// A community list file's lines (line ends removed), read again only when
// the file changed, with an index from every CLSID in them (with or without
// braces, any letter case) to the lines that hold it. A lookup by CLSID
// then costs no scan of the file; any other key is looked for line by line.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "common/files/FileSnapshot.h"

class ListFileLines {
 public:
  static constexpr std::size_t npos = static_cast<std::size_t>(-1);

  // Brings the lines up to date with the file; false when it cannot be read
  // (the lines are then empty).
  bool Refresh(const std::string& sPath);
  // Lines from memory instead of a file (line ends as in a file).
  void Assign(const std::string& text);
  void Assign(std::vector<std::string> lines);

  const std::vector<std::string>& Lines() const { return m_lines; }

  // The first line from `from` on whose upper-case copy holds `sUpperKey`;
  // npos when none does.
  std::size_t FindLine(const std::string& sUpperKey, std::size_t from = 0) const;
  // The same answer from reading the lines one by one.
  std::size_t ScanForLine(const std::string& sUpperKey, std::size_t from = 0) const;

 private:
  struct Holder {
    std::array<char, 36> clsid;  // upper case, without braces
    std::uint32_t line;
    bool bBraced;  // the line holds the CLSID between braces
  };

  void BuildIndex();

  FileSnapshot m_snapshot;
  std::vector<std::string> m_lines;
  std::vector<Holder> m_holders;  // one per CLSID and line, by CLSID and then line
};
