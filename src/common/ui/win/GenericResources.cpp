// Sounds and texts from the program's own resources.

// clang-format off
#include "common/ui/win/GenericWin.h"  // windows.h before the headers built on it
#include <mmsystem.h>
// clang-format on

#include <cstdio>
#include <vector>

#include "common/base/ErrorCheck.h"

namespace Generic {
namespace {

HMODULE ResourceModule() { return ::GetModuleHandleA(nullptr); }

}  // namespace

HResult PlayWaveResource(const std::string& sWavName) {
  LOG_ENTRY("Generic::PlayWaveResource");
  HResult hr = kSOk;
  HRSRC hResInfo = nullptr;
  HGLOBAL hRes = nullptr;
  LPVOID lpRes = nullptr;
  EC_B_TEXT(hr, "NULL != (hResInfo = ::FindResource(AfxGetResourceHandle(), sWavName, \"WAVE\"))",
            nullptr != (hResInfo = ::FindResourceA(ResourceModule(), sWavName.c_str(), "WAVE")));
  EC_B(hr, nullptr != (hRes = ::LoadResource(ResourceModule(), hResInfo)));
  EC_B(hr, nullptr != (lpRes = ::LockResource(hRes)));
  // The resource stays mapped for the life of the module, so the sound may
  // outlive this call.
  EC_B_TEXT(hr, "::sndPlaySound(reinterpret_cast<LPCSTR> (lpRes), SND_MEMORY | SND_ASYNC | SND_NODEFAULT)",
            ::sndPlaySoundA(static_cast<LPCSTR>(lpRes), SND_MEMORY | SND_ASYNC | SND_NODEFAULT));
  if (Failed(hr)) EC_VAR(sWavName, "%s");
  return hr;
}

std::string LoadResString(UINT id) {
  std::vector<char> buffer(256);
  for (;;) {
    const int n = ::LoadStringA(ResourceModule(), id, buffer.data(), static_cast<int>(buffer.size()));
    if (n <= 0) break;
    // A text that fills the buffer may have been cut: try a larger one.
    if (static_cast<std::size_t>(n) < buffer.size() - 1)
      return std::string(buffer.data(), static_cast<std::size_t>(n));
    buffer.resize(buffer.size() * 2);
  }
  ::MessageBeep(MB_ICONEXCLAMATION);
  char text[96];
  std::snprintf(text, sizeof text, "%u::: Error loading string from string table!", id);
  LOGE("%s\n", text);
  return text;
}

}  // namespace Generic
