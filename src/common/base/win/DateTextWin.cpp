#include <windows.h>
#include <oleauto.h>

#include <ctime>
#include <string>

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

// The variant-date conversions of the system (as the framework's date-time
// class uses them) for the user's default locale: the one format the user
// chose, written and read the same way.
namespace DateText {

std::string FormatDateTime(double dDays) {
  SystemTimeFields f{};
  if (!FromDays(dDays, f)) return std::string();
  BSTR bstr = nullptr;
  if (FAILED(::VarBstrFromDate(dDays, LOCALE_USER_DEFAULT, 0, &bstr)) || !bstr) return std::string();
  const int n = ::WideCharToMultiByte(CP_ACP, 0, bstr, -1, nullptr, 0, nullptr, nullptr);
  std::string text(n > 0 ? static_cast<std::size_t>(n) : 0u, '\0');
  if (n > 0) ::WideCharToMultiByte(CP_ACP, 0, bstr, -1, &text[0], n, nullptr, nullptr);
  ::SysFreeString(bstr);
  if (!text.empty()) text.pop_back();  // the terminator
  return text;
}

bool ParseDateTime(const std::string& text, double& dDays) {
  const int n = ::MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
  if (n <= 0) return false;
  std::wstring wide(static_cast<std::size_t>(n), L'\0');
  ::MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, &wide[0], n);
  DATE date = 0;
  if (FAILED(::VarDateFromStr(&wide[0], LOCALE_USER_DEFAULT, 0, &date))) return false;
  SystemTimeFields f{};
  if (!FromDays(date, f)) return false;
  return ToDays(f.year, f.month, f.day, f.hour, f.minute, f.second, dDays);
}

}  // namespace DateText
