#include "model/AttrMap.h"

#include <algorithm>
#include <cstring>

const std::array<const char*, 25>& AttrMap::Order() {
  static const std::array<const char*, 25> kOrder = {"Legal Copyright",
                                                     "Desc",
                                                     "ReportsCount",
                                                     "Clsid",
                                                     "DLL Path",
                                                     "Last Load Time",
                                                     "Blocked Load Attempts",
                                                     "Modified Date",
                                                     "Created Date",
                                                     "ProgID",
                                                     "Load Attempts",
                                                     "Product Name",
                                                     "Product Version",
                                                     "Original Filename",
                                                     "File Description",
                                                     "Company Name",
                                                     "URL",
                                                     "Enabled?",
                                                     "Internal Name",
                                                     "Size (bytes)",
                                                     "EnabledCount",
                                                     "MD5 Checksum",
                                                     "File Version",
                                                     "Comments",
                                                     "Status"};
  return kOrder;
}

bool AttrMap::Lookup(const std::string& name, std::string& value) const {
  const auto it = m_values.find(name);
  if (it == m_values.end()) return false;
  value = it->second;
  return true;
}

std::string AttrMap::Get(const std::string& name) const {
  const auto it = m_values.find(name);
  return it == m_values.end() ? std::string() : it->second;
}

void AttrMap::ForEach(const std::function<void(const std::string&, const std::string&)>& fn) const {
  const auto& order = Order();
  for (const char* name : order) {
    const auto it = m_values.find(name);
    if (it != m_values.end()) fn(it->first, it->second);
  }
  for (const auto& entry : m_values) {
    const bool bKnown =
        std::any_of(order.begin(), order.end(), [&](const char* known) { return entry.first == known; });
    if (!bKnown) fn(entry.first, entry.second);
  }
}
