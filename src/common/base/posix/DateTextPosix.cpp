#include <cstdio>
#include <ctime>

#include "common/base/DateText.h"
#include "common/base/DateTextCommon.h"

namespace DateText {

bool FromSystemTime(const std::uint8_t (&systemTime)[16], std::string& text) {
  SystemTimeFields f{};
  if (!DecodeSystemTime(systemTime, f)) return false;
  std::tm t{};
  t.tm_year = f.year - 1900;
  t.tm_mon = f.month - 1;
  t.tm_mday = f.day;
  t.tm_hour = f.hour;
  t.tm_min = f.minute;
  t.tm_sec = f.second;
  char buf[64];
  if (std::strftime(buf, sizeof buf, "%m/%d/%Y %H:%M:%S", &t) == 0) return false;
  text = buf;
  return true;
}

std::string LongDateTime(std::time_t time) {
  std::tm local{};
  if (!localtime_r(&time, &local)) return std::string();
  char buf[128];
  return std::strftime(buf, sizeof buf, "%A, %B %d, %Y %H:%M:%S", &local) ? std::string(buf) : std::string();
}

}  // namespace DateText

// Without a user locale of the system's kind, the stand-in is the default
// format of an English (United States) user: "3/14/2006 1:05:09 PM", the
// time left out at midnight, as the Windows conversion writes it.
namespace DateText {
namespace {

// Reads 1 to `maxDigits` digits at `pos`.
bool ReadNumber(const std::string& text, std::size_t& pos, int maxDigits, int& value) {
  const std::size_t start = pos;
  value = 0;
  while (pos < text.size() && pos - start < static_cast<std::size_t>(maxDigits) && text[pos] >= '0' &&
         text[pos] <= '9')
    value = value * 10 + (text[pos++] - '0');
  return pos > start && (pos >= text.size() || text[pos] < '0' || text[pos] > '9');
}

bool Expect(const std::string& text, std::size_t& pos, char c) {
  if (pos >= text.size() || text[pos] != c) return false;
  ++pos;
  return true;
}

void SkipBlanks(const std::string& text, std::size_t& pos) {
  while (pos < text.size() && text[pos] == ' ') ++pos;
}

}  // namespace

std::string FormatDateTime(double dDays) {
  SystemTimeFields f{};
  if (!FromDays(dDays, f)) return std::string();
  char buf[64];
  int n = std::snprintf(buf, sizeof buf, "%d/%d/%d", f.month, f.day, f.year);
  if (f.hour || f.minute || f.second) {
    const int hour12 = f.hour % 12 == 0 ? 12 : f.hour % 12;
    std::snprintf(buf + n, sizeof buf - static_cast<std::size_t>(n), " %d:%02d:%02d %s", hour12, f.minute,
                  f.second, f.hour < 12 ? "AM" : "PM");
  }
  return buf;
}

bool ParseDateTime(const std::string& text, double& dDays) {
  std::size_t pos = 0;
  int month = 0, day = 0, year = 0, hour = 0, minute = 0, second = 0;
  SkipBlanks(text, pos);
  if (!ReadNumber(text, pos, 2, month) || !Expect(text, pos, '/') || !ReadNumber(text, pos, 2, day) ||
      !Expect(text, pos, '/') || !ReadNumber(text, pos, 4, year))
    return false;
  SkipBlanks(text, pos);
  if (pos < text.size()) {
    if (!ReadNumber(text, pos, 2, hour) || !Expect(text, pos, ':') || !ReadNumber(text, pos, 2, minute))
      return false;
    if (pos < text.size() && text[pos] == ':' && !(++pos, ReadNumber(text, pos, 2, second))) return false;
    SkipBlanks(text, pos);
    if (pos + 2 <= text.size() && (text.compare(pos, 2, "AM") == 0 || text.compare(pos, 2, "PM") == 0)) {
      if (hour < 1 || hour > 12) return false;
      const bool bPm = text[pos] == 'P';
      hour = hour % 12 + (bPm ? 12 : 0);
      pos += 2;
    }
    SkipBlanks(text, pos);
    if (pos != text.size()) return false;
  }
  return ToDays(year, month, day, hour, minute, second, dDays);
}

}  // namespace DateText
