#include "common/MyApp.h"

// Nothing to prepare without COM.
void InitializePlatformForApp() {}
