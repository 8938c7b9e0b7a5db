#include "common/base/ErrorCheck.h"

#include "common/base/GenericErrors.h"
#include "common/base/SystemApi.h"
#include "common/ui/UserMessage.h"

namespace ErrorCheck {

void LogSkipped(const char* file, int line, const char* expression) {
  MyLog& log = MyLog::Current();
  log.SetLocation(file, line, MyLog::Error);
  log.Log("EC_ skipped executing <%s>.\n", expression);
}

void LogFailedCall(const char* file, int line, const char* expression) {
  const DWord error = SystemApi::GetLastError();
  const std::string text = Generic::GetErrorText(error);
  MyLog& log = MyLog::Current();
  log.SetLocation(file, line, MyLog::Error);
  log.Log("<%s> failed with error <%d>: <%s>.\n", expression, error, text);
  SystemApi::SetLastError(error);
}

void LogFailedResult(const char* file, int line, const char* expression, HResult hr) {
  const std::string text = Generic::GetHResultText(hr);
  MyLog& log = MyLog::Current();
  log.SetLocation(file, line, MyLog::Error);
  log.Log("<%s> failed with error <%x>: <%s>.\n", expression, hr, text);
}

void ReportFileException(const char* file, int line, const char* label, const FileException& e) {
  MyLog& log = MyLog::Current();
  log.SetLocation(file, line, MyLog::Error);
  const std::string format = std::string(label) + " CFileException on <%s>: <%d> - <%s>\n";
  log.Log(format.c_str(), e.GetFileName(), static_cast<int>(e.GetCause()), e.what());
  UserMessage::Show(e.what(), UserMessage::kIconExclamation);
}

void ReportMemoryException(const char* file, int line) {
  const std::string message = "Out of memory.";
  MyLog& log = MyLog::Current();
  log.SetLocation(file, line, MyLog::Error);
  log.Log("EC_VEM CMemoryException: <%d> - <%s>\n", 0, message);
  UserMessage::Show(message, UserMessage::kIconExclamation);
}

std::string StringTableFormat(int id) {
  switch (id) {
    case 10020: return "API Failure for <%s> is <%d>: <%s>\n";
    case 10021: return "New failure <%s>\n";
    case 10022: return "The Registry is not open on key <%s>.\n";
    case 10023: return "Null pointer encountered for variable <%s>\n";
    case 10024: return "Bad default case encountered in function <%s>.\n";
    default: return "LoadString() failed in DOMYLOGST!\n";
  }
}

}  // namespace ErrorCheck
