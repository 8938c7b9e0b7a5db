#include "common/ui/WaitCursor.h"

WaitCursor::WaitCursor() {}
WaitCursor::~WaitCursor() {}
