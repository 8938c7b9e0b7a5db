#include "lists/CommunityList.h"

#include <cctype>
#include <cstdio>
#include <memory>

#include "common/ErrorCheck.h"
#include "common/FileSystem.h"
#include "common/MainWindow.h"
#include "common/UserMessage.h"
#include "model/Bho.h"

namespace CommunityList {

void ReportMissingListFile(const std::string& sListPath) {
  LOGE("File <%s> is not found!  You should have gotten it when you installed this program.  Failing that, you "
       "should have been able to download it.  Is a puzzlement...\n",
       sListPath);
  UserMessage::Show(MyLog::Current().GetLastLogText(), UserMessage::kIconError);
  MainWindow::PostClose();
}

void DefaultToUnknown(BHO* pBHO) {
  if (pBHO->m_mapAttrVals.Contains("Status")) return;
  pBHO->m_mapAttrVals.SetAt("Status", "Unknown");
  pBHO->m_mapAttrVals.SetAt("Desc", "");
  pBHO->m_mapAttrVals.SetAt("URL", "");
}

std::string ToUpper(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

bool ReadLines(const std::string& sPath, std::vector<std::string>& lines) {
  struct Closer {
    void operator()(std::FILE* f) const { std::fclose(f); }
  };
  const std::unique_ptr<std::FILE, Closer> file(FileSystem::OpenFile(sPath, "rb"));
  if (!file) return false;
  std::string content;
  char block[65536];
  size_t n = 0;
  while ((n = std::fread(block, 1, sizeof block, file.get())) > 0) content.append(block, n);

  lines.clear();
  size_t start = 0;
  while (start < content.size()) {
    size_t end = content.find('\n', start);
    if (end == std::string::npos) end = content.size();
    size_t stop = end;
    if (stop > start && content[stop - 1] == '\r') --stop;
    lines.emplace_back(content, start, stop - start);
    start = end + 1;
  }
  return true;
}

}  // namespace CommunityList
