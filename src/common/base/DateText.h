// Dates as text for the user's locale.
#pragma once

#include <cstdint>
#include <ctime>
#include <string>

namespace DateText {

// A 16-byte SYSTEMTIME (eight little-endian 16-bit fields) as date and time
// text for the user's default locale; false when it is not a valid time.
bool FromSystemTime(const std::uint8_t (&systemTime)[16], std::string& text);

// A file time as the C library's long date and time ("%#c" on Windows).
std::string LongDateTime(std::time_t time);

}  // namespace DateText
