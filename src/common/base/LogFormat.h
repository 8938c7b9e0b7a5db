// The log's own formatter. It understands a fixed set of conversions and
// nothing else: no widths, no precision, no flags (see FormatLogText).
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>

class LogArg {
 public:
  enum class Kind { Signed, Unsigned, Double, Text, WideText, Pointer };

  LogArg(int v) : m_kind(Kind::Signed), m_nSigned(v) {}
  LogArg(long v) : m_kind(Kind::Signed), m_nSigned(v) {}
  LogArg(long long v) : m_kind(Kind::Signed), m_nSigned(v) {}
  LogArg(bool v) : m_kind(Kind::Signed), m_nSigned(v ? 1 : 0) {}
  LogArg(char v) : m_kind(Kind::Signed), m_nSigned(v) {}
  LogArg(unsigned v) : m_kind(Kind::Unsigned), m_nUnsigned(v) {}
  LogArg(unsigned long v) : m_kind(Kind::Unsigned), m_nUnsigned(v) {}
  LogArg(unsigned long long v) : m_kind(Kind::Unsigned), m_nUnsigned(v) {}
  LogArg(double v) : m_kind(Kind::Double), m_dValue(v) {}
  LogArg(const char* s) : m_kind(Kind::Text), m_pszText(s) {}
  LogArg(const std::string& s) : m_kind(Kind::Text), m_pszText(s.c_str()) {}
  LogArg(const std::wstring& s) : m_kind(Kind::WideText), m_pwsText(&s) {}
  LogArg(const void* p) : m_kind(Kind::Pointer), m_nUnsigned(reinterpret_cast<std::uintptr_t>(p)) {}
  LogArg(std::nullptr_t) : m_kind(Kind::Text), m_pszText(nullptr) {}

  std::int64_t AsSigned() const;
  std::uint64_t AsUnsigned() const;
  double AsDouble() const;
  std::string AsText() const;

 private:
  Kind m_kind;
  std::int64_t m_nSigned = 0;
  std::uint64_t m_nUnsigned = 0;
  double m_dValue = 0;
  const char* m_pszText = nullptr;
  const std::wstring* m_pwsText = nullptr;
};

// Expands `format` with `args`. Conversions: %d %u %ld %lu (decimal), %f %g
// (a double as a stream writes it), %x (eight upper-case hex digits), %p
// (segment:offset style, "%04X:%04X"), %6 (64-bit decimal), %s (text, null
// writes nothing), %t (wide text narrowed), %% (a percent sign). A percent
// sign before any other character is written as text with that character;
// "%l" not followed by d or u writes nothing. Missing arguments write nothing.
std::string FormatLogText(const char* format, std::initializer_list<LogArg> args);
