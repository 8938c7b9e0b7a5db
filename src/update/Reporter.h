// Anonymous reports on the BHOs of this machine. A report is the BHO's
// report file, written beside the executable and uploaded by FTP to the
// maker's server, each over a connection of its own; once sent, the BHO's
// file is marked "IsReported" in the program INI file (keyed by its MD5
// checksum) and is not offered again.
#pragma once

#include <string>

#include "common/base/SystemApi.h"
#include "common/base/Types.h"
#include "common/net/MyFtp.h"

class BHO;
class ProgressWindow;

namespace Reporter {

// True when the BHO's file was reported already, and for a record without
// an MD5 checksum (its file is missing), which can never be reported.
bool HasBHOBeenReported(const BHO* pBHO);

// Writes the BHO's report beside the executable and uploads it into the
// upload account's initial folder; marks the BHO reported once the server
// took the file. A failed upload is shown to the user.
// `bFileUploadedSuccessfully` is false unless the report went (or a record
// without checksum was passed over as if it had).
HResult UploadBHOReport(const BHO* pBHO, ProgressWindow* pdlgModeless, bool& bFileUploadedSuccessfully);

// The decisions above, without files or network.

// Whether a BHO needs reporting, from its checksum and the INI value
// "IsReported" stored for it: never without a checksum, never once the
// value is "Yes" in any case.
bool NeedsReporting(const std::string& sMD5, const std::string& sIsReported);

// "__TarvolinReport_20050619_165931_41.txt": the local time and a
// pseudo-random number.
std::string ReportFileName(const SystemApi::LocalTime& time, int nRandom);

// The fixed upload account; the server and its port come from the settings
// of MakerServers.
MyFtpData UploadAccount();

// The uploaded copy names no user: a path that starts with the user's
// profile folder (compared without regard to case, and only as a whole
// folder: followed by a back-slash or the end) gets kProfilePlaceholder in
// its place. A quoted path and one in the "\\?\" form count from where the
// path itself starts. An empty profile, or a drive's root, hides nothing.
std::string HideProfileFolder(const std::string& sText, const std::string& sProfileFolder);
constexpr const char* kProfilePlaceholder = "%USERPROFILE%";

// The upload account's name: the product's name, a dot and the maker's web
// domain, 32 characters.
constexpr const char* kUploadUserName = "tarvolin-bhoreports.kestrove.com";
constexpr const char* kUploadPassword = "wex3826";
constexpr const char* kUploadAgent = "Tarvolin";
constexpr const char* kReportPrefix = "__TarvolinReport_";

}  // namespace Reporter
