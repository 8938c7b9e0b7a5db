// Pure path and string helpers. Program paths use back-slashes only; a
// forward slash is an ordinary character here (URLs pass through intact).
#include "common/base/GenericPaths.h"

#include <algorithm>
#include <cctype>

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

std::string ToUpper(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return text;
}

int FindNoCase(const std::string& text, const std::string& part) {
  const auto pos = ToUpper(text).find(ToUpper(part));
  return pos == std::string::npos ? -1 : static_cast<int>(pos);
}

bool EqualsNoCase(const std::string& a, const std::string& b) {
  return a.size() == b.size() && ToUpper(a) == ToUpper(b);
}

}  // namespace Generic
