#!/usr/bin/env bash
# Installs the build into a fresh DESTDIR under /usr and checks what a user gets: exactly the
# files a desktop installation needs, icons of the sizes their folders name, and programs that
# run from there with everything they need compiled in.
# usage: installed-tree.sh BUILD_DIR DESTDIR VERSION APP_ID
set -euo pipefail
build=$1 destdir=$2 version=$3 id=$4

rm -rf "$destdir"
DESTDIR="$destdir" cmake --install "$build" --prefix /usr >/dev/null

fail=0
problem() { echo "FAIL: $*" >&2; fail=1; }

expected=$(cat <<LIST
usr/bin/veskel
usr/bin/veskel-cli
usr/share/applications/$id.desktop
usr/share/icons/hicolor/128x128/apps/$id.png
usr/share/icons/hicolor/16x16/apps/$id.png
usr/share/icons/hicolor/24x24/apps/$id.png
usr/share/icons/hicolor/256x256/apps/$id.png
usr/share/icons/hicolor/32x32/apps/$id.png
usr/share/icons/hicolor/48x48/apps/$id.png
usr/share/icons/hicolor/512x512/apps/$id.png
usr/share/icons/hicolor/64x64/apps/$id.png
usr/share/icons/hicolor/scalable/apps/$id.svg
usr/share/man/man1/veskel-cli.1.gz
usr/share/metainfo/$id.metainfo.xml
LIST
)
actual=$(cd "$destdir" && find . -type f -o -type l | sed 's|^\./||' | LC_ALL=C sort)
if [ "$actual" != "$(LC_ALL=C sort <<<"$expected")" ]; then
    problem "the installed files differ from the list"
    diff <(LC_ALL=C sort <<<"$expected") <(echo "$actual") >&2 || true
fi

# A PNG's width and height are the big-endian words at bytes 16 and 20.
for png in "$destdir"/usr/share/icons/hicolor/*x*/apps/"$id".png; do
    size=$(basename "$(dirname "$(dirname "$png")")")
    read -r width height < <(od -An -tu4 --endian=big -j16 -N8 "$png")
    [ "${width}x${height}" = "$size" ] || problem "$png is ${width}x${height}"
done

[ "$(gzip -dc "$destdir/usr/share/man/man1/veskel-cli.1.gz" | head -1)" = \
  ".TH VESKEL-CLI 1 \"$(sed -n 's/.*date="\([^"]*\)".*/\1/p' "$destdir/usr/share/metainfo/$id.metainfo.xml")\" \"Veskel $version\" \"User Commands\"" ] \
    || problem "the manual page's heading does not name this release"

# Run from somewhere else, with a home of their own: nothing may come from the build tree.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
export HOME="$work/home" XDG_DATA_HOME="$work/home/.local/share"
[ "$(QT_QPA_PLATFORM=offscreen "$destdir/usr/bin/veskel" --version)" = "Veskel $version" ] \
    || problem "veskel --version"
[ "$(env -u DISPLAY -u WAYLAND_DISPLAY "$destdir/usr/bin/veskel" --version)" = "Veskel $version" ] \
    || problem "veskel --version without a display"
[ "$("$destdir/usr/bin/veskel-cli" --version)" = "veskel-cli $version" ] \
    || problem "veskel-cli --version"
printf '# Opening\nHello there.\n> Big title\n' >script.md
cli=("$destdir/usr/bin/veskel-cli" --root "$work/Projects")
"${cli[@]}" new "Demo" --format horizontalHD --script script.md >/dev/null || problem "veskel-cli new"
"${cli[@]}" export demo >/dev/null || problem "veskel-cli export"
[ -s "$work/Projects/demo.veskel/Exports/demo_fcp/Media/S001.png" ] || problem "no card exported"

exit $fail
