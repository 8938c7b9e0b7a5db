// Windows XP Service Pack 2: the system the add-on manager's switches and
// statistics exist on.
#pragma once

#include "common/base/SystemApi.h"

namespace Generic {

bool IsXPServicePack2();
// The decision alone: NT 5.1 with "Service Pack 2" in any case.
bool IsXPServicePack2(const SystemApi::OsVersion& version);

}  // namespace Generic
