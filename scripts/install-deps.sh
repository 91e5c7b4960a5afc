#!/usr/bin/env bash
# Installs the Debian packages the build needs, once. Safe to run on every build:
# when everything is present it only checks and returns.
set -euo pipefail

packages=(cmake g++ make libsqlite3-dev libgtest-dev libgmock-dev libbenchmark-dev libboost-dev tzdata iso-codes)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
  if command -v sudo >/dev/null 2>&1 && sudo -n true 2>/dev/null; then
    SUDO=sudo
  else
    echo "Missing packages: ${missing[*]}" >&2
    echo "Install them with: sudo apt-get update && sudo apt-get install -y ${missing[*]}" >&2
    exit 1
  fi
else
  SUDO=
fi

echo "Installing: ${missing[*]}" >&2
$SUDO apt-get update
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
