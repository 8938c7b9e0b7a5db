// The real Tarvolin.exe in the silent output mode, end to end: BHOs
// registered in Wine's own registry on real PE DLLs, the three lists served
// by a real HTTP server, and every report line checked against facts the
// test gathers itself (md5sum, the system's version functions, the file
// system). The run uses the prefix's BHO key and program key, so it runs
// alone: ctest starts it as OutputModeEndToEnd (RUN_SERIAL) with
// TARVOLIN_E2E=1; elsewhere it skips.
#include <windows.h>
#include <gtest/gtest.h>
#include <shlwapi.h>
#include <winternl.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <map>
#include <memory>
#include <regex>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "support/HostProgram.h"
#include "support/LocalServer.h"
#include "support/TestDlls.h"
#include "support/TestSupport.h"
#include "support/win/RegistryKeys.h"

namespace {

using test::RegistryKeys;
using test::SubKeys;

const char* const kBhoKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Browser Helper Objects";
const char* const kAddOnSettings = "Software\\Microsoft\\Windows\\CurrentVersion\\Ext\\Settings";
const char* const kProgramKey = "Software\\Kestrove\\Tarvolin 2.0";
const char* const kNotationPrompt =
    "Enter your notation about this BHO here.  Especially, in your opinion, is this 'malware' or 'benign'?";

// The attributes in the order a report lists them.
const char* const kReportOrder[] = {"Legal Copyright",
                                    "Desc",
                                    "ReportsCount",
                                    "Clsid",
                                    "DLL Path",
                                    "Last Load Time",
                                    "Blocked Load Attempts",
                                    "Modified Date",
                                    "Created Date",
                                    "ProgID",
                                    "Load Attempts",
                                    "Product Name",
                                    "Product Version",
                                    "Original Filename",
                                    "File Description",
                                    "Company Name",
                                    "URL",
                                    "Enabled?",
                                    "Internal Name",
                                    "Size (bytes)",
                                    "EnabledCount",
                                    "MD5 Checksum",
                                    "File Version",
                                    "Comments",
                                    "Status"};

// Attribute name and version-resource name of the nine version strings.
const std::pair<const char*, const char*> kVersionStrings[] = {{"Comments", "Comments"},
                                                               {"File Description", "FileDescription"},
                                                               {"File Version", "FileVersion"},
                                                               {"Internal Name", "InternalName"},
                                                               {"Company Name", "CompanyName"},
                                                               {"Legal Copyright", "LegalCopyright"},
                                                               {"Original Filename", "OriginalFilename"},
                                                               {"Product Name", "ProductName"},
                                                               {"Product Version", "ProductVersion"}};

// --- the test's own view of the facts ---

std::string WithCommas(unsigned long long n) {
  std::string digits = std::to_string(n);
  for (int i = static_cast<int>(digits.size()) - 3; i > 0; i -= 3) digits.insert(static_cast<size_t>(i), ",");
  return digits;
}

std::time_t ToTimeT(const FILETIME& ft) {
  const unsigned long long ticks =
      (static_cast<unsigned long long>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
  return static_cast<std::time_t>((ticks - 116444736000000000ULL) / 10000000ULL);
}

std::string LongDate(std::time_t t) {
  char text[128] = {};
  const std::tm* local = std::localtime(&t);
  return local && std::strftime(text, sizeof text, "%#c", local) ? text : "";
}

// The nine strings in the first language of the translation table; none
// when the file has no version resource or no table.
std::map<std::string, std::string> VersionStrings(const std::string& path) {
  std::map<std::string, std::string> strings;
  DWORD handle = 0;
  const DWORD size = ::GetFileVersionInfoSizeA(path.c_str(), &handle);
  if (size == 0) return strings;
  std::vector<char> data(size);
  if (!::GetFileVersionInfoA(path.c_str(), 0, size, data.data())) return strings;
  void* table = nullptr;
  UINT length = 0;
  if (!::VerQueryValueA(data.data(), "\\VarFileInfo\\Translation", &table, &length) || length < 4)
    return strings;
  const WORD* words = static_cast<const WORD*>(table);
  char block[32];
  std::snprintf(block, sizeof block, "\\StringFileInfo\\%04x%04x\\", words[0], words[1]);
  for (const auto& [attribute, name] : kVersionStrings) {
    void* value = nullptr;
    UINT chars = 0;
    const std::string query = block + std::string(name);
    strings[attribute] = ::VerQueryValueA(data.data(), query.c_str(), &value, &chars) && value && chars
                             ? std::string(static_cast<const char*>(value))
                             : std::string();
  }
  return strings;
}

// The digest as the host's md5sum gives it.
std::string HostMd5(const std::string& path, const test::TempDir& work) {
  const std::string out = work.File("md5.txt");
  const int code = test::RunHostProgram(
      {"/bin/sh", "-c", "md5sum < \"$1\" > \"$2\"", "sh", test::HostPath(path), test::HostPath(out)},
      work.Path());
  EXPECT_EQ(0, code) << "md5sum failed for " << path;
  return test::ReadFile(out).substr(0, 32);
}

// The report name of a key name: characters that would leave the folder or
// name a stream become underscores.
std::string SafeName(std::string name) {
  for (char& c : name) {
    if (static_cast<unsigned char>(c) < 0x20 || std::string("/\\:*?\"<>|").find(c) != std::string::npos)
      c = '_';
  }
  return name;
}

bool MakeDirectory(const std::string& path) {
  std::error_code error;
  std::filesystem::create_directories(path, error);
  return !error;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find("\r\n", start);
    if (end == std::string::npos) end = text.size();
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

// --- one run of the program ---

struct ProgramRun {
  DWORD exitCode = 0;
  DWORD pid = 0;
  std::string errors;  // what the program wrote to standard error
};

class OutputModeE2E : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* flag = std::getenv("TARVOLIN_E2E");
    if (!flag || std::string(flag) != "1")
      GTEST_SKIP() << "runs alone, as the ctest test OutputModeEndToEnd (it uses the prefix's real registry)";
    char self[MAX_PATH] = {};
    ASSERT_NE(0u, ::GetModuleFileNameA(nullptr, self, MAX_PATH));
    std::string built = self;
    built.erase(built.find_last_of('\\'));                  // ...\tests
    built = built.substr(0, built.find_last_of('\\') + 1);  // the build tree
    built += "Tarvolin.exe";
    ASSERT_TRUE(::PathFileExistsA(built.c_str())) << built << " is not built";
    ASSERT_TRUE(MakeDirectory(AppDir()));
    ASSERT_TRUE(::CopyFileA(built.c_str(), Exe().c_str(), FALSE));
    char computer[MAX_COMPUTERNAME_LENGTH + 2] = {};
    DWORD length = sizeof computer;
    ASSERT_TRUE(::GetComputerNameA(computer, &length));
    m_sLogPath = AppDir() + "\\_Tarvolin_" + std::string(computer, length) + ".log";
    // The program makes both keys when they are missing.
    m_keys.DeleteAtEnd(HKEY_LOCAL_MACHINE, kBhoKey);
    m_keys.DeleteAtEnd(HKEY_CURRENT_USER, kProgramKey);
  }

  std::string AppDir() const { return m_root.File("Program Files\\Tarvolin"); }
  std::string Exe() const { return AppDir() + "\\Tarvolin.exe"; }

  // Runs the copy of Tarvolin.exe with `args` (a command line tail) and
  // `environment` added to this process's; waits at most two minutes.
  ProgramRun RunProgram(const std::string& args,
                        const std::vector<std::pair<std::string, std::string>>& environment = {}) {
    ProgramRun run;
    for (const auto& [name, value] : environment) ::SetEnvironmentVariableA(name.c_str(), value.c_str());
    const std::string errorsPath = m_root.File("stderr.txt");
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    HANDLE errors = ::CreateFileA(errorsPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
    HANDLE input = ::CreateFileA("NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                                 OPEN_EXISTING, 0, nullptr);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = input;
    startup.hStdOutput = errors;
    startup.hStdError = errors;
    PROCESS_INFORMATION info = {};
    std::string commandLine = "\"" + Exe() + "\" " + args;
    const bool bStarted = ::CreateProcessA(Exe().c_str(), &commandLine[0], nullptr, nullptr, TRUE, 0, nullptr,
                                           AppDir().c_str(), &startup, &info);
    ::CloseHandle(errors);
    ::CloseHandle(input);
    for (const auto& entry : environment) ::SetEnvironmentVariableA(entry.first.c_str(), nullptr);
    EXPECT_TRUE(bStarted) << commandLine;
    if (!bStarted) return run;
    run.pid = info.dwProcessId;
    EXPECT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(info.hProcess, 120000)) << "Tarvolin.exe did not end";
    ::GetExitCodeProcess(info.hProcess, &run.exitCode);
    ::CloseHandle(info.hThread);
    ::CloseHandle(info.hProcess);
    run.errors = test::ReadFile(errorsPath);
    return run;
  }

  std::string MakeZip(const std::string& entryName, const std::string& text) {
    test::WriteFile(m_work.File(entryName), text);
    const std::string archive = entryName + ".zip";
    EXPECT_EQ(0, test::RunHostProgram({"/usr/bin/zip", "-q", "-X", archive, entryName}, m_work.Path()));
    return test::ReadFile(m_work.File(archive));
  }

  // Lists on disk: nothing is fetched.
  void WriteEmptyLists() {
    test::WriteFile(AppDir() + "\\Tarvolin20List.ini", "[General]\r\n");
    test::WriteFile(AppDir() + "\\bholist.txt", "\r\n");
    test::WriteFile(AppDir() + "\\bhotb-all.html", "\r\n");
  }

  // Two BHOs of its own beside whatever the prefix holds; returns how many
  // BHO keys there are now.
  size_t RegisterTwoBhos() {
    for (const char* clsid :
         {"{E2E000F1-0000-4000-8000-0000000000F1}", "{E2E000F2-0000-4000-8000-0000000000F2}"})
      m_keys.Create(HKEY_LOCAL_MACHINE, std::string(kBhoKey) + "\\" + clsid);
    return SubKeys(HKEY_LOCAL_MACHINE, kBhoKey).size();
  }

  // What a script sees of a failed run: the exit code, the last line on
  // standard error, and the log ending with the failure and the exit routine.
  void ExpectOutcome(const ProgramRun& run, DWORD exitCode, const std::string& summary, bool bSucceeded) {
    EXPECT_EQ(exitCode, run.exitCode);
    std::string errors = run.errors;
    while (!errors.empty() && (errors.back() == '\n' || errors.back() == '\r')) errors.pop_back();
    EXPECT_EQ(summary, errors.substr(errors.rfind('\n') == std::string::npos ? 0 : errors.rfind('\n') + 1))
        << run.errors;
    const std::vector<std::string> lines = Lines(test::ReadFile(m_sLogPath));
    ASSERT_GE(lines.size(), 2u);
    EXPECT_NE(std::string::npos,
              lines.back().find("In MyApp::ExitInstance(), calling CWinApp::ExitInstance()."));
    const std::string& last = lines[lines.size() - 2];
    const std::string want = bSucceeded ? " @A " : " @E ";
    EXPECT_NE(std::string::npos, last.find(want)) << last;
    const std::string text =
        bSucceeded ? "Command line succeeded - exiting silently." : "Command line failed - exiting!";
    EXPECT_EQ(text, last.substr(last.size() >= text.size() ? last.size() - text.size() : 0)) << last;
  }

  // The failure line that names a report and the system's reason.
  std::string FailureLine(const std::string& report, DWORD error) {
    char text[512] = {};
    const DWORD n =
        ::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error,
                         MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), text, sizeof text, nullptr);
    std::string reason(text, n >= 2 ? n - 2 : 0);
    return "The report file <" + report + "> could not be written: error <" + std::to_string(error) + ">: <" +
           reason + ">.";
  }

