#include "common/base/DateTextCommon.h"

namespace DateText {

bool DecodeSystemTime(const std::uint8_t (&bytes)[16], SystemTimeFields& fields) {
  auto field = [&](int i) { return bytes[2 * i] | (bytes[2 * i + 1] << 8); };
  fields = {field(0), field(1), field(2), field(3), field(4), field(5), field(6), field(7)};
  static const int kDaysInMonth[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (fields.year < 1601 || fields.year > 30827 || fields.month < 1 || fields.month > 12 || fields.day < 1 ||
      fields.hour > 23 || fields.minute > 59 || fields.second > 59 || fields.milliseconds > 999)
    return false;
  const bool bLeap = (fields.year % 4 == 0 && fields.year % 100 != 0) || fields.year % 400 == 0;
  const int maxDay = fields.month == 2 && !bLeap ? 28 : kDaysInMonth[fields.month - 1];
  return fields.day <= maxDay;
}

}  // namespace DateText
