// What a run of the silent output mode achieved, as a script sees it: the
// process exit code and one line on standard error.
#pragma once

#include <string>

struct OutputOutcome {
  // Exit codes of the output mode; the interactive program always ends with 0.
  static constexpr int kExitAllWritten = 0;
  static constexpr int kExitCommandLineFailed = 1;
  static constexpr int kExitReportsFailed = 2;

  bool bCommandLineFailed = false;  // no usable directory: nothing was tried
  bool bListed = true;              // the BHO key's sub-keys could be listed
  std::string sDirectory;           // the normalised directory, with its back-slash
  int nWritten = 0;                 // complete reports of records that loaded
  int nFailed = 0;                  // reports not written, or of records that did not load

  // A record that loaded and a report that was written count as written;
  // anything less counts as failed (the file of a record that did not load
  // is still written, with what was loaded).
  void Count(bool bLoaded, bool bSaved);

  bool Succeeded() const { return !bCommandLineFailed && bListed && nFailed == 0; }
  int ExitCode() const;
  // "Tarvolin: 5 reports written to C:\Reports\, 1 failed." and its kin.
  std::string Summary() const;
};
