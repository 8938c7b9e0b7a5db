#include "common/base/DateTextCommon.h"

#include <cmath>

#include "common/base/DateText.h"
#include "common/base/SystemApi.h"

namespace DateText {
namespace {

constexpr int kSecondsPerDay = 86400;

bool IsLeap(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
  static const int kDays[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && !IsLeap(year) ? 28 : kDays[month - 1];
}

// Days from 1 January 1970 of a date of the proleptic Gregorian calendar.
long DaysFromCivil(long year, int month, int day) {
  year -= month <= 2;
  const long era = (year >= 0 ? year : year - 399) / 400;
  const long yoe = year - era * 400;
  const long doy = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

// 30 December 1899 counted from 1 January 1970.
const long kEpochOffset = DaysFromCivil(1899, 12, 30);

}  // namespace

bool DecodeSystemTime(const std::uint8_t (&bytes)[16], SystemTimeFields& fields) {
  auto field = [&](int i) { return bytes[2 * i] | (bytes[2 * i + 1] << 8); };
  fields = {field(0), field(1), field(2), field(3), field(4), field(5), field(6), field(7)};
  if (fields.year < 1601 || fields.year > 30827 || fields.month < 1 || fields.month > 12 || fields.day < 1 ||
      fields.hour > 23 || fields.minute > 59 || fields.second > 59 || fields.milliseconds > 999)
    return false;
  return fields.day <= DaysInMonth(fields.year, fields.month);
}

bool ToDays(int year, int month, int day, int hour, int minute, int second, double& dDays) {
  if (year < 1900 || year > 9999 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month) ||
      hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59)
    return false;
  const long days = DaysFromCivil(year, month, day) - kEpochOffset;
  dDays =
      static_cast<double>(days) + (hour * 3600 + minute * 60 + second) / static_cast<double>(kSecondsPerDay);
  return true;
}

bool FromDays(double dDays, SystemTimeFields& fields) {
  if (!(dDays >= kFirstDay && dDays < kLastDay + 1.0)) return false;
  // Whole seconds, so that 23:59:59.7 becomes the next day's midnight.
  const long long seconds = std::llround(dDays * kSecondsPerDay);
  if (seconds >= static_cast<long long>(kLastDay + 1.0) * kSecondsPerDay) return false;
  const long days = static_cast<long>(seconds / kSecondsPerDay) + kEpochOffset;
  const long secondOfDay = static_cast<long>(seconds % kSecondsPerDay);
  // Civil date from days since 1970 (the inverse of DaysFromCivil).
  const long z = days + 719468;
  const long era = (z >= 0 ? z : z - 146096) / 146097;
  const long doe = z - era * 146097;
  const long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const long mp = (5 * doy + 2) / 153;
  const int day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  const int month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  const int year = static_cast<int>(yoe + era * 400 + (month <= 2));
  const int dayOfWeek = static_cast<int>(((days % 7) + 11) % 7);  // 1 January 1970 was a Thursday
  fields = {year,
            month,
            dayOfWeek,
            day,
            static_cast<int>(secondOfDay / 3600),
            static_cast<int>(secondOfDay / 60 % 60),
            static_cast<int>(secondOfDay % 60),
            0};
  return true;
}

double Now() {
  const SystemApi::LocalTime t = SystemApi::GetLocalTime();
  double dDays = 0;
  return ToDays(t.year, t.month, t.day, t.hour, t.minute, t.second, dDays) ? dDays : 0.0;
}

}  // namespace DateText
