// The resources linked into the program, read back through the same system
// calls the program and Windows Explorer use. The test executable links the
// same resource object as Tarvolin.exe.
#include <windows.h>
#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

#include "res/resource.h"
#include "support/win/IconGroup.h"

namespace {

std::string ModulePath() {
  char path[MAX_PATH] = {};
  DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  return std::string(path, n);
}

class VersionInfo {
 public:
  explicit VersionInfo(const std::string& path) {
    DWORD handle = 0;
    DWORD size = GetFileVersionInfoSizeA(path.c_str(), &handle);
    if (size == 0) return;
    m_data.resize(size);
    if (!GetFileVersionInfoA(path.c_str(), 0, size, m_data.data())) m_data.clear();
  }
  bool Loaded() const { return !m_data.empty(); }

  bool Fixed(VS_FIXEDFILEINFO& info) {
    void* p = nullptr;
    UINT len = 0;
    if (!VerQueryValueA(m_data.data(), "\\", &p, &len) || len < sizeof(info)) return false;
    info = *static_cast<VS_FIXEDFILEINFO*>(p);
    return true;
  }

  std::string String(const std::string& name) {
    void* p = nullptr;
    UINT len = 0;
    std::string query = "\\StringFileInfo\\040904b0\\" + name;
    if (!VerQueryValueA(m_data.data(), query.c_str(), &p, &len) || len == 0) return "<missing>";
    return static_cast<const char*>(p);
  }

  std::vector<DWORD> Translations() {
    void* p = nullptr;
    UINT len = 0;
    std::vector<DWORD> out;
    if (!VerQueryValueA(m_data.data(), "\\VarFileInfo\\Translation", &p, &len)) return out;
    const WORD* words = static_cast<const WORD*>(p);
    for (UINT i = 0; i + 1 < len / sizeof(WORD); i += 2) out.push_back(MAKELONG(words[i + 1], words[i]));
    return out;
  }

