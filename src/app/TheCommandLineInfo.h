// The program's command-line options: "-Output DIRECTORY" for the silent
// report mode and "-Pause" for a start that waits for another instance.
#pragma once

#include <string>
#include <vector>

class TheCommandLineInfo {
 public:
  // One argument of the walk: a flag (its name, without the leading dash or
  // slash) or a parameter.
  void ParseParam(const char* pszParam, bool bFlag, bool bLast);

  bool m_bPause = false;
  bool m_bOutput = false;
  std::string m_sPathOutput;
};

// The framework's walk over the arguments (program name excluded): an
// argument starting with '-' or '/' is a flag.
void ParseCommandLine(const std::vector<std::string>& args, TheCommandLineInfo& info);

// Whether the arguments ask for the silent output mode at all (decided
// before parsing, so that even parse errors do not wait for a click).
bool RequestsOutputMode(const std::vector<std::string>& args);