  // A run into `outDir` in which no report can be written: exit code 2, no
  // report written, every BHO failed, and `report` named with the system's
  // reason `error`.
  void ExpectEveryReportFails(const std::string& outDir, size_t nBhos, const std::string& clsid,
                              DWORD error) {
    const ProgramRun run = RunProgram("-Output \"" + outDir + "\"");
    ExpectOutcome(run, 2,
                  "Tarvolin: 0 reports written to " + outDir + "\\, " + std::to_string(nBhos) + " failed.",
                  false);
    const std::string line = FailureLine(outDir + "\\" + clsid + "_TarvolinInfo.txt", error);
    EXPECT_NE(std::string::npos, test::ReadFile(m_sLogPath).find(line)) << line;
  }

  test::TempDir m_root;
  test::TempDir m_work;
  std::string m_sLogPath;
  RegistryKeys m_keys;
};

// One registered BHO and what the lists say about it.
struct Case {
  std::string clsid;
  std::string registeredPath;  // as stored in InProcServer32 ("" = no class registration)
  DWORD type;                  // REG_SZ or REG_EXPAND_SZ
  std::string progId;
  bool bAddOnSettings;  // disabled the add-on manager's way
  std::string enabled;
  std::string filePath;  // the file the program must find ("" = none)
};