 private:
  std::vector<char> m_data;
};

TEST(ResourcesTest, VersionInfoNamesTheProgram) {
  VersionInfo info(ModulePath());
  ASSERT_TRUE(info.Loaded());

  VS_FIXEDFILEINFO fixed{};
  ASSERT_TRUE(info.Fixed(fixed));
  EXPECT_EQ(VS_FFI_SIGNATURE, fixed.dwSignature);
  EXPECT_EQ(MAKELONG(0, 2), fixed.dwFileVersionMS);
  EXPECT_EQ(MAKELONG(23, 0), fixed.dwFileVersionLS);
  EXPECT_EQ(fixed.dwFileVersionMS, fixed.dwProductVersionMS);
  EXPECT_EQ(fixed.dwFileVersionLS, fixed.dwProductVersionLS);
  EXPECT_EQ(static_cast<DWORD>(VFT_APP), fixed.dwFileType);

  const struct {
    const char* name;
    const char* value;
  } strings[] = {
      {"CompanyName", "Kestrove"},    {"FileDescription", "Tarvolin 2.0"},  {"FileVersion", "2.0.0.23"},
      {"InternalName", "Tarvolin"},   {"OriginalFilename", "Tarvolin.exe"}, {"ProductName", "Tarvolin 2.0"},
      {"ProductVersion", "2.0.0.23"},
  };
  for (const auto& s : strings) EXPECT_EQ(s.value, info.String(s.name)) << s.name;
  EXPECT_NE("<missing>", info.String("Comments"));
  EXPECT_NE("<missing>", info.String("LegalCopyright"));

  EXPECT_EQ(std::vector<DWORD>{MAKELONG(1200, 0x409)}, info.Translations());
}

TEST(ResourcesTest, StringTableHoldsTheSharedTexts) {
  const struct {
    UINT id;
    const char* text;
  } cases[] = {
      {IDS_API_FAILURE, "API Failure for <%s> is <%d>: <%s>"},
      {IDS_NEW_FAILURE, "New failure <%s>"},
      {IDS_REGISTRY_NOT_OPEN, "The Registry is not open on key <%s>."},
      {IDS_NULL_POINTER, "Null pointer encountered for variable <%s>"},
      {IDS_BAD_DEFAULT_CASE, "Bad default case encountered in function <%s>."},
      {IDS_DAP_DETECTED, "Download Accelerator Plus detected!"},
      {IDS_BHO_ENABLED_CAPTION, "BHO Enabled!  Please read this the first time!"},
      {IDS_BHO_DISABLED_CAPTION, "BHO Disabled!  Please read this the first time!"},
      {IDS_GREETING_FLAG, "GreetingFlag"},
      {ID_APP_OPEN, "Open\nOpen"},
      {IDS_MSGBOX_QUESTION, "Question - "},
      {IDS_MSGBOX_IMPORTANT, "Important - "},
      {IDS_MSGBOX_INFORMATION, "Information - "},
  };
  for (const auto& c : cases) {
    char buffer[512] = {};
    int n = LoadStringA(GetModuleHandleA(nullptr), c.id, buffer, sizeof(buffer));
    EXPECT_EQ(c.text, std::string(buffer, n)) << c.id;
  }
}

// The icon group must hold real 16x16 and 32x32 images: the small icon of every
// dialog and the tray, and the large one of Explorer and Alt+Tab. Loading alone
// would not tell, as the system scales whatever image there is.
TEST(ResourcesTest, IconHoldsSmallAndLargeImages) {
  using test::GroupEntry;
  HMODULE module = GetModuleHandleA(nullptr);
  HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(IDR_MAINFRAME), MAKEINTRESOURCEA(14));
  ASSERT_NE(nullptr, found);
  const BYTE* group = static_cast<const BYTE*>(LockResource(LoadResource(module, found)));
  ASSERT_NE(nullptr, group);
  WORD count = *reinterpret_cast<const WORD*>(group + 4);
  ASSERT_EQ(6 + count * sizeof(GroupEntry), SizeofResource(module, found));
  std::vector<int> sizes;
  for (WORD i = 0; i < count; ++i) {
    const auto* entry = reinterpret_cast<const GroupEntry*>(group + 6 + i * sizeof(GroupEntry));
    EXPECT_EQ(32, entry->bitCount);
    sizes.push_back(entry->width);
  }
  EXPECT_EQ((std::vector<int>{16, 32}), sizes);

  for (int size : {16, 32}) {
    HICON icon =
        static_cast<HICON>(LoadImageA(module, MAKEINTRESOURCEA(IDR_MAINFRAME), IMAGE_ICON, size, size, 0));
    ASSERT_NE(nullptr, icon) << size;
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    BITMAP bitmap{};
    GetObjectA(info.hbmColor, sizeof(bitmap), &bitmap);
    EXPECT_EQ(size, bitmap.bmWidth);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    DestroyIcon(icon);
  }
}

TEST(ResourcesTest, ManifestAsksForCommonControls6AndDpiAwareness) {
  HMODULE module = GetModuleHandleA(nullptr);
  HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
  ASSERT_NE(nullptr, found);
  const char* data = static_cast<const char*>(LockResource(LoadResource(module, found)));
  ASSERT_NE(nullptr, data);
  std::string manifest(data, SizeofResource(module, found));
  for (const char* needle : {"name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\"",
                             "level=\"asInvoker\"", ">true</dpiAware>"}) {
    EXPECT_NE(std::string::npos, manifest.find(needle)) << needle;
  }
}

// The loader honours the manifest: the process's comctl32 is version 6 from
// the side-by-side store, which the check-box lists and visual styles need.
TEST(ResourcesTest, ManifestActivatesCommonControls6) {
  HMODULE comctl = LoadLibraryA("comctl32.dll");
  ASSERT_NE(nullptr, comctl);
  char path[MAX_PATH] = {};
  GetModuleFileNameA(comctl, path, MAX_PATH);
  std::string lower(path);
  for (char& c : lower) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
  EXPECT_NE(std::string::npos, lower.find("common-controls_6595b64144ccf1df_6.")) << path;
  FreeLibrary(comctl);
}

}  // namespace
