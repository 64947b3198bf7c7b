#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The C++ files that clang-format already formats stay formatted (.clang-format):
#   tests/check_format.sh   lists those that clang-format would change, and fails if there are any.
# A file joins the list below once it is formatted; the others are left as they are written.
set -euo pipefail
cd "$(dirname "$0")/.."
formatted=(
  app/main.cpp
  game/chart.h game/fitting.h game/identity.h game/wire.h game/wire.cpp
  screens/columns.h screens/columns.cpp screens/dialogs.cpp screens/frmDebrief.cpp screens/frmDiffusion.cpp screens/frmFeedback.cpp
  screens/frmInformation.cpp screens/frmIntro.cpp screens/frmMain.cpp screens/frmVillage1.cpp
  tests/core/main.cpp
  web/bindings.cpp
)
if ! command -v clang-format >/dev/null; then
  echo "no clang-format on this machine"
  exit 77
fi
changed=()
for file in "${formatted[@]}"; do
  clang-format --dry-run --Werror "$file" >/dev/null 2>&1 || changed+=("$file")
done
if ((${#changed[@]})); then
  printf 'clang-format would change %s\n' "${changed[@]}"
  exit 1
fi
echo "${#formatted[@]} files formatted"
