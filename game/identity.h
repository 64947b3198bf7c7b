// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's title, desktop id and version; the id and the numbers come from the build.

#include <string>

namespace Startup {

inline constexpr char kApplicationTitle[] = "Brimwold";
inline constexpr char kApplicationId[] = BRIMWOLD_APP_ID;
inline constexpr int kVersionMajor = BRIMWOLD_VERSION_MAJOR;
inline constexpr int kVersionMinor = BRIMWOLD_VERSION_MINOR;
inline constexpr int kVersionRevision = BRIMWOLD_VERSION_PATCH;

// "2.1.0": each number in plain decimal digits.
inline std::string VersionText()
{
    return std::to_string(kVersionMajor) + '.' + std::to_string(kVersionMinor) + '.' + std::to_string(kVersionRevision);
}

} // namespace Startup
