#include "lists/CommunityList.h"

#include <cctype>

#include "common/ErrorCheck.h"
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

}  // namespace CommunityList
