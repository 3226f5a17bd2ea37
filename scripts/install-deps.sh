#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, only those missing,
# so a second run costs a few dpkg queries.
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config clang libclang-rt-14-dev
  qt6-base-dev libgl-dev libglu1-mesa-dev libx11-dev libxtst-dev
  libgl1-mesa-dri libglx-mesa0 mesa-utils
  zlib1g-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth openbox fonts-liberation locales-all
  qpdf poppler-utils
  qt6-svg-dev libxlsxwriter-dev
  qt6-translations-l10n
  python3-ezdxf librecad admesh python3-openpyxl imagemagick xdg-utils
)

# Only the state "installed" counts: a package removed but not purged still has
# a status entry (its config files), and dpkg -s would take it for present.
# grep reads every line: under pipefail, an early exit (-q) could fail the pipe.
installed() {
  dpkg-query -W -f='${db:Status-Status}\n' "$1" 2>/dev/null | grep -x installed >/dev/null
}

missing=()
for p in "${packages[@]}"; do
  installed "$p" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
"${sudo_cmd[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
