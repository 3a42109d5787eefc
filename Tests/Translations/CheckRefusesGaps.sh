#!/usr/bin/env bash
# Feeds the translation check two damaged copies of a catalogue, one with an unfinished entry and
# one holding a text the code no longer has; each must be refused.
# Usage: CheckRefusesGaps.sh CHECK_SCRIPT LUPDATE CATALOGUE.ts
set -euo pipefail
check=$1 lupdate=$2 catalogue=$3
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
name=$(basename "$catalogue")

mkdir "$scratch/unfinished" "$scratch/stray"
sed '0,/<translation>/s//<translation type="unfinished">/' "$catalogue" \
  >"$scratch/unfinished/$name"
sed '0,/<\/context>/s||    <message>\
        <source>A text the code no longer has</source>\
        <translation>Текст, которого нет в коде</translation>\
    </message>\
</context>|' "$catalogue" >"$scratch/stray/$name"

for damaged in "$scratch/unfinished/$name" "$scratch/stray/$name"; do
  if cmp -s "$catalogue" "$damaged"; then
    echo "could not damage $catalogue"
    exit 1
  fi
  if "$check" --check --lupdate "$lupdate" "$damaged"; then
    echo "the check accepted $damaged"
    exit 1
  fi
done
echo "both damaged catalogues refused"
