#!/usr/bin/env bash
# with-fonts.sh PACKAGE... -- COMMAND [ARG...]
# Runs COMMAND on a machine whose only fonts are those of the Debian packages named, with the
# system's fontconfig rules (aliases such as "Arial" to a metric twin) but without the user's.
# No root needed: a fontconfig file and cache of its own in a scratch folder.
set -euo pipefail
packages=()
while [ $# -gt 0 ] && [ "$1" != "--" ]; do packages+=("$1"); shift; done
[ $# -gt 1 ] && [ "${#packages[@]}" -gt 0 ] || {
  echo "usage: with-fonts.sh PACKAGE... -- COMMAND [ARG...]" >&2
  exit 2
}
shift

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
{
  echo '<?xml version="1.0"?>'
  echo '<!DOCTYPE fontconfig SYSTEM "urn:fontconfig:fonts.dtd">'
  echo '<fontconfig>'
  for package in "${packages[@]}"; do
    files=$(dpkg-query -L "$package" 2>/dev/null) || {
      echo "with-fonts.sh: the font package $package is not installed (scripts/install-deps.sh" \
        "installs it)" >&2
      exit 1
    }
    grep -E '\.(ttf|otf|pfb|t1)$' <<<"$files" | xargs -r -n1 dirname | sort -u |
      sed 's|.*|  <dir>&</dir>|'
  done
  echo "  <cachedir>$scratch/cache</cachedir>"
  echo '  <include ignore_missing="yes">/etc/fonts/conf.d</include>'
  echo '</fontconfig>'
} >"$scratch/fonts.conf"
# The user's own rules and fonts are read from under XDG_CONFIG_HOME and XDG_DATA_HOME.
FONTCONFIG_FILE="$scratch/fonts.conf" XDG_CONFIG_HOME="$scratch" XDG_DATA_HOME="$scratch" "$@"
