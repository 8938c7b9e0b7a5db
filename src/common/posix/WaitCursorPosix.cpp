#include "common/WaitCursor.h"

WaitCursor::WaitCursor() {}
WaitCursor::~WaitCursor() {}
