// Shared by the platform halves of DateText.
#pragma once

#include <cstdint>

namespace DateText {

struct SystemTimeFields {
  int year, month, dayOfWeek, day, hour, minute, second, milliseconds;
};

// Unpacks and validates a SYSTEMTIME; the day of the week is not checked.
bool DecodeSystemTime(const std::uint8_t (&bytes)[16], SystemTimeFields& fields);

}  // namespace DateText
