// The report upload's cost: COUNT records, each reported with
// Reporter::UploadBHOReport (its report written beside the program, its own
// FTP connection and login, its mark in the INI file) to the FTP server on
// 127.0.0.1:PORT; and, for comparison, the same reports only written.
// Run by tools/bench/upload-bench.sh, which starts the server and times a
// plain FTP client on the same files.
//
//   upload-bench WORK_DIR PORT [COUNT]   WORK_DIR in the program's path form
//   upload-bench --account               prints the upload account's user and password
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "common/base/MyLog.h"
#include "common/base/SystemApi.h"
#include "common/files/GenericFiles.h"
#include "common/net/MakerServers.h"
#include "common/net/MyFtp.h"
#include "common/registry/MemoryRegistryStore.h"
#include "common/registry/MyRegistry.h"
#include "common/registry/RegistryKeys.h"
#include "common/ui/UserMessage.h"
#include "model/Bho.h"
#include "update/Reporter.h"

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

// A record as a loaded DLL gives it: every attribute a file with version
// information has, a checksum of its own.
BHO Record(int n, const std::string& profile) {
  char clsid[64];
  std::snprintf(clsid, sizeof clsid, "{5E9D%04X-0000-4000-8000-%012X}", n, n);
  char md5[40];
  std::snprintf(md5, sizeof md5, "%08x0123456789abcdef%08x", n, n * 7919);
  BHO bho(clsid);
  const std::string dll = "toolbar" + std::to_string(n) + ".dll";
  const char* const values[][2] = {
      {"Enabled?", "Yes"},
      {"ProgID", ""},
      {"DLL Path", ""},
      {"MD5 Checksum", md5},
      {"Status", "Unknown"},
      {"Desc", ""},
      {"URL", ""},
      {"Size (bytes)", "123,456"},
      {"Created Date", "Tuesday, March 05, 2024 10:11:12"},
      {"Modified Date", "Tuesday, March 05, 2024 10:11:12"},
      {"Comments", ""},
      {"File Description", "Search toolbar helper"},
      {"File Version", "1.2.3.4"},
      {"Internal Name", "toolbar"},
      {"Company Name", "Example Software Ltd."},
      {"Legal Copyright", "Copyright (C) 2004 Example Software Ltd."},
      {"Original Filename", "toolbar.dll"},
      {"Product Name", "Example Toolbar"},
      {"Product Version", "1.2.3.4"},
  };
  for (const auto& v : values) bho.m_mapAttrVals.SetAt(v[0], v[1]);
  bho.m_mapAttrVals.SetAt("ProgID", "Example.Toolbar." + std::to_string(n));
  bho.m_mapAttrVals.SetAt("DLL Path", profile + "\\Application Data\\Example\\" + dll);
  return bho;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && std::string(argv[1]) == "--account") {
    std::printf("%s %s\n", Reporter::kUploadUserName, Reporter::kUploadPassword);
    return 0;
  }
  if (argc < 3) {
    std::fprintf(stderr, "usage: %s WORK_DIR PORT [COUNT] | --account\n", argv[0]);
    return 2;
  }
  const std::string work = argv[1];
  const int port = std::atoi(argv[2]);
  const int count = argc > 3 ? std::atoi(argv[3]) : 100;

  Registry::MemoryRegistryStore store;
  Registry::SetCurrentStore(&store);
  {
    MyRegistry program(Registry::kCurrentUser, REGKEY_PROGRAM, true);
    program.SaveValueString(MakerServers::kFtpServerValue, "127.0.0.1");
    program.SaveValueDWord(MakerServers::kFtpPortValue, static_cast<DWord>(port));
  }
  SystemApi::SetModuleFileNameOverride(work + "\\Tarvolin.exe");
  UserMessage::SetNonInteractive(true);
  // As the program logs: every line, flushed.
  MyLog log(work + "\\upload-bench.log", 4);
  log.SetLevel(MyLog::Debug);
  const std::string profile = "C:\\Users\\bench";
  SystemApi::SetEnvironmentVariable("USERPROFILE", profile);

  std::vector<BHO> records;
  for (int n = 0; n < count; ++n) records.push_back(Record(n, profile));

  // The reports alone, as the upload writes them.
  const std::string savedDir = work + "\\saved";
  auto start = Clock::now();
  for (int n = 0; n < count; ++n) {
    records[n].SaveToFile(
        savedDir + "\\report" + std::to_string(n) + ".txt",
        [&profile](const std::string& s) { return Reporter::HideProfileFolder(s, profile); });
  }
  const double written = Seconds(start);

  int failures = 0;
  start = Clock::now();
  for (const BHO& bho : records) {
    bool bUploaded = false;
    if (Failed(Reporter::UploadBHOReport(&bho, nullptr, bUploaded)) || !bUploaded) ++failures;
  }
  const double uploaded = Seconds(start);

  // Where a report's time goes: the written reports again, through MyFtp
  // alone, the connection (session, connect, login), the put and the close
  // timed apart.
  double connect = 0, put = 0, close = 0;
  const MyFtpData account = Reporter::UploadAccount();
  for (int n = 0; n < count; ++n) {
    auto step = Clock::now();
    auto ftp = std::make_unique<MyFtp>();
    if (Failed(ftp->Initialize(account))) ++failures;
    connect += Seconds(step);
    step = Clock::now();
    if (Failed(ftp->UploadFile("", savedDir + "\\report" + std::to_string(n) + ".txt",
                               TransferApi::FTP_TRANSFER_TYPE_ASCII, nullptr)))
      ++failures;
    put += Seconds(step);
    step = Clock::now();
    ftp.reset();
    close += Seconds(step);
  }

  std::printf("UploadBHOReport: %d reports in %.3f s, %.2f ms per report (%d failed)\n", count, uploaded,
              1000.0 * uploaded / count, failures);
  std::printf("  of which writing a report alone: %.2f ms per report\n", 1000.0 * written / count);
  std::printf("  MyFtp alone, per report: connect and log in %.2f ms, put %.2f ms, close %.2f ms\n",
              1000.0 * connect / count, 1000.0 * put / count, 1000.0 * close / count);
  std::fflush(stdout);
  return failures ? 1 : 0;
}
