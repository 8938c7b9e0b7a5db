#include "common/base/MyApp.h"

// Nothing to prepare without COM.
void InitializePlatformForApp() {}
