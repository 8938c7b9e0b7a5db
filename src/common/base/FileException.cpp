#include "common/base/FileException.h"

#include "common/base/GenericErrors.h"

FileException FileException::FromOsError(long osError, const std::string& fileName) {
  Cause cause = genericException;
  switch (osError) {
    case 2: cause = fileNotFound; break;
    case 3:
    case 123: cause = badPath; break;
    case 4: cause = tooManyOpenFiles; break;
    case 5: cause = accessDenied; break;
    case 6: cause = invalidFile; break;
    case 32: cause = sharingViolation; break;
    case 33: cause = lockViolation; break;
    case 112: cause = diskFull; break;
    default: break;
  }
  std::string message = Generic::GetErrorText(static_cast<DWord>(osError));
  if (message.empty()) message = "An unknown error occurred while accessing " + fileName + ".";
  return FileException(cause, osError, fileName, message);
}
