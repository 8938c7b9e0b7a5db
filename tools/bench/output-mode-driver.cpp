// Runs the silent output mode the way the program starts it, on BHOs made by
// tools/bench/output-mode-data.py: the executable "lives" in WORK_DIR beside
// the three list files, and every "CLSID<TAB>DLL path" line of
// WORK_DIR/bhos.txt is registered in the (in-memory) registry as an installer
// would. Reports go to WORK_DIR/out, the log to WORK_DIR/run.log. Prints the
// seconds the program's run took, registry set-up excluded.
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>

#include "app/Tarvolin.h"
#include "common/base/SystemApi.h"
#include "common/registry/MyRegistry.h"
#include "common/registry/RegistryKeys.h"
#include "common/ui/UserMessage.h"

namespace {

// The program's path form: back-slashes (the POSIX layer maps them back).
std::string ProgramPath(std::string path) {
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  return path;
}

bool RegisterBhos(const std::string& manifest, int& count) {
  std::ifstream in(manifest);
  if (!in) return false;
  std::string line;
  for (count = 0; std::getline(in, line); ++count) {
    const auto tab = line.find('\t');
    if (tab == std::string::npos) return false;
    const std::string clsid = line.substr(0, tab);
    MyRegistry bho(Registry::kLocalMachine, std::string(REGKEY_BHO) + "\\" + clsid, true);
    MyRegistry server(Registry::kClassesRoot, "CLSID\\" + clsid + "\\InProcServer32", true);
    if (!bho.IsOpen() || !server.SaveValueString("", ProgramPath(line.substr(tab + 1)))) return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s WORK_DIR\n", argv[0]);
    return 2;
  }
  const std::string work = ProgramPath(argv[1]);
  int count = 0;
  if (!RegisterBhos(std::string(argv[1]) + "/bhos.txt", count)) {
    std::fprintf(stderr, "cannot register the BHOs of %s/bhos.txt\n", argv[1]);
    return 1;
  }
  SystemApi::SetModuleFileNameOverride(work + "\\Tarvolin.exe");
  UserMessage::SetNonInteractive(true);

  const auto start = std::chrono::steady_clock::now();
  {
    CTarvolinApp app({"-Output", work + "\\out"}, work + "\\run.log");
    app.InitInstance();
    app.ExitInstance();
  }
  const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
  std::printf("%d BHOs in %.3f s\n", count, elapsed.count());
  return 0;
}
