#!/usr/bin/env bash
# Brings the translation sources in line with the texts in the code: new texts arrive
# unfinished (fill them in with Qt Linguist), texts gone from the code are dropped. No source
# locations are written, so parallel edits merge without line-number churn.
#
# With --check nothing is written: each .ts is updated in a temporary copy, and the run fails
# when a text in the code has no finished translation or a translation's text left the code.
#
# Usage: scripts/update-translations.sh [--check] [--lupdate PATH] [TS_FILE...]
#        (default: every Resources/Translations/veskel_*.ts)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
check=false
lupdate=${LUPDATE:-/usr/lib/qt6/bin/lupdate}
files=()
while [ $# -gt 0 ]; do
  case "$1" in
    --check) check=true ;;
    --lupdate) lupdate=$2; shift ;;
    *) files+=("$(realpath "$1")") ;;
  esac
  shift
done
cd "$root"
[ ${#files[@]} -gt 0 ] || files=("$root"/Resources/Translations/veskel_*.ts)

# lupdate over the sources into one .ts; English's texts are the code's own, so its catalogue
# carries only the plural forms ("%n scene(s)" → "1 scene", "3 scenes").
run_lupdate() {
  local ts=$1 language
  shift
  language=$(basename "$ts" .ts)
  language=${language##*_}
  local extra=()
  [ "$language" = en ] && extra=(-pluralonly)
  # Includes are written from Sources/ ("VeskelApp/Editor/…"): without it lupdate cannot see
  # the classes' namespaces and files a text under the wrong context.
  "$lupdate" -locations none -no-ui-lines -silent -I Sources "${extra[@]}" "$@" \
    -target-language "$language" Sources -ts "$ts"
}

if ! $check; then
  for ts in "${files[@]}"; do run_lupdate "$ts" -no-obsolete; done
  exit 0
fi

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
status=0
for ts in "${files[@]}"; do
  copy="$scratch/$(basename "$ts")"
  cp "$ts" "$copy"
  run_lupdate "$copy"
  pattern='type="(unfinished|vanished|obsolete)"'
  count=$(grep -cE "$pattern" "$copy" || true)
  if [ "$count" -gt 0 ]; then
    echo "$(basename "$ts"): $count text(s) untranslated or no longer in the code:"
    grep -B3 -E "$pattern" "$copy" | sed -n 's|.*<source>\(.*\)</source>.*|    \1|p'
    status=1
  fi
done
exit $status
