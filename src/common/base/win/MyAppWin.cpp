#include <windows.h>
#include <objbase.h>

#include "common/base/ErrorCheck.h"
#include "common/base/MyApp.h"

namespace {

// Balances the COM initialisation of the application thread at exit.
struct ComApartment {
  bool bInitialized = false;
  ~ComApartment() {
    if (bInitialized) ::OleUninitialize();
  }
};
ComApartment g_apartment;

}  // namespace

// The program hosts OLE (ActiveX controls in dialogs, URL monikers): the
// application thread joins a single-threaded apartment once.
void InitializePlatformForApp() {
  if (g_apartment.bInitialized) return;
  HResult hr = kSOk;
  EC_H(hr, ::OleInitialize(nullptr));
  g_apartment.bInitialized = Succeeded(hr);
}
