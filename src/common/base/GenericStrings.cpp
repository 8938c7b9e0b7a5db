// Pure string and number helpers.
#include "common/base/GenericStrings.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace Generic {
namespace {

bool IsSpace(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }

// Each component's leading run of digits as a number (0 when it has none).
std::vector<long long> VersionNumbers(const std::string& version, char separator) {
  std::vector<long long> numbers;
  std::size_t begin = 0;
  for (;;) {
    long long n = 0;
    for (std::size_t i = begin; i < version.size() && std::isdigit(static_cast<unsigned char>(version[i]));
         ++i) {
      if (n < LLONG_MAX / 10 - 10) n = n * 10 + (version[i] - '0');
    }
    numbers.push_back(n);
    const std::size_t next = version.find(separator, begin);
    if (next == std::string::npos) return numbers;
    begin = next + 1;
  }
}

}  // namespace

void SplitWords(const std::string& text, std::list<std::string>& words) {
  std::size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && IsSpace(text[i])) ++i;
    const std::size_t begin = i;
    while (i < text.size() && !IsSpace(text[i])) ++i;
    if (i > begin) words.push_back(text.substr(begin, i - begin));
  }
}

bool IsAllPunctuation(const std::string& text) {
  for (char c : text) {
    if (!std::ispunct(static_cast<unsigned char>(c))) return false;
  }
  return true;
}

int CompareVersions(const std::string& first, const std::string& second, char separator) {
  const std::vector<long long> a = VersionNumbers(first, separator);
  const std::vector<long long> b = VersionNumbers(second, separator);
  // A side that has run out of components reads as 0, so 2.1 equals 2.1.0.
  for (std::size_t i = 0; i < std::max(a.size(), b.size()); ++i) {
    const long long d = (i < a.size() ? a[i] : 0) - (i < b.size() ? b[i] : 0);
    if (d != 0) return d > INT_MAX ? INT_MAX : (d < INT_MIN ? INT_MIN : static_cast<int>(d));
  }
  return 0;
}

std::string FormatThousands(long long n) {
  // Work on the magnitude as unsigned, so the most negative number has one.
  const unsigned long long magnitude =
      n < 0 ? 0ull - static_cast<unsigned long long>(n) : static_cast<unsigned long long>(n);
  const std::string digits = std::to_string(magnitude);
  const std::size_t lead = digits.size() % 3 == 0 ? 3 : digits.size() % 3;
  std::string out = digits.substr(0, lead);
  for (std::size_t i = lead; i < digits.size(); i += 3) out += "," + digits.substr(i, 3);
  return n < 0 ? "-" + out : out;
}

double RoundTo(double x, int decimals) {
  const double scale = std::pow(10.0, decimals);
  return std::floor((x + 5.0 / std::pow(10.0, decimals + 1)) * scale) / scale;
}

double ParseNumber(const std::string& text) {
  std::string kept;
  for (char c : text) {
    if (std::string("-.0123456789").find(c) != std::string::npos) kept += c;
  }
  return std::strtod(kept.c_str(), nullptr);
}

std::string Trim(const std::string& text) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && IsSpace(text[begin])) ++begin;
  while (end > begin && IsSpace(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}

}  // namespace Generic
