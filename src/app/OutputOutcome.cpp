#include "app/OutputOutcome.h"

void OutputOutcome::Count(bool bLoaded, bool bSaved) {
  if (bLoaded && bSaved)
    ++nWritten;
  else
    ++nFailed;
}

int OutputOutcome::ExitCode() const {
  if (bCommandLineFailed) return kExitCommandLineFailed;
  return Succeeded() ? kExitAllWritten : kExitReportsFailed;
}

std::string OutputOutcome::Summary() const {
  if (bCommandLineFailed) return "Tarvolin: the command line failed, no reports written.";
  if (!bListed) return "Tarvolin: the BHOs could not be listed, no reports written to " + sDirectory + ".";
  return "Tarvolin: " + std::to_string(nWritten) + (nWritten == 1 ? " report" : " reports") + " written to " +
         sDirectory + ", " + std::to_string(nFailed) + " failed.";
}
