#include "common/fileinfo/MyFileVersion.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/fileinfo/PeVersionSource.h"
#include "support/TestDlls.h"
#include "support/TestSupport.h"

namespace {

using test::kDllDir;
using test::TestDll;

// Passes every call on and remembers the paths asked for.
class RecordingSource : public VersionInfoSource {
 public:
  explicit RecordingSource(VersionInfoSource& inner) : m_inner(inner) {}
  DWord GetInfoSize(const std::string& path) override { return m_inner.GetInfoSize(path); }
  bool GetInfo(const std::string& path, DWord size, std::uint8_t* data) override {
    return m_inner.GetInfo(path, size, data);
  }
  bool QueryBinary(const std::uint8_t* data, DWord size, const std::string& subBlock,
                   const std::uint8_t*& value, unsigned& length) override {
    m_queries.push_back(subBlock);
    return m_inner.QueryBinary(data, size, subBlock, value, length);
  }
  bool QueryString(const std::uint8_t* data, DWord size, const std::string& subBlock,
                   std::string& value) override {
    m_queries.push_back(subBlock);
    return m_inner.QueryString(data, size, subBlock, value);
  }
  std::vector<std::string> m_queries;

 private:
  VersionInfoSource& m_inner;
};

// Each case runs with the platform's source (the system's functions on
// Windows) and with the portable PE reader.
class MyFileVersionTest : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override {
    if (!kDllDir) GTEST_SKIP() << "test DLLs were not built (no MinGW-w64 tools)";
  }
  VersionInfoSource& Source() { return GetParam() ? m_pe : VersionInfoSource::Default(); }

  test::ScopedLog m_log;
  PeVersionSource m_pe;
};

TEST_P(MyFileVersionTest, DllWithoutVersionResource) {
  for (const char* name : {"plain.dll", "missing.dll"}) {
    SCOPED_TRACE(name);
    MyFileVersion version(Source());
    bool bHasVersionInfo = true;
    EXPECT_EQ(kSOk, version.Open(TestDll(name), bHasVersionInfo));
    EXPECT_FALSE(bHasVersionInfo);
    const std::string before = m_log.Messages();
    EXPECT_EQ("", version.QueryValue("CompanyName"));
    EXPECT_EQ("Error: m_lpVersionData - Null pointer\n", m_log.Messages().substr(before.size()));
    FixedFileInfo info;
    EXPECT_FALSE(version.GetFixedInfo(info));
    EXPECT_EQ("", version.GetFileVersion());
    const std::string after = m_log.Messages().substr(before.size());
    EXPECT_NE(std::string::npos, after.find("API Failure for <m_lpVersionData> is <0>: <Null pointer>\n"));
  }
  EXPECT_NE(std::string::npos, m_log.Messages().find(">>> MyFileVersion::Open\n"));
}

TEST_P(MyFileVersionTest, EnglishResourceWithAllStrings) {
  MyFileVersion version(Source());
  bool bHasVersionInfo = false;
  ASSERT_EQ(kSOk, version.Open(TestDll("english.dll"), bHasVersionInfo));
  EXPECT_TRUE(bHasVersionInfo);
  EXPECT_EQ(0x040904E4u, version.GetLangCharset());
  EXPECT_EQ("2.0.0.23", version.GetFileVersion());

  const struct {
    const char* name;
    const char* value;
  } strings[] = {
      {"Comments", "Test library with a version resource"},
      {"CompanyName", "Kestrove Test Company"},
      {"FileDescription", "English test DLL"},
      {"FileVersion", "2, 0, 0, 23"},
      {"InternalName", "english"},
      {"LegalCopyright", "Copyright (C) 2005"},
      {"OriginalFilename", "english.dll"},
      {"ProductName", "Version Tests"},
      {"ProductVersion", "2.0.65535.7"},
  };
  for (const auto& s : strings) EXPECT_EQ(s.value, version.QueryValue(s.name)) << s.name;

  FixedFileInfo info;
  ASSERT_TRUE(version.GetFixedInfo(info));
  EXPECT_EQ(0xFEEF04BDu, info.dwSignature);
  EXPECT_EQ(0x00020000u, info.dwFileVersionMS);
  EXPECT_EQ(0x00000017u, info.dwFileVersionLS);
  EXPECT_EQ(0x00020000u, info.dwProductVersionMS);
  EXPECT_EQ(0xFFFF0007u, info.dwProductVersionLS);
  EXPECT_EQ(0x3Fu, info.dwFileFlagsMask);
  EXPECT_EQ(0x2u, info.dwFileFlags);  // pre-release
  EXPECT_EQ(0x40004u, info.dwFileOS);
  EXPECT_EQ(0x2u, info.dwFileType);  // DLL
}

