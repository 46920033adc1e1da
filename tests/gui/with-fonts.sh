#!/usr/bin/env bash
# with-fonts.sh [--full-hinting] PACKAGE... -- COMMAND [ARG...]
# Runs COMMAND on a machine whose only fonts are those of the Debian packages named, with the
# system's fontconfig rules (aliases such as "Arial" to a metric twin) but without the user's;
# with --full-hinting, the user's rules ask for full hinting, as some desktops' settings do.
# No root needed: a fontconfig file and cache of its own in a scratch folder.
set -euo pipefail
full_hinting=false
[ "${1:-}" = --full-hinting ] && { full_hinting=true; shift; }
packages=()
while [ $# -gt 0 ] && [ "$1" != "--" ]; do packages+=("$1"); shift; done
[ $# -gt 1 ] && [ "${#packages[@]}" -gt 0 ] || {
  echo "usage: with-fonts.sh [--full-hinting] PACKAGE... -- COMMAND [ARG...]" >&2
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
if $full_hinting; then
  mkdir "$scratch/fontconfig"
  cat >"$scratch/fontconfig/fonts.conf" <<'RULES'
<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "urn:fontconfig:fonts.dtd">
<fontconfig>
  <match target="font">
    <edit name="hinting" mode="assign"><bool>true</bool></edit>
    <edit name="hintstyle" mode="assign"><const>hintfull</const></edit>
  </match>
</fontconfig>
RULES
fi
# The user's own rules and fonts are read from under XDG_CONFIG_HOME and XDG_DATA_HOME.
FONTCONFIG_FILE="$scratch/fonts.conf" XDG_CONFIG_HOME="$scratch" XDG_DATA_HOME="$scratch" "$@"
