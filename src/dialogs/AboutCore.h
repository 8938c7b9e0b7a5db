// What the about dialog shows: the version line and where its links lead.
#pragma once

#include <string>

namespace AboutCore {

// "Tarvolin Version " and the running file version ("" when it has none).
std::string VersionLine(const std::string& sVersion);

// The maker's web site (the web-server setting) and its release history.
std::string WebSiteUrl();
std::string ReleaseHistoryUrl();

constexpr const char* kSupportAddress = "support@kestrove.com";
// A new mail to the support address.
std::string SupportMailUrl();

// The program's page on the download site.
constexpr const char* kDownloadSiteText = "download.kestrove.com";
constexpr const char* kDownloadSiteUrl = "https://download.kestrove.com/tarvolin/";

}  // namespace AboutCore
