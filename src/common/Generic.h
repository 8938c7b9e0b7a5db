// Free helpers shared by the whole program: paths and strings, logged file
// operations, INI reads, version comparison, number formatting, command-line
// path variables, error texts and the Windows XP SP2 test.
#pragma once

#include <ctime>
#include <list>
#include <string>

#include "common/SystemApi.h"
#include "common/Types.h"
#include "common/WinNameMacros.h"  // names shared with Windows macros

class MyRegistry;
class PlacementWindow;

namespace Generic {

// Paths and strings.
std::string GetFileName(const std::string& path);
std::string GetFileTitle(const std::string& path);
std::string GetDirectory(const std::string& path);
int FindNoCase(const std::string& text, const std::string& part);
bool EqualsNoCase(const std::string& a, const std::string& b);
std::string ToUpper(std::string text);
void SplitWords(const std::string& text, std::list<std::string>& words);
bool IsAllPunctuation(const std::string& text);
int CompareVersions(const std::string& first, const std::string& second, char separator = '.');
std::string FormatThousands(long long n);
double RoundTo(double x, int decimals);
double ParseNumber(const std::string& text);
std::string Trim(const std::string& text);

// Files.
bool FileExists(const std::string& path);
bool GetFileSize(const std::string& path, DWord& size);
HResult GetFileModifiedTime(const std::string& path, std::time_t& modified);
HResult GetFileCreatedTime(const std::string& path, std::time_t& created);
bool RemoveFile(const std::string& path, int& nErr);
bool RenameFile(const std::string& from, const std::string& to);
HResult TrimFileToTail(const std::string& path, DWord keep);
bool IsDirectory(const std::string& path);
int CreateDirectory(const std::string& path);
HResult GetLongPathName(const std::string& shortPath, std::string& longPath);

// INI files with private-profile semantics.
constexpr int MAX_NOTATION_LEN_ = 4096;
bool GetFromIniFile(const std::string& iniPath, const std::string& section, const std::string& key,
                    const std::string& defaultValue, std::string& value, int bufferLength);

// Command-line path variables (*TEMP*, *D*, ...).
HResult TranslateEnvPath(const std::string& in, std::string& out, char separator);

// Error texts.
std::string GetErrorText(DWord code);
std::string GetHResultText(HResult hr);
std::string GetInternetErrorText(DWord code);
// The text for the extended error 12003 from the server's last response and
// its error number: "<response>: <number>" for WinInet numbers, "" otherwise.
std::string FormatExtendedError(DWord serverError, const std::string& response);

// Platform facts.
bool IsXPServicePack2();
// The decision alone: NT 5.1 with "Service Pack 2" in any case.
bool IsXPServicePack2(const SystemApi::OsVersion& version);

// Colours on the 0-240 scale, as 0x00BBGGRR.
DWord HLSToRGB(int hue, int lightness, int saturation);

// Window placements under HKEY_CURRENT_USER\<placementsKey>\<name>. Restore
// returns the show command applied, or -1 when nothing was restored; `rect`
// sizes are the window's current client rectangle; `showCommand` -1 keeps
// the stored one. (Windows callers use the HWND forms of GenericWin.h.)
HResult SaveWindowPlacement(PlacementWindow* pWnd, const std::string& placementsKey, const std::string& name);
int RestoreWindowPlacement(PlacementWindow& window, int rectWidth, int rectHeight,
                           const std::string& placementsKey, const std::string& name, int showCommand);

// Writes a registry key, its values and sub-keys into the log.
void LogRegistryKey(std::uintptr_t root, const std::string& key, int& depth);

}  // namespace Generic
