#pragma once

#ifdef _WIN32
#include "system/failure.h"

namespace barmen::system {

// GetLastError's codes, mapped onto the same kinds as errno's.
Problem fromWin32Error(unsigned long error);

} // namespace barmen::system
#endif
