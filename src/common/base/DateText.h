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

// Local dates and times as the system's variant dates hold them: days since
// 30 December 1899 at midnight, the time of day as the fraction. Dates from
// 1 January 1900 to 31 December 9999 are taken.
constexpr double kFirstDay = 1.0;       // 1 January 1900
constexpr double kLastDay = 2958465.0;  // 31 December 9999
// The clock's local time now, to the second.
double Now();
// A local date and time (year, month 1-12, day, hour, minute, second) as
// such a day count; false for a date that does not exist or is out of range.
bool ToDays(int year, int month, int day, int hour, int minute, int second, double& dDays);

// The local date and time `dDays` in the user's default date-and-time format
// (Windows: as the system writes a variant date for LOCALE_USER_DEFAULT, the
// time left out at midnight); "" when it is out of range.
std::string FormatDateTime(double dDays);
// The text read back in the same format, to the second; false when it is no
// date and time in that format.
bool ParseDateTime(const std::string& text, double& dDays);

}  // namespace DateText
