#!/usr/bin/env bash
# Installs the build into a scratch prefix and checks the tree: the executables, the help document,
# the desktop entries (validated), the icon, the AppStream file, the man pages, the udev rule for
# the FTDI bridges and the package's copyright and changelog; then the installed program's HELP,
# with a stand-in viewer that records the path it was given.
# Usage: check-install.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

cmake --install "$build" --prefix "$prefix/usr" >/dev/null

expected=(
  "bin/qk3xx"
  "bin/qk3xx-virtual"
  "bin/qk3xx-cli"
  "share/qk3xx/MRX OI.PDF"
  "share/applications/qk3xx.desktop"
  "share/applications/qk3xx-virtual.desktop"
  "share/icons/hicolor/scalable/apps/qk3xx.svg"
  "share/metainfo/org.qk3xx.qk3xx.metainfo.xml"
  "share/man/man1/qk3xx.1.gz"
  "share/man/man1/qk3xx-virtual.1.gz"
  "share/man/man1/qk3xx-cli.1.gz"
  "share/doc/qk3xx/copyright"
  "share/doc/qk3xx/changelog.gz"
  "lib/udev/rules.d/60-qk3xx-ftdi.rules"
)
for file in "${expected[@]}"; do
  [ -s "$prefix/usr/$file" ] || { echo "missing from the install tree: $file"; exit 1; }
done
# Every man page of the source is installed, compressed.
for page in "$2"/docs/man/*.1; do
  name=$(basename "$page")
  gzip -dc "$prefix/usr/share/man/man1/$name.gz" | cmp -s - "$page" ||
    { echo "man page $name not installed as written"; exit 1; }
done
for program in qk3xx qk3xx-virtual qk3xx-cli; do
  [ -x "$prefix/usr/bin/$program" ] || { echo "not executable: bin/$program"; exit 1; }
done
head -c 5 "$prefix/usr/share/qk3xx/MRX OI.PDF" | grep -q '%PDF-' || { echo "help document is no PDF"; exit 1; }
desktop-file-validate "$prefix"/usr/share/applications/*.desktop
# The command line runs without Qt: nothing of it is linked in.
if ldd "$prefix/usr/bin/qk3xx-cli" | grep -q libQt; then echo "qk3xx-cli links Qt"; exit 1; fi
"$prefix/usr/bin/qk3xx-cli" --virtual qk310 detect | grep -qx 'QK310 at 0x1a' ||
  { echo "the installed qk3xx-cli did not find the virtual chip"; exit 1; }

# HELP from a folder without a help document opens the installed one.
viewer_dir="$prefix/viewer"
mkdir -p "$viewer_dir" "$prefix/work"
cat > "$viewer_dir/xdg-open" <<VIEWER
#!/bin/sh
printf '%s\n' "\$1" > "$prefix/viewer-argument"
VIEWER
chmod +x "$viewer_dir/xdg-open"
(cd "$prefix/work" && PATH="$viewer_dir:$PATH" QT_QPA_PLATFORM=offscreen \
  QK3XX_PRESS_HELP_WHEN_SHOWN=1 "$prefix/usr/bin/qk3xx-virtual")
opened=$(cat "$prefix/viewer-argument")
[ "$opened" = "$prefix/usr/share/qk3xx/MRX OI.PDF" ] || { echo "HELP opened '$opened'"; exit 1; }
echo "install tree complete; HELP opened the installed help document"
