#!/usr/bin/env bash
# Installs what building and testing Velquor needs on Debian 12, only when it is missing.
set -euo pipefail

required_packages=(
  build-essential cmake ninja-build googletest clang libclang-rt-14-dev
  g++-mingw-w64-i686 wine wine32:i386 fonts-wine xvfb x11-utils imagemagick
)

missing=()
for package in "${required_packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
  echo "Missing packages: ${missing[*]}. Run this command as root to install them." >&2
  exit 1
fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
