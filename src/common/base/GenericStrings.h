// String and number helpers of Generic: words, punctuation, version
// comparison, thousands, rounding and number parsing.
#pragma once

#include <list>
#include <string>

namespace Generic {

void SplitWords(const std::string& text, std::list<std::string>& words);
bool IsAllPunctuation(const std::string& text);
int CompareVersions(const std::string& first, const std::string& second, char separator = '.');
std::string FormatThousands(long long n);
double RoundTo(double x, int decimals);
double ParseNumber(const std::string& text);
std::string Trim(const std::string& text);

}  // namespace Generic