TEST_F(OutputModeE2E, ReportsEveryRegisteredBhoWithFactsFromTheFileAndTheDownloadedLists) {
  // Real PE DLLs: copies of Wine's own and the test DLLs, under names with blanks.
  char windows[MAX_PATH] = {};
  ASSERT_NE(0u, ::GetSystemDirectoryA(windows, MAX_PATH));
  const std::string system32 = windows;
  const std::string dlls = m_root.File("Acme Helpers");
  ASSERT_TRUE(MakeDirectory(dlls));
  ASSERT_NE(nullptr, test::kDllDir);
  const struct {
    std::string from, to;
  } copies[] = {{system32 + "\\urlmon.dll", dlls + "\\Acme Toolbar.dll"},
                {test::TestDll("english.dll"), dlls + "\\english helper.dll"},
                {system32 + "\\msxml3.dll", dlls + "\\search assistant.dll"},
                {test::TestDll("bilingual32.dll"), dlls + "\\bilingual.dll"},
                {test::TestDll("plain.dll"), dlls + "\\plain.dll"}};
  for (const auto& copy : copies)
    ASSERT_TRUE(::CopyFileA(copy.from.c_str(), copy.to.c_str(), FALSE)) << copy.from;
  char expanded[MAX_PATH] = {};
  ASSERT_NE(0u, ::ExpandEnvironmentStringsA("%SystemRoot%\\system32\\shdocvw.dll", expanded, MAX_PATH));

  const std::vector<Case> cases = {
      {"{E2E00001-0000-4000-8000-000000000001}", dlls + "\\Acme Toolbar.dll", REG_SZ, "Acme.Toolbar.1", false,
       "Yes", dlls + "\\Acme Toolbar.dll"},
      {"{E2E00002-0000-4000-8000-000000000002}", dlls + "\\english helper.dll__TarvolinDisabled_ABC", REG_SZ,
       "English.Helper.1", false, "No", dlls + "\\english helper.dll"},
      {"{E2E00003-0000-4000-8000-000000000003}", dlls + "\\search assistant.dll", REG_SZ, "", true, "No",
       dlls + "\\search assistant.dll"},
      {"{E2E00004-0000-4000-8000-000000000004}", "C:\\Program Files\\Gone Away\\gone.dll", REG_SZ,
       "Gone.Away.1", false, "No - file is missing", ""},
      {"{E2E00005-0000-4000-8000-000000000005}", "%SystemRoot%\\system32\\shdocvw.dll", REG_EXPAND_SZ, "",
       false, "Yes", expanded},
      {"{E2E0/../evil:stream}", dlls + "\\bilingual.dll", REG_SZ, "", false, "Yes", dlls + "\\bilingual.dll"},
      {"{E2E00007-0000-4000-8000-000000000007}", dlls + "\\plain.dll", REG_SZ, "", false, "Yes",
       dlls + "\\plain.dll"},
  };

  // The facts, gathered without the program's code.
  std::map<std::string, std::string> md5;
  for (const Case& c : cases) {
    if (!c.filePath.empty()) md5[c.clsid] = HostMd5(c.filePath, m_work);
  }
  const auto key = [](const std::string& clsid) { return clsid.substr(1, clsid.size() - 2); };

  // The lists: the maker's knows files by checksum, the community lists by CLSID.
  const std::string makerList =
      "[General]\r\nTimestamp=2006-05-01\r\n"
      "[" +
      md5[cases[0].clsid] +
      "]\r\nStatus=Benign\r\nDesc=Acme's toolbar\r\nURL=http://maker.example/acme\r\n"
      "ReportsCount=1,234\r\nEnabledCount=1,000\r\n"
      "[" +
      md5[cases[5].clsid] + "]\r\nStatus=Unknown\r\nDesc=Heard of, not judged\r\n";
  const std::string textList =
      "X " + cases[0].clsid + " Acme: not asked, http://text.example/acme\r\n" + "L " + cases[1].clsid +
      " English: A harmless helper, http://text.example/english\r\n" + "X " + cases[2].clsid +
      " Search: Hijacks searches <a href=\"http://text.example/" + "search\">more</a>\r\n";
  const std::string htmlList =
      "<html><body><table>\r\n<TR><TD>" + key(cases[1].clsid) +
      "</TD><TD>X</TD><TD>-</TD><TD>not asked</TD></TR>\r\n" + "<TR><TD>" + key(cases[3].clsid) +
      "</TD>\r\n<TD>l</TD><TD>-</TD>\r\n<TD><a href=\"http://html.example/gone\">" +
      "Gone, but benign</a></TD></TR>\r\n" + "<TR><TD>" + key(cases[6].clsid) +
      "</TD><TD>O</TD><TD>-</TD><TD>Under review</TD></TR>\r\n</table></body></html>\r\n";
  const struct {
    std::string status, desc, url, reports, enabledCount;
  } statuses[] = {
      {"Benign", "Acme's toolbar", "http://maker.example/acme", "1,234", "1,000"},
      {"Benign", "A harmless helper", "http://text.example/english", "", ""},
      {"Malware", "Hijacks searches", "http://text.example/search", "", ""},
      {"Benign", "Gone, but benign", "http://html.example/gone", "", ""},
      {"Unknown", "", "", "", ""},
      {"Unknown", "Heard of, not judged", "", "", ""},
      {"Investigating", "Under review", "", "", ""},
  };

  test::TempDir served;
  ASSERT_TRUE(MakeDirectory(served.File("files")));
  ASSERT_TRUE(MakeDirectory(served.File("site")));
  const std::string makerZip = MakeZip("Tarvolin20List.ini", makerList);
  const std::string textZip = MakeZip("bholist.txt", textList);
  test::WriteFile(served.File("files\\Tarvolin20List.zip"), makerZip);
  test::WriteFile(served.File("files\\Tarvolin20List.zip.size"), std::to_string(makerZip.size()) + "\r\n");
  test::WriteFile(served.File("files\\bholist.zip"), textZip);
  test::WriteFile(served.File("files\\bholist.zip.size"), std::to_string(textZip.size()) + "\r\n");
  test::WriteFile(served.File("site\\bhotb-all.html"), htmlList);
  const auto server = test::LocalServer::StartHttp(served.Path());
  ASSERT_TRUE(server) << "could not start the HTTP server";

  // The registry, as installers and the add-on manager leave it.
  const std::vector<std::string> before = SubKeys(HKEY_LOCAL_MACHINE, kBhoKey);
  m_keys.Set(HKEY_CURRENT_USER, kProgramKey, "WebServerURL", REG_SZ, server->Url(""));
  m_keys.Set(HKEY_CURRENT_USER, kProgramKey, "HtmlListSiteURL", REG_SZ, server->Url("site/"));
  for (const Case& c : cases) {
    m_keys.Create(HKEY_LOCAL_MACHINE, std::string(kBhoKey) + "\\" + c.clsid);
    m_keys.Set(HKEY_CLASSES_ROOT, "CLSID\\" + c.clsid, nullptr, REG_SZ, "E2E test object");
    m_keys.Set(HKEY_CLASSES_ROOT, "CLSID\\" + c.clsid + "\\InProcServer32", nullptr, c.type,
               c.registeredPath);
    if (!c.progId.empty())
      m_keys.Set(HKEY_CLASSES_ROOT, "CLSID\\" + c.clsid + "\\ProgID", nullptr, REG_SZ, c.progId);
    if (c.bAddOnSettings)
      m_keys.SetDWord(HKEY_CURRENT_USER, std::string(kAddOnSettings) + "\\" + c.clsid, "Flags", 0);
  }
  if (HasFatalFailure()) return;

  // Notes beside the program: one real, one that is only the prompt.
  test::WriteFile(AppDir() + "\\Tarvolin.ini",
                  "[" + md5[cases[0].clsid] + "]\r\nNotation=  Looks fine to me.  \r\n[" +
                      md5[cases[1].clsid] + "]\r\nNotation=" + kNotationPrompt + "\r\n");

  // The directory comes through a variable between asterisks, with a
  // trailing back-slash, and does not exist yet.
  const std::string outDir = m_root.File("Reports\\E2E");
  const std::time_t started = std::time(nullptr);
  const ProgramRun run =
      RunProgram("-Output *TARVOLIN_E2E_OUT*\\E2E\\", {{"TARVOLIN_E2E_OUT", m_root.File("Reports")}});
  const std::time_t ended = std::time(nullptr);
  EXPECT_EQ(0u, run.exitCode);
  ExpectOutcome(run, 0,
                "Tarvolin: " + std::to_string(SubKeys(HKEY_LOCAL_MACHINE, kBhoKey).size()) +
                    " reports written to " + outDir + "\\, 0 failed.",
                true);

  // The lists arrived beside the executable, each zip with its list.
  EXPECT_EQ(makerList, test::ReadFile(AppDir() + "\\Tarvolin20List.ini"));
  EXPECT_EQ(textList, test::ReadFile(AppDir() + "\\bholist.txt"));
  EXPECT_EQ(htmlList, test::ReadFile(AppDir() + "\\bhotb-all.html"));
  EXPECT_TRUE(test::ReadFile(AppDir() + "\\Tarvolin20List.zip") == makerZip);
  EXPECT_TRUE(test::ReadFile(AppDir() + "\\bholist.zip") == textZip);
  for (const char* wait : {"Kestrove BHO List not found... downloading... please wait...",
                           "SysInfo.org BHO List not found... downloading... please wait...",
                           "CastleCops BHO List not found... downloading... please wait...", "Unzipping..."})
    EXPECT_NE(std::string::npos, run.errors.find(wait)) << wait << " not in:\n" << run.errors;
  EXPECT_EQ(std::string::npos, run.errors.find("could not download")) << run.errors;

  // One report per BHO key, named after the key made safe.
  std::set<std::string> expectedFiles;
  for (const Case& c : cases) expectedFiles.insert(SafeName(c.clsid) + "_TarvolinInfo.txt");
  for (const std::string& other : before) expectedFiles.insert(SafeName(other) + "_TarvolinInfo.txt");
  std::set<std::string> files;
  WIN32_FIND_DATAA found = {};
  HANDLE find = ::FindFirstFileA((outDir + "\\*").c_str(), &found);
  ASSERT_NE(INVALID_HANDLE_VALUE, find) << "no report directory " << outDir;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) files.insert(found.cFileName);
  } while (::FindNextFileA(find, &found));
  ::FindClose(find);
  EXPECT_EQ(expectedFiles, files);

  for (size_t i = 0; i < cases.size(); ++i) {
    const Case& c = cases[i];
    SCOPED_TRACE(c.clsid);
    // Every attribute the record must hold, empty ones included.
    std::map<std::string, std::string> attrs = {{"Clsid", c.clsid},
                                                {"Enabled?", c.enabled},
                                                {"Status", statuses[i].status},
                                                {"Desc", statuses[i].desc},
                                                {"URL", statuses[i].url}};
    if (!c.progId.empty()) attrs["ProgID"] = c.progId;
    std::string dllPath = c.registeredPath;
    if (c.type == REG_EXPAND_SZ) dllPath = expanded;
    dllPath = dllPath.substr(0, dllPath.find("__TarvolinDisabled"));
    char longPath[MAX_PATH] = {};
    if (::GetLongPathNameA(dllPath.c_str(), longPath, MAX_PATH)) dllPath = longPath;
    attrs["DLL Path"] = dllPath;
    if (!c.filePath.empty()) {
      attrs["MD5 Checksum"] = md5[c.clsid];
      attrs["ReportsCount"] = statuses[i].reports;
      attrs["EnabledCount"] = statuses[i].enabledCount;
      WIN32_FILE_ATTRIBUTE_DATA data = {};
      ASSERT_TRUE(::GetFileAttributesExA(c.filePath.c_str(), GetFileExInfoStandard, &data));
      attrs["Size (bytes)"] =
          WithCommas((static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow);
      attrs["Created Date"] = LongDate(ToTimeT(data.ftCreationTime));
      attrs["Modified Date"] = LongDate(ToTimeT(data.ftLastWriteTime));
      for (const auto& [name, value] : VersionStrings(c.filePath)) attrs[name] = value;
    }
    size_t width = 0;
    for (const auto& entry : attrs) width = std::max(width, entry.first.size());

    const std::string reportPath = outDir + "\\" + SafeName(c.clsid) + "_TarvolinInfo.txt";
    std::string expected = "\r\nTarvolin 2.0.0.23 Report File:\r\n   " + reportPath + "\r\n\r\n";
    for (const char* name : kReportOrder) {
      const auto it = attrs.find(name);
      if (it != attrs.end() && !it->second.empty())
        expected += std::string(width - it->first.size(), ' ') + it->first + ": " + it->second + "\r\n";
    }
    if (i == 0) expected += std::string(width - 8, ' ') + "Notation: Looks fine to me.\r\n";

    const std::string report = test::ReadFile(reportPath);
    const std::vector<std::string> want = Lines(expected);
    const std::vector<std::string> got = Lines(report);
    for (size_t n = 0; n < std::max(want.size(), got.size()); ++n) {
      EXPECT_EQ(n < want.size() ? want[n] : "<none>", n < got.size() ? got[n] : "<none>") << "line " << n + 1;
    }
    EXPECT_TRUE(report == expected) << "bytes differ (line ends?)";
  }
  // Sanity of the oracle itself: the widths differ between the records.
  EXPECT_NE(std::string::npos, test::ReadFile(outDir + "\\" + cases[3].clsid + "_TarvolinInfo.txt")
                                   .find("\r\n   Clsid: " + cases[3].clsid + "\r\n"));

  // The log beside the executable: one header per message, this process's
  // id, local time of the run, CR LF line ends, and the start-up lines.
  const std::string log = test::ReadFile(m_sLogPath);
  ASSERT_FALSE(log.empty()) << "no log at " << m_sLogPath;
  EXPECT_EQ("\r\n", log.substr(log.size() - 2));
  EXPECT_EQ(std::string::npos, std::regex_replace(log, std::regex("\r\n"), "").find('\n'))
      << "bare line feed";
  static const std::regex header(
      R"(^(\d{4})/(\d\d)/(\d\d) (\d\d):(\d\d):(\d\d)\.\d{3} (\d+) @([DTWEAN]) ([^\\/ (]+\.(cpp|h))\(([ \d]{4})\): (.*)$)");
  std::vector<std::pair<char, std::string>> messages;  // level letter, message lines
  for (const std::string& line : Lines(log)) {
    std::smatch m;
    if (std::regex_match(line, m, header)) {
      EXPECT_EQ(std::to_string(run.pid), m[7].str()) << line;
      std::tm when = {};
      when.tm_year = std::stoi(m[1]) - 1900;
      when.tm_mon = std::stoi(m[2]) - 1;
      when.tm_mday = std::stoi(m[3]);
      when.tm_hour = std::stoi(m[4]);
      when.tm_min = std::stoi(m[5]);
      when.tm_sec = std::stoi(m[6]);
      when.tm_isdst = -1;
      const std::time_t t = std::mktime(&when);
      EXPECT_TRUE(t >= started - 1 && t <= ended + 1) << line;
      EXPECT_TRUE(std::regex_match(m[11].str(), std::regex(" *\\d+"))) << "line number field: " << line;
      messages.emplace_back(m[8].str()[0], m[12].str());
    } else {
      ASSERT_FALSE(messages.empty()) << "text before the first header: " << line;
      messages.back().second += "\n" + line;
    }
  }
  const std::string bhoKeyText = kBhoKey;
  std::vector<std::pair<char, std::string>> startUp = {
      {'A', "-----------------------------------------------\nLog <" + m_sLogPath +
                "> level set to <0> (<Debug>)."},
      {'D', ">>> CTarvolinApp::InitInstance"},
      {'A', "Running version <2.0.0.23>."},
      {'A', "Making sure the <" + bhoKeyText + "> key exists on HKEY_LOCAL_MACHINE."},
      {'A', "Testing to see if we can open the <" + bhoKeyText + "> key on HKEY_LOCAL_MACHINE."},
      {'A', "Got command line flag <Output>."},
      {'A', "Got command line Output param <*TARVOLIN_E2E_OUT*\\E2E\\>."},
      {'A', "Expanded command line Output param to <" + outDir + "\\>."},
      {'D', ">>> CTarvolinApp::HandleOutputFlag"},
  };
  for (const std::string& clsid : SubKeys(HKEY_LOCAL_MACHINE, kBhoKey))
    startUp.push_back({'A', "Instantiating BHO <" + clsid + ">."});
  startUp.push_back({'A', "Command line succeeded - exiting silently."});
  startUp.push_back({'A', "In MyApp::ExitInstance(), calling CWinApp::ExitInstance()."});
  size_t next = 0;
  for (const auto& message : messages) {
    if (next < startUp.size() && message == startUp[next]) ++next;
  }
  EXPECT_EQ(startUp.size(), next) << "missing or out of order: ["
                                  << startUp[std::min(next, startUp.size() - 1)].first << "] "
                                  << startUp[std::min(next, startUp.size() - 1)].second;
  for (const auto& message : messages)
    EXPECT_EQ(std::string::npos, message.second.find("could not download")) << message.second;
}

