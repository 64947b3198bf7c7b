#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package and the source tarball, made by CPack from a build, and their checks:
#   tests/check_package.sh STEP BUILD_DIR
# build     makes brimwold_VERSION-1_ARCH.deb and brimwold-VERSION.tar.gz in BUILD_DIR;
# lintian   no lintian error even with the overrides ignored, and no warning left;
# contents  the package holds exactly the files of installed-files.txt under /usr, owned by root,
#           with the control fields that matter;
# starts    the package unpacked into a scratch folder, its binary shows its "Intro" window on a
#           private X server;
# source    the tarball holds every file git tracks, and nothing of builds or version control.
set -euo pipefail
step=${1:?step}
build=$(cd "${2:?build dir}" && pwd)
tests=$(cd "$(dirname "$0")" && pwd)
source_dir=$(dirname "$tests")
fail() { echo "$*" >&2; exit 1; }

if [ "$step" = build ]; then
  rm -f "$build"/brimwold_*.deb "$build"/brimwold-*.tar.gz
  cmake --build "$build" --target package package_source
  exit
fi
debs=("$build"/brimwold_*.deb)
deb=${debs[0]}
[ -f "$deb" ] || fail "no package in $build"

case $step in
lintian)
  # Errors are fixed, never overridden.
  errors=$(lintian --no-override "$deb" 2>&1 | grep '^E: ' || true)
  [ -z "$errors" ] || fail "lintian errors:"$'\n'"$errors"
  # Every warning is fixed or overridden with its reason on the line before; no override is stale.
  report=$(lintian --info --fail-on error,warning "$deb" 2>&1) || fail "$report"
  echo "$report"
  ! grep -E 'unused-override|mismatched-override' <<<"$report" || fail "stale lintian overrides"
  awk '/^[^#]/ && previous !~ /^#/ { print FILENAME ":" FNR ": an override without its reason"; bad = 1 }
       { previous = $0 } END { exit bad }' "$source_dir"/packaging/*.lintian-overrides
  ;;
contents)
  listing=$(dpkg-deb -c "$deb")
  echo "$listing"
  ! awk '$2 != "root/root"' <<<"$listing" | grep . || fail "files not owned by root"
  grep -qE '^-rwxr-xr-x root/root .* \./usr/games/brimwold$' <<<"$listing" || fail "/usr/games/brimwold is not an executable"
  diff <(grep -v '^#' "$tests/installed-files.txt" | sed 's|^|./usr/|' | sort) \
       <(awk '$1 !~ /^d/ { print $6 }' <<<"$listing" | sort) || fail "the package's files differ from installed-files.txt"
  fields=$(dpkg-deb -f "$deb" Package Version Section Priority Maintainer Homepage Depends)
  echo "$fields"
  for field in 'Package: brimwold' 'Version: [0-9.]+-1' 'Section: games' 'Priority: optional' \
               'Maintainer: The Brimwold developers <.+@.+>' 'Homepage: https://' \
               'Depends: .*qt6-qpa-plugins' 'Depends: .*libqt6widgets6' 'Depends: .*fonts-noto-core'; do
    grep -qE "^$field" <<<"$fields" || fail "no control field matching \"$field\""
  done
  ;;
starts)
  scratch=$build/package-unpacked
  rm -rf "$scratch"
  dpkg -x "$deb" "$scratch"
  exec {fd}<> <(:)
  Xvfb -displayfd "$fd" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb=$!
  game=
  trap 'kill $game $xvfb 2>/dev/null || true' EXIT
  read -r -t 30 -u "$fd" display || fail "Xvfb did not start"
  export DISPLAY=:$display
  QT_QPA_PLATFORM=xcb "$scratch/usr/games/brimwold" &
  game=$!
  timeout 30 xdotool search --sync --onlyvisible --name '^Intro$' >/dev/null ||
    fail "the unpacked brimwold showed no Intro window in 30 s"
  kill -0 "$game" || fail "brimwold ended"
  echo "$scratch/usr/games/brimwold shows its Intro window"
  ;;
source)
  tarballs=("$build"/brimwold-*.tar.gz)
  listed=$(tar -tzf "${tarballs[0]}" | sed 's|^[^/]*/||')
  ! grep -E '^(build|\.git|\.cache)(/|$)' <<<"$listed" || fail "the tarball holds builds or version control"
  if git -C "$source_dir" rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    missing=$(comm -23 <(git -C "$source_dir" ls-files | sort) <(sort <<<"$listed"))
    [ -z "$missing" ] || fail "the tarball lacks:"$'\n'"$missing"
  fi
  echo "${tarballs[0]}: $(wc -l <<<"$listed") entries"
  ;;
*) fail "unknown step $step" ;;
esac