TEST_P(MyFileVersionTest, StringsAreLookedUpUnderTheFirstTranslationOnly) {
  RecordingSource recorder(Source());
  MyFileVersion version(recorder);
  bool bHasVersionInfo = false;
  ASSERT_EQ(kSOk, version.Open(TestDll("english.dll"), bHasVersionInfo));
  recorder.m_queries.clear();

  const std::string before = m_log.Messages();
  EXPECT_EQ("Kestrove Test Company", version.QueryValue("CompanyName"));
  EXPECT_EQ("", version.QueryValue("NoSuchName"));
  // Another language is asked for as given, without falling back.
  EXPECT_EQ("", version.QueryValue("CompanyName", 0x040904B0));
  EXPECT_EQ((std::vector<std::string>{"\\StringFileInfo\\040904e4\\CompanyName",
                                      "\\StringFileInfo\\040904e4\\NoSuchName",
                                      "\\StringFileInfo\\040904b0\\CompanyName"}),
            recorder.m_queries);
  EXPECT_EQ(before, m_log.Messages());  // a missing name is not logged
}

TEST_P(MyFileVersionTest, TwoLanguagesInA32BitImage) {
  MyFileVersion version(Source());
  bool bHasVersionInfo = false;
  ASSERT_EQ(kSOk, version.Open(TestDll("bilingual32.dll"), bHasVersionInfo));
  EXPECT_EQ(0x040704B0u, version.GetLangCharset());
  EXPECT_EQ("1.2.3.4", version.GetFileVersion());
  EXPECT_EQ("Deutsche Beschreibung", version.QueryValue("FileDescription"));
  EXPECT_EQ("English description", version.QueryValue("FileDescription", 0x040904B0));
  EXPECT_EQ("", version.QueryValue("CompanyName", 0x040904B0));
  EXPECT_EQ("", version.QueryValue("Comments"));
  // Latin-1 characters are single bytes in every Western code page.
  EXPECT_EQ(
      "M\xFC"
      "ller \xA9 GmbH",
      version.QueryValue("CompanyName"));
}

TEST(MyFileVersionPeTest, CharactersBeyondLatin1BecomeQuestionMarks) {
  if (!kDllDir) GTEST_SKIP() << "test DLLs were not built";
  PeVersionSource source;
  MyFileVersion version(source);
  bool bHasVersionInfo = false;
  ASSERT_EQ(kSOk, version.Open(TestDll("bilingual32.dll"), bHasVersionInfo));
  // The euro sign and a surrogate pair (one character) each give one '?'.
  EXPECT_EQ("Euro ? and clef ?.", version.QueryValue("ProductName"));
}

TEST_P(MyFileVersionTest, MissingTranslationTableFailsAndCloses) {
  MyFileVersion version(Source());
  bool bHasVersionInfo = false;
  EXPECT_EQ(kEFail, version.Open(TestDll("notranslation.dll"), bHasVersionInfo));
  EXPECT_TRUE(bHasVersionInfo);
  EXPECT_EQ(0u, version.GetLangCharset());
  const std::string log = m_log.Messages();
  EXPECT_NE(std::string::npos,
            log.find("<::VerQueryValue(m_lpVersionData, _T(\"\\\\VarFileInfo\\\\Translation\"), (PVOID*) "
                     "&pTransTable, &nQuerySize)> failed with error <1813>: <"))
      << log;
  EXPECT_NE(std::string::npos,
            log.find("EC_ skipped executing <m_dwLangCharset = MAKELONG(HIWORD(pTransTable[0]), "
                     "LOWORD(pTransTable[0]))>.\n"));
  const std::string before = m_log.Messages();
  EXPECT_EQ("", version.QueryValue("CompanyName"));  // closed: no data left
  EXPECT_EQ("Error: m_lpVersionData - Null pointer\n", m_log.Messages().substr(before.size()));
}

TEST_P(MyFileVersionTest, ZeroTranslationFailsTheLastStep) {
  MyFileVersion version(Source());
  bool bHasVersionInfo = false;
  EXPECT_EQ(kEFail, version.Open(TestDll("zerotranslation.dll"), bHasVersionInfo));
  EXPECT_TRUE(bHasVersionInfo);
  const std::string log = m_log.Messages();
  EXPECT_NE(std::string::npos,
            log.find("<m_dwLangCharset = MAKELONG(HIWORD(pTransTable[0]), LOWORD(pTransTable[0]))> failed "
                     "with error <"))
      << log;
  EXPECT_EQ(std::string::npos, log.find("skipped"));
  EXPECT_EQ("", version.GetFileVersion());
}

TEST_P(MyFileVersionTest, ReopeningReplacesThePreviousFile) {
  MyFileVersion version(Source());
  bool bHasVersionInfo = false;
  ASSERT_EQ(kSOk, version.Open(TestDll("english.dll"), bHasVersionInfo));
  ASSERT_EQ(kSOk, version.Open(TestDll("plain.dll"), bHasVersionInfo));
  EXPECT_FALSE(bHasVersionInfo);
  EXPECT_EQ(0u, version.GetLangCharset());
  EXPECT_EQ("", version.QueryValue("CompanyName"));
}

INSTANTIATE_TEST_SUITE_P(Sources, MyFileVersionTest, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& info) {
                           return info.param ? std::string("PeReader") : std::string("Platform");
                         });

}  // namespace
