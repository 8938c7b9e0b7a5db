#include "common/base/LogFormat.h"

#include <cstdio>
#include <sstream>

std::int64_t LogArg::AsSigned() const {
  switch (m_kind) {
    case Kind::Signed: return m_nSigned;
    case Kind::Unsigned:
    case Kind::Pointer: return static_cast<std::int64_t>(m_nUnsigned);
    case Kind::Double: return static_cast<std::int64_t>(m_dValue);
    default: return 0;
  }
}

std::uint64_t LogArg::AsUnsigned() const {
  switch (m_kind) {
    case Kind::Signed: return static_cast<std::uint64_t>(m_nSigned);
    case Kind::Unsigned:
    case Kind::Pointer: return m_nUnsigned;
    case Kind::Double: return static_cast<std::uint64_t>(m_dValue);
    default: return 0;
  }
}

double LogArg::AsDouble() const {
  switch (m_kind) {
    case Kind::Double: return m_dValue;
    case Kind::Signed: return static_cast<double>(m_nSigned);
    case Kind::Unsigned:
    case Kind::Pointer: return static_cast<double>(m_nUnsigned);
    default: return 0;
  }
}

std::string LogArg::AsText() const {
  switch (m_kind) {
    case Kind::Text: return m_pszText ? std::string(m_pszText) : std::string();
    case Kind::WideText: {
      std::string narrow;
      if (m_pwsText) {
        for (wchar_t c : *m_pwsText)
          narrow += static_cast<std::uint32_t>(c) < 256 ? static_cast<char>(c) : '?';
      }
      return narrow;
    }
    default: return std::string();
  }
}

namespace {

std::string Hex(std::uint64_t value, int minDigits) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%0*llX", minDigits, static_cast<unsigned long long>(value));
  return buf;
}

}  // namespace

std::string FormatLogText(const char* format, std::initializer_list<LogArg> args) {
  std::string out;
  if (!format) return out;
  auto next = args.begin();
  auto take = [&]() -> const LogArg* { return next == args.end() ? nullptr : &*next++; };

  for (const char* p = format; *p; ++p) {
    if (*p != '%') {
      out += *p;
      continue;
    }
    const char c = *++p;
    if (c == '\0') {
      out += '%';
      break;
    }
    const LogArg* arg = nullptr;
    switch (c) {
      case '%': out += '%'; break;
      case 'd':
        if ((arg = take())) out += std::to_string(static_cast<std::int32_t>(arg->AsSigned()));
        break;
      case 'u':
        if ((arg = take())) out += std::to_string(static_cast<std::uint32_t>(arg->AsUnsigned()));
        break;
      case 'l':
        if (p[1] == 'd') {
          ++p;
          if ((arg = take())) out += std::to_string(arg->AsSigned());
        } else if (p[1] == 'u') {
          ++p;
          if ((arg = take())) out += std::to_string(arg->AsUnsigned());
        }
        break;
      case 'f':
      case 'g':
        if ((arg = take())) {
          std::ostringstream s;
          s << arg->AsDouble();
          out += s.str();
        }
        break;
      case 'x':
        if ((arg = take())) out += Hex(static_cast<std::uint32_t>(arg->AsUnsigned()), 8);
        break;
      case 'p':
        if ((arg = take())) {
          const std::uint64_t v = arg->AsUnsigned();
          out += Hex(v / 0x10000, 4) + ":" + Hex(v % 0x10000, 4);
        }
        break;
      case '6':
        if ((arg = take())) out += std::to_string(arg->AsSigned());
        break;
      case 's':
      case 't':
        if ((arg = take())) out += arg->AsText();
        break;
      default:
        out += '%';
        out += c;
        break;
    }
  }
  return out;
}
