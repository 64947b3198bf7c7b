#pragma once
// The program's title, desktop id and version; the id and the numbers come from the build.

inline constexpr char kApplicationTitle[] = "Brimwold";
inline constexpr char kApplicationId[] = BRIMWOLD_APP_ID;
inline constexpr int kVersionMajor = BRIMWOLD_VERSION_MAJOR;
inline constexpr int kVersionMinor = BRIMWOLD_VERSION_MINOR;
inline constexpr int kVersionRevision = BRIMWOLD_VERSION_PATCH;
