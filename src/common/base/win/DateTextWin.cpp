#include <windows.h>

#include <ctime>

#include "common/base/DateText.h"
#include "common/base/DateTextCommon.h"

namespace DateText {

bool FromSystemTime(const std::uint8_t (&systemTime)[16], std::string& text) {
  SystemTimeFields f{};
  if (!DecodeSystemTime(systemTime, f)) return false;
  SYSTEMTIME st{};
  st.wYear = static_cast<WORD>(f.year);
  st.wMonth = static_cast<WORD>(f.month);
  st.wDay = static_cast<WORD>(f.day);
  st.wHour = static_cast<WORD>(f.hour);
  st.wMinute = static_cast<WORD>(f.minute);
  st.wSecond = static_cast<WORD>(f.second);
  char date[128] = {};
  char time[128] = {};
  if (!::GetDateFormatA(LOCALE_USER_DEFAULT, 0, &st, nullptr, date, sizeof date) ||
      !::GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &st, nullptr, time, sizeof time))
    return false;
  text = std::string(date) + " " + time;
  return true;
}

std::string LongDateTime(std::time_t time) {
  const std::tm* local = std::localtime(&time);
  char buf[128];
  return local && std::strftime(buf, sizeof buf, "%#c", local) ? std::string(buf) : std::string();
}

}  // namespace DateText