TEST_F(OutputModeE2E, StoredFactoryResetRemovesTheWholeProgramKeyAtTheNextStart) {
  m_keys.SetDWord(HKEY_CURRENT_USER, kProgramKey, "RestoreToFactoryDefaults", 1);
  m_keys.SetDWord(HKEY_CURRENT_USER, kProgramKey, "TooltipsEnabled", 0);
  m_keys.Set(HKEY_CURRENT_USER, kProgramKey, "WebServerURL", REG_SZ, "http://127.0.0.1:1/");
  m_keys.SetDWord(HKEY_CURRENT_USER, std::string(kProgramKey) + "\\Placements\\CAboutDlg",
                  "LastScreenWidthPixels", 1024);
  if (HasFatalFailure()) return;
  // Lists on disk: nothing is fetched.
  test::WriteFile(AppDir() + "\\Tarvolin20List.ini", "[General]\r\n");
  test::WriteFile(AppDir() + "\\bholist.txt", "\r\n");
  test::WriteFile(AppDir() + "\\bhotb-all.html", "\r\n");

  const ProgramRun run = RunProgram("-Output \"" + m_root.File("Reset Reports") + "\"");
  EXPECT_EQ(0u, run.exitCode);

  HKEY program = nullptr;
  if (::RegOpenKeyExA(HKEY_CURRENT_USER, kProgramKey, 0, KEY_READ, &program) == ERROR_SUCCESS) {
    DWORD subKeys = 99, values = 99;
    EXPECT_EQ(ERROR_SUCCESS, ::RegQueryInfoKeyA(program, nullptr, nullptr, nullptr, &subKeys, nullptr,
                                                nullptr, &values, nullptr, nullptr, nullptr, nullptr));
    ::RegCloseKey(program);
    EXPECT_EQ(0u, subKeys);
    EXPECT_EQ(0u, values);
  }
  EXPECT_FALSE(RegistryKeys::Exists(HKEY_CURRENT_USER, std::string(kProgramKey) + "\\Placements"));
  EXPECT_EQ(std::string::npos, run.errors.find("downloading")) << run.errors;
  const std::string log = test::ReadFile(m_sLogPath);
  EXPECT_NE(std::string::npos, log.find("Command line succeeded - exiting silently.\r\n"));
}

