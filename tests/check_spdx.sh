#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Every source file that git tracks names the program's licence in its first three lines:
#   tests/check_spdx.sh            lists the files that do not, and fails if there are any;
#   tests/check_spdx.sh --insert   writes the line into each of them as a comment of its kind,
#                                  after a first line that must stay first (#!, <?xml, <!DOCTYPE).
# Source files: C++ (.cpp .h), CMake (CMakeLists.txt, .cmake), Qt Designer and resource files
# (.ui .qrc), templates (.in), Python, shell, JavaScript, CSS and HTML (.py .sh .js .css .html),
# and every executable file, the scripts. Not fonts, pictures, fuzz corpora, JSON, Markdown or data.
set -euo pipefail
cd "$(dirname "$0")/.."
tag='SPDX-License-Identifier: GPL-3.0-or-later'
if ! git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  echo "not a git checkout, so no list of its source files"
  exit 77
fi

sources() {
  git ls-files -s | while read -r mode _ _ path; do
    case $path in
      *.cpp | *.h | CMakeLists.txt | */CMakeLists.txt | *.cmake | *.ui | *.qrc | *.in | \
      *.py | *.sh | *.js | *.css | *.html) echo "$path" ;;
      *) if [ "$mode" = 100755 ]; then echo "$path"; fi ;;
    esac
  done
}

comment() {
  case $1 in
    *.cpp | *.h | *.js | *.css) echo "// $tag" ;;
    *.ui | *.qrc | *.html | *.xml.in) echo "<!-- $tag -->" ;;
    *.[1-8].in) echo ".\\\" $tag" ;;
    *) echo "# $tag" ;;
  esac
}

insert() {
  local file=$1 keep=0
  if head -n 1 "$file" | grep -qE '^(#!|<\?xml|<!DOCTYPE)'; then keep=1; fi
  { head -n "$keep" "$file"; comment "$file"; tail -n "+$((keep + 1))" "$file"; } >"$file.spdx"
  cat "$file.spdx" >"$file"  # keeps the file's mode
  rm "$file.spdx"
}

missing=0
while read -r file; do
  if ! head -n 3 "$file" | grep -qF "$tag"; then
    if [ "${1:-}" = --insert ]; then insert "$file"; else echo "no licence line: $file"; fi
    missing=$((missing + 1))
  fi
done < <(sources)
if [ "${1:-}" = --insert ]; then
  echo "licence line written into $missing files"
elif ((missing)); then
  echo "$missing source files lack \"$tag\" in their first three lines (tests/check_spdx.sh --insert adds it)"
  exit 1
fi
