#include "common/ui/DialogDefaults.h"

bool DialogDefaults::s_bToolTipsEnabled = true;
unsigned DialogDefaults::s_uiDialogIcon = 0;