// --- runs that fail: each must say so in its exit code, on standard error
// and in the last line of its log ---

TEST_F(OutputModeE2E, AFileInPlaceOfTheOutputDirectoryFailsEveryReport) {
  WriteEmptyLists();
  const size_t nBhos = RegisterTwoBhos();
  if (HasFatalFailure()) return;
  const std::string outDir = m_root.File("Reports");
  test::WriteFile(outDir, "a file, not a directory");

  ExpectEveryReportFails(outDir, nBhos, "{E2E000F1-0000-4000-8000-0000000000F1}", 183);
  EXPECT_EQ("a file, not a directory", test::ReadFile(outDir));
}

// Wine honours what the host refuses: a directory the host does not let
// this user write into. A DOS read-only attribute would not do (Windows
// ignores it on directories), and root may write anywhere the Unix mode
// forbids, so as root the directory is made immutable instead.
class UnwritableHostDirectory {
 public:
  UnwritableHostDirectory(const std::string& dir, const test::TempDir& work) : m_sDir(dir), m_work(work) {
    m_sHost = test::HostPath(dir);
    test::RunHostProgram({"/bin/chmod", "0555", m_sHost}, m_work.Path());
    if (Writable() && test::HostFileExists("/usr/bin/chattr")) {
      m_bImmutable = test::RunHostProgram({"/usr/bin/chattr", "+i", m_sHost}, m_work.Path()) == 0;
    }
  }
  ~UnwritableHostDirectory() {
    if (m_bImmutable) test::RunHostProgram({"/usr/bin/chattr", "-i", m_sHost}, m_work.Path());
    test::RunHostProgram({"/bin/chmod", "0755", m_sHost}, m_work.Path());
  }
  UnwritableHostDirectory(const UnwritableHostDirectory&) = delete;
  UnwritableHostDirectory& operator=(const UnwritableHostDirectory&) = delete;

