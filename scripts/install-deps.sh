#!/usr/bin/env bash
# Installs what the build, the tests and the virtual-board demo need on Debian 12. Does nothing when
# everything is there. Otherwise it installs as root; a normal user goes through sudo, or, without
# sudo, is told what is missing and the command to run as root, and the script fails.
set -euo pipefail
# fonts-dejavu-core is the font the windows are drawn in (the package depends on it); weasyprint and
# python3-markdown print the help document with it; python3-pypdf and poppler-utils read it back
# in its test; fonts-urw-base35 (what Ghostscript brings), fonts-liberation2 and fonts-noto-core are
# the other fonts of a desktop, beside which the legibility tests check that the windows keep their
# font; man-db checks the man pages; graphviz draws the picture of the targets; python3 looks for
# include circles; libftdi1-dev (with pkg-config) carries the FTDI bus.
packages=(build-essential cmake g++ qt6-base-dev qt6-base-dev-tools libgtest-dev libgmock-dev
          libbenchmark-dev xvfb xauth locales xdg-utils desktop-file-utils
          weasyprint python3-markdown fonts-dejavu-core python3-pypdf poppler-utils man-db
          sigrok-cli graphviz python3 fonts-urw-base35 fonts-liberation2 fonts-noto-core
          libftdi1-dev pkg-config)
# A decimal-comma locale for the tests that check number formats.
test_locale=de_DE.UTF-8

missing=()
for p in "${packages[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
locale_missing=false
locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$' || locale_missing=true
if [ "${#missing[@]}" -eq 0 ] && ! $locale_missing; then
  exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
  script=$(readlink -f "${BASH_SOURCE[0]}")
  if command -v sudo >/dev/null 2>&1; then
    exec sudo -- bash "$script"
  fi
  what=("${missing[@]}")
  $locale_missing && what+=("the $test_locale locale")
  {
    echo "install-deps.sh: missing: ${what[*]}"
    echo "install-deps.sh: there is no sudo; run this once as root, then try again:"
    printf '  bash %q\n' "$script"
  } >&2
  exit 1
fi

if [ "${#missing[@]}" -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
if $locale_missing; then
  sed -i "s/^# *$test_locale UTF-8/$test_locale UTF-8/" /etc/locale.gen
  grep -q "^$test_locale UTF-8" /etc/locale.gen || echo "$test_locale UTF-8" >> /etc/locale.gen
  locale-gen >/dev/null
fi
