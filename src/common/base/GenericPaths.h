// Path and case helpers of Generic: back-slash paths taken apart, and text
// compared or searched without regard to case.
#pragma once

#include <string>

#include "common/base/WinNameMacros.h"  // names shared with Windows macros

namespace Generic {

std::string GetFileName(const std::string& path);
std::string GetFileTitle(const std::string& path);
std::string GetDirectory(const std::string& path);
int FindNoCase(const std::string& text, const std::string& part);
bool EqualsNoCase(const std::string& a, const std::string& b);
std::string ToUpper(std::string text);

}  // namespace Generic
