#include "support/TestSupport.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <regex>
#include <sstream>

namespace test {
namespace fs = std::filesystem;

namespace {

std::string ProgramPath(const fs::path& p) {
  // The program's path form on both platforms: back-slashes throughout.
  std::string s = p.string();
  for (char& c : s) {
    if (c == '/') c = '\\';
  }
  return s;
}

}  // namespace

fs::path Native(const std::string& path) {
  std::string s = path;
#ifndef _WIN32
  for (char& c : s) {
    if (c == '\\') c = '/';
  }
#endif
  return fs::path(s);
}

TempDir::TempDir() {
  std::random_device rd;
  fs::path p = fs::temp_directory_path() / ("tarvolin_test_" + std::to_string(rd()) + std::to_string(rd()));
  fs::create_directories(p);
  m_sPath = ProgramPath(p);
}

TempDir::~TempDir() {
  std::error_code ec;
  fs::remove_all(Native(m_sPath), ec);
}

std::string TempDir::File(const std::string& name) const { return m_sPath + "\\" + name; }

std::string ReadFile(const std::string& path) {
  std::ifstream in(Native(path), std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(Native(path), std::ios::binary | std::ios::trunc);
  out << bytes;
}

void RemoveFile(const std::string& path) {
  std::error_code ec;
  fs::remove(Native(path), ec);
}

std::string FullDiskFile() {
#ifdef _WIN32
  return "Z:\\dev\\full";
#else
  return "\\dev\\full";
#endif
}

ScopedLog::ScopedLog(int level) {
  MyLog::ForgetFirstSetLevel();
  m_pLog = std::make_unique<MyLog>(m_dir.File("test.log"), 4);
  m_pLog->SetLevel(level);
}

std::string ScopedLog::Text() const {
  std::string text = ReadFile(m_pLog->GetFileName());
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    out += text[i];
  }
  return out;
}

std::string ScopedLog::Messages() const {
  static const std::regex header(R"(\d{4}/\d\d/\d\d \d\d:\d\d:\d\d\.\d{3} \d+ @[DTWEAN] [^(]*\( *\d+\): )");
  return std::regex_replace(Text(), header, "");
}

}  // namespace test