  // Whether a file can still be made in it (then the case cannot be tried).
  bool Writable() const {
    const std::string probe = m_sDir + "\\probe.txt";
    HANDLE file = ::CreateFileA(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    ::CloseHandle(file);
    ::DeleteFileA(probe.c_str());
    return true;
  }

 private:
  std::string m_sDir;
  std::string m_sHost;
  const test::TempDir& m_work;
  bool m_bImmutable = false;
};

TEST_F(OutputModeE2E, AReadOnlyOutputDirectoryFailsEveryReport) {
  WriteEmptyLists();
  const size_t nBhos = RegisterTwoBhos();
  if (HasFatalFailure()) return;
  const std::string outDir = m_root.File("Read Only");
  ASSERT_TRUE(MakeDirectory(outDir));
  const UnwritableHostDirectory readOnly(outDir, m_work);
  if (readOnly.Writable())
    GTEST_SKIP() << "neither the Unix mode nor the immutable attribute (chattr +i, which needs "
                    "CAP_LINUX_IMMUTABLE) stops this user writing into "
                 << test::HostPath(outDir);

  ExpectEveryReportFails(outDir, nBhos, "{E2E000F2-0000-4000-8000-0000000000F2}", 5);
}

TEST_F(OutputModeE2E, APathTooLongForTheSystemFailsAndLeavesNoDirectoryBehind) {
  WriteEmptyLists();
  const size_t nBhos = RegisterTwoBhos();
  if (HasFatalFailure()) return;
  // 300 characters in levels of ten: the first levels fit, a later one does not.
  std::string outDir = m_root.File("Too Long");
  while (outDir.size() < 300) outDir += "\\abcdefghi";
  outDir.resize(300);
  // The cut may fall on a separator, depending on where the test runs.
  if (outDir.back() == '\\') outDir.back() = 'x';

  ExpectEveryReportFails(outDir, nBhos, "{E2E000F1-0000-4000-8000-0000000000F1}", 206);
  // Every level the program made on its way down went again.
  EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(m_root.File("Too Long").c_str()));
}

