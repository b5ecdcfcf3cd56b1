#!/usr/bin/env bash
# The download of this tree against the version written once, in CMake's project(): runs
# tools/release, then checks that the zip is named after the version, that everything in it
# sits in the folder Vantrel-<version>, and that both exes in it carry the version in their
# version resource (tools/check-pe). No Wine: the release journey's fixture, so that the
# journey plays this zip.
#
#   tests/e2e/run-release.sh <Vantrel-<version>.zip> <version>
set -uo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/../.." && pwd)
[ $# -eq 2 ] || { echo "usage: $0 <Vantrel-<version>.zip> <version>" >&2; exit 2; }
zip=$1 version=$2

passed=0 failed=0
check() {  # check <ok 0|1> <what> [detail]
  if [ "$1" = 0 ]; then
    passed=$((passed + 1)); echo "ok - $2"
  else
    failed=$((failed + 1)); echo "FAIL - $2${3:+: $3}"
  fi
}

(cd "$root" && bash tools/release) >&2
check $? "tools/release makes the download"
[ -f "$zip" ]
check $? "the zip is named after the version, $(basename "$zip")" \
  "got $(cd "$(dirname "$zip")" 2>/dev/null && ls -- *.zip 2>/dev/null | tr '\n' ' ')"
if [ -f "$zip" ]; then
  work=$(mktemp -d "${TMPDIR:-/tmp}/vantrel-release.XXXXXX") || exit 1
  trap 'rm -rf "$work"' EXIT
  python3 -c 'import sys, zipfile; z = zipfile.ZipFile(sys.argv[1]); print("\n".join(z.namelist())); z.extractall(sys.argv[2])' \
    "$zip" "$work" >"$work/names"
  outside=$(grep -v "^Vantrel-$version/" "$work/names")
  [ -s "$work/names" ] && [ -z "$outside" ]
  check $? "everything in the zip sits in Vantrel-$version/" "got ${outside:-nothing}"
  for bits in 32 64; do
    arch=win$bits
    bash "$root/tools/check-pe" --version "$version" "$work/Vantrel-$version/${bits}bit/Vantrel.exe" "$arch" \
      >"$work/check-pe.log" 2>&1
    check $? "the zip's ${bits}-bit Vantrel.exe carries version $version" "$(grep '^FAIL' "$work/check-pe.log")"
  done
fi
echo "$passed passed, $failed failed"
[ "$failed" = 0 ]
