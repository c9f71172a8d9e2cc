#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the program need,
# only those that are missing.
set -euo pipefail
packages=(cmake g++ make pkg-config qt6-base-dev qt6-serialport-dev qt6-translations-l10n
          libgl-dev libgtest-dev fonts-dejavu-core)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