// A BHO key whose name begins with a NUL character, made through the native
// registry call (the Win32 calls cannot name it). Wine keeps it, sorts it
// before every other key, and the ANSI enumeration hands it out as an empty
// name, whose record cannot load. Deleted again through its handle.
class HiddenBhoKey {
 public:
  HiddenBhoKey() {
    using NtCreateKeyFn =
        LONG(NTAPI*)(PHANDLE, ACCESS_MASK, POBJECT_ATTRIBUTES, ULONG, PUNICODE_STRING, ULONG, PULONG);
    const auto create = reinterpret_cast<NtCreateKeyFn>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("ntdll"), "NtCreateKey")));
    HKEY parent = nullptr;
    if (!create || ::RegOpenKeyExA(HKEY_LOCAL_MACHINE, kBhoKey, 0, KEY_ALL_ACCESS, &parent) != ERROR_SUCCESS)
      return;
    static WCHAR name[] = L"\0{E2E000F0-hidden}";
    UNICODE_STRING text;
    text.Buffer = name;
    text.Length = static_cast<USHORT>(sizeof name - sizeof(WCHAR));
    text.MaximumLength = sizeof name;
    OBJECT_ATTRIBUTES attributes;
    InitializeObjectAttributes(&attributes, &text, 0, parent, nullptr);
    if (create(&m_hKey, KEY_ALL_ACCESS, &attributes, 0, nullptr, 0, nullptr) != 0) m_hKey = nullptr;
    ::RegCloseKey(parent);
  }
  ~HiddenBhoKey() {
    if (!m_hKey) return;
    using NtDeleteKeyFn = LONG(NTAPI*)(HANDLE);
    const auto remove = reinterpret_cast<NtDeleteKeyFn>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("ntdll"), "NtDeleteKey")));
    if (remove) remove(m_hKey);
    ::RegCloseKey(static_cast<HKEY>(m_hKey));
  }
  HiddenBhoKey(const HiddenBhoKey&) = delete;
  HiddenBhoKey& operator=(const HiddenBhoKey&) = delete;
  bool Made() const { return m_hKey != nullptr; }

 private:
  HANDLE m_hKey = nullptr;
};

