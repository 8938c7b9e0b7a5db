// Texts for the Internet error numbers: WinInet's own (12001 up), the
// Internet transfer control's (35750 up, mostly WinInet's numbers moved by
// 23766) and a few general ones the control also reports.
#include "common/net/GenericInternetErrors.h"

#include <cctype>
#include <cstdio>

#include "common/net/InternetResponse.h"

namespace Generic {
namespace {

constexpr DWord kInternetErrorBase = 12000;
constexpr DWord kInternetErrorLast = 12174;
constexpr DWord kExtendedError = 12003;

const char* FixedInternetErrorText(DWord code) {
  switch (code) {
    case 7: return "Out of Memory";
    case 11: return "Error";
    case 12: return "Response Completed";
    case 13: return "Type Mismatch";
    case 380: return "Invalid Property Value";

    case 12001: return "No more handles could be generated at this time.";
    case 12002: return "The request has timed out. (Try again in a few seconds)";
    case 12004: return "An internal error has occurred.";
    case 12005: return "The URL is invalid.";
    case 12006: return "The URL scheme could not be recognized or is not supported.";
    case 12007: return "The server name could not be resolved. The Server could be down.  Try again later.";
    case 12008: return "The requested protocol could not be located.";
    case 12009: return "A request to query or set an Internet option specified an invalid option value.";
    case 12010: return "The length of an Internet option is incorrect for the type of option specified.";
    case 12011: return "The request option cannot be set, only queried.";
    case 12012: return "The Internet function support is being shut down or unloaded.";
    case 12013:
      return "The request to connect and log on to an FTP server could not be completed because the supplied "
             "user "
             "name is incorrect.";
    case 12014:
      return "The request to connect and log on to an FTP server could not be completed because the supplied "
             "password is incorrect.";
    case 12015: return "The request to connect to and log on to an FTP server failed.";
    case 12016: return "The requested operation is invalid.";
    case 12017:
      return "The operation was cancelled, usually because its handle was closed before it completed.";
    case 12018: return "The type of handle supplied is incorrect for this operation.";
    case 12019:
      return "The requested operation cannot be carried out because the handle is not in the correct state.";
    case 12020: return "The request cannot be made through a proxy.";
    case 12021: return "A required registry value could not be located.";
    case 12022: return "A required registry value was located but has an incorrect type or an invalid value.";
    case 12023: return "Direct network access cannot be made at this time.";
    case 12024: return "An asynchronous request could not be made because a zero context value was supplied.";
    case 12025: return "An asynchronous request could not be made because no callback function has been set.";
    case 12026:
      return "The required operation could not be completed because one or more requests are pending.";
    case 12027: return "The format of the request is invalid.";
    case 12028: return "The requested item could not be located.";
    case 12029: return "The attempt to connect to the server failed.";
    case 12030: return "The connection with the server has been terminated.";
    case 12031: return "The connection with the server has been reset.";
    case 12032: return "The Internet function needs to redo the request.";
    case 12036: return "The request failed because the handle already exists.";
    case 12038: return "The common name in the server's security certificate does not match the host name.";
    case 12039:
      return "The application is moving from a non-secure to a secure connection because of a redirect.";
    case 12040:
      return "The application is moving from a secure to a non-secure connection because of a redirect.";
    case 12041:
      return "The content is not entirely secure: some of it may have come from non-secure servers.";
    case 12042: return "The application is posting and changing data on a server that is not secure.";
    case 12110:
      return "The operation cannot be made on the FTP session because an operation is already in progress.";
    case 12111: return "The FTP operation was not completed because the session was aborted.";
    case 12130: return "An error was detected while parsing data returned from the Gopher server.";
    case 12131: return "The request must be made for a file locator.";
    case 12132: return "An error was detected while receiving data from the Gopher server.";
    case 12133: return "The end of the data has been reached.";
    case 12134: return "The supplied locator is not valid.";
    case 12135: return "The type of the locator is not correct for this operation.";
    case 12136:
      return "The requested operation can only be made against a Gopher+ server or with a Gopher+ locator.";
    case 12137: return "The requested attribute could not be located.";
    case 12138: return "The locator type is unknown.";
    case 12150: return "The requested header could not be located.";
    case 12151: return "The server did not return any headers.";
    case 12152: return "The server response could not be parsed.";
    case 12153: return "The supplied header is invalid.";
    case 12154: return "The request made to query the HTTP headers is invalid.";
    case 12155: return "The header could not be added because it already exists.";
    case 12156:
      return "The redirection failed because the scheme changed or all attempts to redirect failed.";

    case 35750: return "Unable To Open An Internet Session.";
    case 35751: return "Unable To Open The URL.";
    case 35752: return "The URL Is Malformed.";
    case 35753: return "The Protocol Is Not Supported For This Method.";
    case 35754: return "Unable To Connect To The Remote Host.";
    case 35755: return "No Remote Host Was Specified.";
    case 35756: return "The Request To The Remote Host Failed.";
    case 35757: return "No Execute Method Is In Progress.";
    case 35758: return "Incompatible Data Type For This Operation.";
    case 35759: return "FTP: Command Failed.";
    case 35760: return "Unsupported Data Type.";
    case 35761: return "The Request Timed Out.";
    case 35762: return "Unsupported Command.";
    case 35763: return "Invalid Operation Argument.";
    case 35764: return "Still Executing The Last Request.";
    case 35765: return "Operation Invalid For FTP.";
    case 35767: return "Out Of Internet Handles.";
    case 35768: return "Internet Request Timed Out.";
    case 35769: return "Extended Error Returned By The Server.";
    case 35770: return "Internal Error.";
    case 35771: return "Invalid URL.";
    case 35772: return "Unrecognized URL Scheme.";
    case 35773: return "Server Name Could Not Be Resolved.";
    case 35774: return "Protocol Not Found.";
    case 35775: return "Invalid Option.";
    case 35776: return "Bad Option Length.";
    case 35777: return "Option Not Settable.";
    case 35778: return "Internet Support Is Shutting Down.";
    case 35779: return "Incorrect User Name.";
    case 35780: return "Incorrect Password.";
    case 35781: return "Login Failure.";
    case 35782: return "Invalid Internet Operation.";
    case 35783: return "Operation Cancelled.";
    case 35784: return "Incorrect Handle Type.";
    case 35785: return "Incorrect Handle State.";
    case 35786: return "Not A Proxy Request.";
    case 35787: return "Registry Value Not Found.";
    case 35788: return "Bad Registry Parameter.";
    case 35789: return "No Direct Access.";
    case 35790: return "No Context Value.";
    case 35791: return "No Callback Function.";
    case 35792: return "Request Pending.";
    case 35793: return "Incorrect Format.";
    case 35794: return "Item Not Found.";
    case 35795: return "Cannot Connect.";
    case 35796: return "Connection Aborted.";
    case 35797: return "Connection Reset.";
    case 35798: return "Force Retry.";
    case 35799: return "Invalid Proxy Request.";
    case 35800: return "User Interface Needed.";
    case 35802: return "Handle Already Exists.";
    case 35803: return "Security Certificate Date Invalid.";
    case 35804: return "Security Certificate Common Name Invalid.";
    case 35806: return "HTTPS To HTTP Redirect.";
    case 35807: return "Mixed Security.";
    case 35808: return "Changed Post Is Not Secure.";
    case 35809: return "Post Is Not Secure.";
    case 35810: return "Client Authentication Certificate Needed.";
    case 35811: return "Invalid Certificate Authority.";
    case 35812: return "Client Authentication Not Set Up.";
    case 35813: return "Asynchronous Thread Failed.";
    case 35814: return "Redirect Scheme Changed.";
    case 35876: return "FTP: Transfer In Progress.";
    case 35877: return "FTP: Connection Dropped.";
    case 35896: return "Gopher: Protocol Error.";
    case 35897: return "Gopher: Not A File.";
    case 35898: return "Gopher: Data Error.";
    case 35899: return "Gopher: End Of Data.";
    case 35900: return "Gopher: Invalid Locator.";
    case 35901: return "Gopher: Incorrect Locator Type.";
    case 35902: return "Gopher: Not Gopher Plus.";
    case 35903: return "Gopher: Attribute Not Found.";
    case 35904: return "Gopher: Unknown Locator.";
    case 35916: return "HTTP: Header Not Found.";
    case 35917: return "HTTP: Downlevel Server.";
    case 35918: return "HTTP: Invalid Server Response.";
    case 35919: return "HTTP: Invalid Header.";
    case 35920: return "HTTP: Invalid Query Request.";
    case 35921: return "HTTP: Header Already Exists.";
    case 35922: return "HTTP: Redirect Failed.";
    case 35923: return "Security Channel Error.";
    case 35924: return "Unable To Cache File.";
    default: return nullptr;
  }
}

}  // namespace

std::string FormatExtendedError(DWord serverError, const std::string& response) {
  std::string text = response;
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) text.pop_back();
  if (serverError < kInternetErrorBase || serverError > kInternetErrorLast) return std::string();
  char formatted[1100];
  if (text.empty()) {
    std::snprintf(formatted, sizeof formatted,
                  "::InternetGetLastResponseInfo() found no error message for error <%u>.", serverError);
  } else {
    std::snprintf(formatted, sizeof formatted, "%s: %u", text.c_str(), serverError);
  }
  return formatted;
}

std::string GetInternetErrorText(DWord code) {
  if (code == kExtendedError) {
    DWord serverError = 0;
    std::string response;
    if (!InternetResponse::GetLastResponseInfo(serverError, response)) return std::string();
    return FormatExtendedError(serverError, response);
  }
  const char* text = FixedInternetErrorText(code);
  return text ? text : "Unknown.";
}

}  // namespace Generic
