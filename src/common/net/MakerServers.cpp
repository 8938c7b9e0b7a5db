#include "common/net/MakerServers.h"

#include "common/registry/MyRegistry.h"
#include "common/registry/RegistryKeys.h"

namespace MakerServers {
namespace {

std::string Setting(const char* name, const char* defaultValue, bool bFolder) {
  std::string value = defaultValue;
  MyRegistry reg;
  if (reg.Open(Registry::kCurrentUser, REGKEY_PROGRAM, false)) {
    std::string stored;
    if (reg.ReadValueString(name, stored) && !stored.empty()) value = stored;
  }
  if (bFolder && value.back() != '/') value += '/';
  return value;
}

}  // namespace

std::string WebServerUrl() { return Setting(kWebServerValue, "https://www.kestrove.com/", true); }
std::string FilesUrl() { return WebServerUrl() + "files/"; }
std::string HtmlListSiteUrl() { return Setting(kHtmlListSiteValue, "https://www.castlecops.com/", true); }
std::string FtpServer() { return Setting(kFtpServerValue, "ftp.kestrove.com", false); }

int FtpPort() {
  DWord dwPort = 0;
  MyRegistry reg;
  if (reg.Open(Registry::kCurrentUser, REGKEY_PROGRAM, false)) reg.ReadValueDWord(kFtpPortValue, dwPort);
  return dwPort >= 1 && dwPort <= 65535 ? static_cast<int>(dwPort) : 21;
}

}  // namespace MakerServers
