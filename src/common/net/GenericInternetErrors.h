// Texts for Internet error numbers (WinInet and its neighbours).
#pragma once

#include <string>

#include "common/base/Types.h"

namespace Generic {

std::string GetInternetErrorText(DWord code);
// The text for the extended error 12003 from the server's last response and
// its error number: "<response>: <number>" for WinInet numbers, "" otherwise.
std::string FormatExtendedError(DWord serverError, const std::string& response);

}  // namespace Generic
