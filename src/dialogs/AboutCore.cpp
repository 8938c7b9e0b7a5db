#include "dialogs/AboutCore.h"

#include "common/net/MakerServers.h"

namespace AboutCore {

std::string VersionLine(const std::string& sVersion) { return "Tarvolin Version " + sVersion; }

std::string WebSiteUrl() { return MakerServers::WebServerUrl(); }

std::string ReleaseHistoryUrl() { return MakerServers::FilesUrl() + "TarvolinWhatsNew.html"; }

std::string SupportMailUrl() { return std::string("mailto:") + kSupportAddress; }

}  // namespace AboutCore
