// Programs of the machine the tests run on (python3, zip, ...), started from
// the tests of either build: natively by fork and exec; under Wine through
// Wine's start of non-Windows programs, which gives back no process handle,
// so waiting and stopping go through files and process ids.
#pragma once

#include <string>
#include <vector>

namespace test {

// The host's own path for a program path (a Windows path under Wine).
std::string HostPath(const std::string& programPath);
// Whether a host path names an existing file ("/usr/bin/zip").
bool HostFileExists(const std::string& hostPath);

// Runs `argv` (argv[0] a host path) in the folder `dir` (program path) with
// its output discarded, and waits for it: its exit code, or -1 when it did
// not run or did not end within a minute.
int RunHostProgram(const std::vector<std::string>& argv, const std::string& dir);

// Starts `argv` in `dir` and leaves it running; the program makes its own
// process id known (the host's id, which Wine does not hand out).
bool StartHostProgram(const std::vector<std::string>& argv, const std::string& dir);
// Ends a host process started by StartHostProgram and waits until it is gone.
bool StopHostProcess(int pid);

}  // namespace test
