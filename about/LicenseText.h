#pragma once
// The lines of the software licence agreement shown in the About dialog.

#include <cstddef>

extern const char* const kLicenseLines[];
extern const size_t kLicenseLineCount;
