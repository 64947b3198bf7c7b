#pragma once
// The program's title and version; the numbers come from the build (project version).

inline constexpr char kApplicationTitle[] = "Brimwold";
inline constexpr int kVersionMajor = BRIMWOLD_VERSION_MAJOR;
inline constexpr int kVersionMinor = BRIMWOLD_VERSION_MINOR;
inline constexpr int kVersionRevision = BRIMWOLD_VERSION_PATCH;
