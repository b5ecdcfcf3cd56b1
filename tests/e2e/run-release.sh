#!/usr/bin/env bash
# The download of this tree against the version written once, in CMake's project(): runs
# tools/release, then checks that the zip is named after the version, that everything in it
# sits in the folder Vantrel-<version>, and that both exes in it carry the version in their
# version resource (tools/check-pe). No Wine: the release journey's fixture, so that the
# journey plays this zip.
#
#   tests/e2e/run-release.sh <Vantrel-<version>.zip> <version>
set -uo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
# shellcheck source=../../tools/test-report
source "$root/tools/test-report"
[ $# -eq 2 ] || { echo "usage: $0 <Vantrel-<version>.zip> <version>" >&2; exit 2; }
zip=$1 version=$2

(cd "$root" && bash tools/release) >&2
report_check $? "tools/release makes the download" "exit code 0" "a failure"
[ -f "$zip" ]
report_check $? "the zip is named after the version" "$(basename "$zip")" \
  "$(cd "$(dirname "$zip")" 2>/dev/null && ls -- *.zip 2>/dev/null | tr '\n' ' ')"
if [ -f "$zip" ]; then
  work=$(mktemp -d "${TMPDIR:-/tmp}/vantrel-release.XXXXXX") || exit 1
  trap 'rm -rf "$work"' EXIT
  python3 -c 'import sys, zipfile; z = zipfile.ZipFile(sys.argv[1]); print("\n".join(z.namelist())); z.extractall(sys.argv[2])' \
    "$zip" "$work" >"$work/names"
  outside=$(grep -v "^Vantrel-$version/" "$work/names")
  [ -s "$work/names" ] && [ -z "$outside" ]
  report_check $? "everything in the zip sits in Vantrel-$version/" "nothing elsewhere" "${outside:-nothing}"
  for bits in 32 64; do
    arch=win$bits
    bash "$root/tools/check-pe" --version "$version" "$work/Vantrel-$version/${bits}bit/Vantrel.exe" "$arch" \
      >"$work/check-pe.log" 2>&1
    report_check $? "the zip's ${bits}-bit Vantrel.exe carries version $version" "check-pe passes" \
      "$(grep '^FAIL' "$work/check-pe.log")"
  done
fi
report_summary
