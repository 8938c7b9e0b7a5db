// The program-wide convention for checked calls. A function keeps one running
// result; each guarded step runs only while that result is a success, logs
// its own source text when it fails, and is logged as skipped afterwards:
//
//   HResult hr = kSOk;
//   EC_B(hr, reg.IsOpen());                 // Boolean or count step
//   EC_H(hr, file.Open(path, bHasInfo));    // HRESULT step
//   if (Failed(hr)) EC_VAR(path, "%s");     // "   * path is <...>."
#pragma once

#include <new>
#include <string>

#include "common/base/FileException.h"
#include "common/base/MyLog.h"
#include "common/base/Types.h"

#define LOG_AT(level, ...)                         \
  do {                                             \
    MyLog& log_ = MyLog::Current();                \
    log_.SetLocation(__FILE__, __LINE__, (level)); \
    log_.Log(__VA_ARGS__);                         \
  } while (0)
#define LOGD(...) LOG_AT(MyLog::Debug, __VA_ARGS__)
#define LOGT(...) LOG_AT(MyLog::Trace, __VA_ARGS__)
#define LOGW(...) LOG_AT(MyLog::Warns, __VA_ARGS__)
#define LOGE(...) LOG_AT(MyLog::Error, __VA_ARGS__)
#define LOGA(...) LOG_AT(MyLog::Audit, __VA_ARGS__)

// ">>> Class::Function\n" at level Debug.
#define LOG_ENTRY(name) LOGD(">>> " name "\n")

// A string-table message (API failure 10020 and friends) at level Error.
#define LOG_ST(id, ...) LOG_AT(MyLog::Error, ErrorCheck::StringTableFormat(id).c_str(), __VA_ARGS__)

// Guarded Boolean step: false takes the last system error and fails `hr`.
#define EC_B(hr, ...)                                              \
  do {                                                             \
    if (Failed(hr)) {                                              \
      ErrorCheck::LogSkipped(__FILE__, __LINE__, #__VA_ARGS__);    \
    } else if (!(__VA_ARGS__)) {                                   \
      (hr) = kEFail;                                               \
      ErrorCheck::LogFailedCall(__FILE__, __LINE__, #__VA_ARGS__); \
    }                                                              \
  } while (0)

// Guarded Boolean step logged under a given expression text: for the few
// steps whose log line names the call as it has always been written there.
#define EC_B_TEXT(hr, text, ...)                             \
  do {                                                       \
    if (Failed(hr)) {                                        \
      ErrorCheck::LogSkipped(__FILE__, __LINE__, (text));    \
    } else if (!(__VA_ARGS__)) {                             \
      (hr) = kEFail;                                         \
      ErrorCheck::LogFailedCall(__FILE__, __LINE__, (text)); \
    }                                                        \
  } while (0)

// Guarded HRESULT step: the call's result becomes the running result.
#define EC_H(hr, ...)                                                      \
  do {                                                                     \
    if (Failed(hr)) {                                                      \
      ErrorCheck::LogSkipped(__FILE__, __LINE__, #__VA_ARGS__);            \
    } else if (Failed((hr) = (__VA_ARGS__))) {                             \
      ErrorCheck::LogFailedResult(__FILE__, __LINE__, #__VA_ARGS__, (hr)); \
    }                                                                      \
  } while (0)

// Guarded HRESULT step logged under a given expression text.
#define EC_H_TEXT(hr, text, ...)                                     \
  do {                                                               \
    if (Failed(hr)) {                                                \
      ErrorCheck::LogSkipped(__FILE__, __LINE__, (text));            \
    } else if (Failed((hr) = (__VA_ARGS__))) {                       \
      ErrorCheck::LogFailedResult(__FILE__, __LINE__, (text), (hr)); \
    }                                                                \
  } while (0)

// Variable line after a failure: EC_VAR(m_sSubKey, "%s").
#define EC_VAR(name, conv) LOGE("   * " #name " is <" conv ">.\n", (name))

// Exception guards around a block: EC_TRY { ... } EC_CATCH(hr, "EC_VEF")
#define EC_TRY try
#define EC_CATCH(hr, label)                                         \
  catch (const FileException& e_) {                                 \
    ErrorCheck::ReportFileException(__FILE__, __LINE__, label, e_); \
    (hr) = kEFail;                                                  \
  }                                                                 \
  catch (const std::bad_alloc&) {                                   \
    ErrorCheck::ReportMemoryException(__FILE__, __LINE__);          \
    (hr) = kEFail;                                                  \
  }

namespace ErrorCheck {

void LogSkipped(const char* file, int line, const char* expression);
// Logs "<expr> failed with error <n>: <text>." for the last system error and
// leaves that error in place.
void LogFailedCall(const char* file, int line, const char* expression);
void LogFailedResult(const char* file, int line, const char* expression, HResult hr);

// "EC_VEF CFileException on <file>: <cause> - <message>", then the
// exception's own message in a box.
void ReportFileException(const char* file, int line, const char* label, const FileException& e);
void ReportMemoryException(const char* file, int line);

// The log's string table (10020-10024), with "\n" appended.
std::string StringTableFormat(int id);

}  // namespace ErrorCheck
