// Pure path and string helpers. Program paths use back-slashes only; a
// forward slash is an ordinary character here (URLs pass through intact).
#include <algorithm>
#include <cctype>

#include "common/Generic.h"

namespace Generic {

std::string GetFileName(const std::string& path) {
  const auto pos = path.rfind('\\');
  return pos == std::string::npos ? path : path.substr(pos + 1);
}

std::string GetFileTitle(const std::string& path) {
  std::string name = GetFileName(path);
  const auto dot = name.rfind('.');
  if (dot != std::string::npos) name.erase(dot);
  return name;
}

std::string GetDirectory(const std::string& path) {
  std::string dir = path;
  while (!dir.empty() && (dir.back() == ' ' || dir.back() == '\\')) dir.pop_back();
  const auto pos = dir.rfind('\\');
  if (pos != std::string::npos) dir.erase(pos);
  return dir;
}

int FindNoCase(const std::string& text, const std::string& part) {
  auto upper = [](std::string s) {
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return s;
  };
  const auto pos = upper(text).find(upper(part));
  return pos == std::string::npos ? -1 : static_cast<int>(pos);
}

}  // namespace Generic