TEST_F(OutputModeE2E, ABhoThatFailsToLoadAndSortsFirstHidesNoOtherBho) {
  WriteEmptyLists();
  RegisterTwoBhos();
  if (HasFatalFailure()) return;
  const HiddenBhoKey hidden;
  ASSERT_TRUE(hidden.Made());
  const std::vector<std::string> keys = SubKeys(HKEY_LOCAL_MACHINE, kBhoKey);
  ASSERT_FALSE(keys.empty());
  ASSERT_EQ('\0', keys.front()[0]) << "the hidden key does not sort first";

  const std::string outDir = m_root.File("Reports");
  const ProgramRun run = RunProgram("-Output \"" + outDir + "\"");
  ExpectOutcome(run, 2,
                "Tarvolin: " + std::to_string(keys.size() - 1) + " report" + (keys.size() == 2 ? "" : "s") +
                    " written to " + outDir + "\\, 1 failed.",
                false);
  // The failed record still has its file; every BHO after it has its own.
  EXPECT_NE(std::string::npos, test::ReadFile(outDir + "\\_TarvolinInfo.txt").find("Enabled?: "));
  for (size_t i = 1; i < keys.size(); ++i) {
    const std::string report = test::ReadFile(outDir + "\\" + SafeName(keys[i]) + "_TarvolinInfo.txt");
    EXPECT_NE(std::string::npos, report.find("Clsid: " + keys[i] + "\r\n")) << keys[i];
  }
  EXPECT_NE(std::string::npos,
            test::ReadFile(m_sLogPath).find("<pBHO->LoadBHOAttrs()> failed with error <80004005>"));
}

}  // namespace
