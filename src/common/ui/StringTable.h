// The program's string table. The same texts are compiled into the
// executable's resources (res/Tarvolin.rc); a Windows test keeps the two
// equal.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace StringTable {

// The text of string `id`; "" when there is none.
std::string Load(unsigned id);

// Every entry, for the comparison with the resources.
const std::vector<std::pair<unsigned, const char*>>& Entries();

}  // namespace StringTable
