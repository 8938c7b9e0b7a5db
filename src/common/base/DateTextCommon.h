// Shared by the platform halves of DateText.
#pragma once

#include <cstdint>

namespace DateText {

struct SystemTimeFields {
  int year, month, dayOfWeek, day, hour, minute, second, milliseconds;
};

// Unpacks and validates a SYSTEMTIME; the day of the week is not checked.
bool DecodeSystemTime(const std::uint8_t (&bytes)[16], SystemTimeFields& fields);

// A day count (see DateText.h) as calendar fields, rounded to the second;
// false when it is out of range. The day of the week is 0 for Sunday.
bool FromDays(double dDays, SystemTimeFields& fields);

}  // namespace DateText
