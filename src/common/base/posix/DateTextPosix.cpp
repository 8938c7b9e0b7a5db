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
