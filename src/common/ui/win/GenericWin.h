// The Windows-only window helpers of Generic: resources, the message pump,
// dialog units and the HWND forms of the placement store.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "common/base/Types.h"
#include "common/base/WinNameMacros.h"

namespace Generic {

// Plays the resource `sWavName` of type "WAVE" from the program's module,
// asynchronously, with no default sound.
HResult PlayWaveResource(const std::string& sWavName);

// Dispatches every waiting message, then runs the idle processing. A quit
// message is posted again and ends the pump.
void PumpMessages();
// The application's idle processing run by PumpMessages; returns the old one.
using IdleProcessing = std::function<void()>;
IdleProcessing SetIdleProcessing(IdleProcessing idle);

// The string-table text, or "<id>::: Error loading string from string
// table!" after an exclamation beep and a log line.
std::string LoadResString(UINT id);

// Dialog units of a dialog window ("#32770") in pixels; 0 for any other window.
int DialogUnitsToPixelsX(HWND pWnd, int n);
int DialogUnitsToPixelsY(HWND pWnd, int n);

// The placement store for real windows (see GenericPlacement.h).
HResult SaveWindowPlacement(HWND pWnd, const std::string& placementsKey, const std::string& name);
int RestoreWindowPlacement(HWND pWnd, const RECT& rect, const std::string& placementsKey,
                           const std::string& name, int showCommand);

}  // namespace Generic
