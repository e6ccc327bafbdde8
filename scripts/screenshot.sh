#!/usr/bin/env bash
# Takes the README's screenshots of the main window under Xvfb: one in split
# mode (a file selected, a preset picked) and one in join mode (a part of a
# set selected), the window at its minimum size and in the middle of a long
# split. Writes docs/screenshot-split.png, docs/screenshot-join.png,
# docs/screenshot-options.png, docs/screenshot-minimum.png and
# docs/screenshot-splitting.png.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
bash scripts/build.sh dev
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/Urlaub" "$work/Teile" docs
head -c 5000000 /dev/urandom > "$work/Urlaub/Urlaub.avi"
cp "$work/Urlaub/Urlaub.avi" "$work/Teile/"
build/bin/kardomel-cli split "$work/Teile/Urlaub.avi" >/dev/null
rm "$work/Teile/Urlaub.avi"
shoot() {
  QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1280x800x24" \
    build/bin/kardomel-screenshot "$@"
}
shoot "$work/Urlaub" Urlaub.avi "E-Mail 1MB" docs/screenshot-split.png
shoot "$work/Teile" Urlaub.003 "" docs/screenshot-join.png
shoot --options 2 docs/screenshot-options.png
shoot --minimum "$work/Urlaub" Urlaub.avi "E-Mail 1MB" docs/screenshot-minimum.png
# A long split: 4 GB, read from a sparse file, cut into CD-sized parts.
mkdir "$work/Lang"
truncate -s 4G "$work/Lang/Sicherung.img"
shoot --splitting "$work/Lang" Sicherung.img "CDROM 700MB" docs/screenshot-splitting.png
echo "docs/screenshot-split.png docs/screenshot-join.png docs/screenshot-options.png" \
  "docs/screenshot-minimum.png docs/screenshot-splitting.png"
