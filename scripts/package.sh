#!/usr/bin/env bash
# Builds the Debian package qk3xx_VERSION_amd64.deb into build/package/ with CPack, then checks it:
# its contents, lintian, the AppStream file, and the programs unpacked into a scratch root.
# Installs the tools only this step needs (lintian, appstream); run as root on a fresh machine.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
tools=(lintian appstream dpkg-dev)
missing=()
for p in "${tools[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if [ "${#missing[@]}" -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

bash scripts/build.sh
rm -f build/package/*.deb
(cd build && cpack -G DEB >/dev/null)
package=$(ls build/package/qk3xx_*_amd64.deb)
echo "package: $package"

echo "== contents"
dpkg-deb --info "$package" | sed -n '/Package:/,$p'
dpkg-deb --contents "$package"

echo "== lintian"
# Errors fail the step; the warnings left are listed in README (Debian package).
lintian --fail-on error "$package"

echo "== AppStream and menu entries"
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$package" "$root"
appstreamcli validate --no-net "$root"/usr/share/metainfo/*.metainfo.xml
desktop-file-validate "$root"/usr/share/applications/*.desktop

echo "== the unpacked programs"
for program in qk3xx qk3xx-virtual qk3xx-cli; do
  [ -e "build/$program" ] || continue
  [ -x "$root/usr/bin/$program" ] || { echo "not in the package: /usr/bin/$program"; exit 1; }
  LC_ALL=C.UTF-8 man --warnings -l "$root/usr/share/man/man1/$program.1.gz" >/dev/null
done
# The unpacked program runs, with the libraries its package depends on, and is this version.
version=$(dpkg-deb --field "$package" Version)
said=$("$root/usr/bin/qk3xx-virtual" --version)
echo "$said"
[ "$said" = "qk3xx-virtual $version" ] || { echo "the package $version holds '$said'"; exit 1; }
echo "package $(basename "$package") checked"
