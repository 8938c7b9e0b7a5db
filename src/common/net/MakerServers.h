// Where the program fetches its lists and updates and sends its reports.
// Each address is a setting under the program key, so a tester (or a user
// behind a mirror) can point the program elsewhere; the defaults are the
// maker's own servers.
#pragma once

#include <string>

namespace MakerServers {

// The maker's web server, with a trailing slash ("https://.../").
std::string WebServerUrl();
// The maker's "files/" folder on that server.
std::string FilesUrl();
// The root folder of the community HTML list's web site, trailing slash.
std::string HtmlListSiteUrl();
// The maker's FTP upload server (host name) and its port (21 unless the
// setting names another valid port).
std::string FtpServer();
int FtpPort();

// Registry value names under the program key.
constexpr const char* kWebServerValue = "WebServerURL";
constexpr const char* kHtmlListSiteValue = "HtmlListSiteURL";
constexpr const char* kFtpServerValue = "FtpServer";
constexpr const char* kFtpPortValue = "FtpPort";  // REG_DWORD

}  // namespace MakerServers
