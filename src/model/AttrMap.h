// The attribute map of a BHO record: attribute name to text. A walk over the
// whole map yields the attributes in one fixed order (not the loading order),
// which the report file and the details list rely on.
#pragma once

#include <array>
#include <functional>
#include <map>
#include <string>

class AttrMap {
 public:
  // Every attribute a record can hold, in walking order.
  static const std::array<const char*, 25>& Order();

  bool Lookup(const std::string& name, std::string& value) const;
  // The value, or "" when absent (absent and empty read alike).
  std::string Get(const std::string& name) const;
  void SetAt(const std::string& name, const std::string& value) { m_values[name] = value; }
  bool Contains(const std::string& name) const { return m_values.count(name) != 0; }
  void RemoveAll() { m_values.clear(); }

  // Calls `fn` for each present attribute (empty ones too) in walking order;
  // names outside the fixed order follow them alphabetically.
  void ForEach(const std::function<void(const std::string& name, const std::string& value)>& fn) const;

 private:
  std::map<std::string, std::string> m_values;
};
