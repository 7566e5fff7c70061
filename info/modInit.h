#pragma once

#include <QString>

namespace tombolix {

struct Services;

// Asks the maker's server before the main window appears. False when the program must end
// (silently, or after telling the user of the new version and opening its address).
bool CheckVersion(const Services &services, int timeoutMs = 5000);

} // namespace tombolix
