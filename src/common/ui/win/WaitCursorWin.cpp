#include <windows.h>

#include "common/ui/WaitCursor.h"

WaitCursor::WaitCursor() : m_hPrevious(::SetCursor(::LoadCursorA(nullptr, IDC_WAIT))) {}

WaitCursor::~WaitCursor() { ::SetCursor(static_cast<HCURSOR>(m_hPrevious)); }
