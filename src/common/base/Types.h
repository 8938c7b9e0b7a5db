// Basic types and codes shared by the portable core. Deliberately free of
// <windows.h>: the values are the Windows ones, spelled so they never clash
// with the platform's macros.
#pragma once

#include <cstdint>

using HResult = std::int32_t;
using DWord = std::uint32_t;

constexpr HResult kSOk = 0;
constexpr HResult kSFalse = 1;
constexpr HResult kEFail = static_cast<HResult>(0x80004005u);
constexpr HResult kEOutOfMemory = static_cast<HResult>(0x8007000Eu);
constexpr HResult kEInvalidArg = static_cast<HResult>(0x80070057u);

constexpr bool Succeeded(HResult hr) { return hr >= 0; }
constexpr bool Failed(HResult hr) { return hr < 0; }

// System error numbers the core tests for.
namespace WinError {
constexpr long kSuccess = 0;
constexpr long kFileNotFound = 2;
constexpr long kPathNotFound = 3;
constexpr long kAccessDenied = 5;
constexpr long kInvalidHandle = 6;
constexpr long kInvalidParameter = 87;
constexpr long kAlreadyExists = 183;
constexpr long kEnvVarNotFound = 203;
constexpr long kMoreData = 234;
constexpr long kEaListInconsistent = 255;
constexpr long kNoMoreItems = 259;
constexpr long kKeyDeleted = 1018;
}  // namespace WinError
