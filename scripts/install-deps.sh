#!/usr/bin/env bash
# Installs what the build, the tests and the virtual-board demo need on Debian 12 (run as root).
set -euo pipefail
packages=(build-essential cmake g++ qt6-base-dev qt6-base-dev-tools libgtest-dev libgmock-dev
          libbenchmark-dev xvfb xauth locales xdg-utils desktop-file-utils sigrok-cli)
missing=()
for p in "${packages[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if [ "${#missing[@]}" -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
# A decimal-comma locale for the tests that check number formats.
if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
  sed -i 's/^# *de_DE.UTF-8 UTF-8/de_DE.UTF-8 UTF-8/' /etc/locale.gen
  grep -q '^de_DE.UTF-8 UTF-8' /etc/locale.gen || echo 'de_DE.UTF-8 UTF-8' >> /etc/locale.gen
  locale-gen >/dev/null
fi
